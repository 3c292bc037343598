#include "installer/lha/lha_progress.h"

#include <cinttypes>
#include <cstdio>

std::string ProgressLine::Update(uint32_t nowMs, const ExtractProgress &progress)
{
    if (nowMs - start_ < quietMs || (shown_ && nowMs - last_ < intervalMs))
        return {};
    shown_ = true;
    last_ = nowMs;
    char line[120];
    std::snprintf(line, sizeof line, "%u/%u members, %" PRIu64 "/%" PRIu64 " bytes", progress.membersDone,
                  progress.membersTotal, progress.bytesDone, progress.bytesTotal);
    return line;
}

std::string ProgressLine::Summary(uint32_t nowMs, const ExtractReport &report) const
{
    const uint32_t elapsed = nowMs - start_;
    char line[160];
    std::snprintf(line, sizeof line, "%u members written, %u refused or failed, %" PRIu64 " bytes, %u.%u s",
                  report.extracted, static_cast<unsigned>(report.failures.size()), report.bytes, elapsed / 1000,
                  elapsed % 1000 / 100);
    return line;
}

void ConsoleProgress::Progress(const ExtractProgress &progress)
{
    if (console_ == nullptr)
        return;
    const std::string text = line_.Update(clock_(), progress);
    if (text.empty())
        return;
    std::fprintf(console_, "\r%s ", text.c_str());
    std::fflush(console_);
}

void ConsoleProgress::EndLine()
{
    if (console_ != nullptr && line_.shown())
        std::fputc('\n', console_);
}
