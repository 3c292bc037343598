// The progress line an extraction shows on a console, and its closing summary.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "installer/lha/lha_extract.h"

// Decides when the progress line is due: not in the first second, so that a short
// extraction stays quiet, then at most every quarter of a second. Times are milliseconds
// of any clock that wraps at 2^32.
class ProgressLine {
public:
    static constexpr uint32_t quietMs = 1000;
    static constexpr uint32_t intervalMs = 250;

    explicit ProgressLine(uint32_t startMs) : start_(startMs) {}

    // The line to show now, or empty when none is due.
    std::string Update(uint32_t nowMs, const ExtractProgress &progress);
    // Whether a line was shown, so that the caller can end it.
    bool shown() const { return shown_; }
    // "12 members written, 1 not, 3456 bytes, 1.2 s".
    std::string Summary(uint32_t nowMs, const ExtractReport &report) const;

private:
    uint32_t start_;
    uint32_t last_ = 0;
    bool shown_ = false;
};

// The progress line in place on a console, and the summary after the extraction.
class ConsoleProgress : public ProgressObserver {
public:
    using Clock = uint32_t (*)(); // milliseconds
    // Without a console (`console` null) only the summary is written.
    ConsoleProgress(Clock clock, std::FILE *console) : clock_(clock), console_(console), line_(clock()) {}

    void Progress(const ExtractProgress &progress) override;
    // Ends the progress line, if one was shown, so that other lines can follow.
    void EndLine();
    std::string Summary(const ExtractReport &report) const { return line_.Summary(clock_(), report); }

private:
    Clock clock_;
    std::FILE *console_;
    ProgressLine line_;
};
