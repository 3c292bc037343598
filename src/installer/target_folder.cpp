#include "installer/target_folder.h"

#include <string>

#include "installer/twlsetup/win32_paths.h"

namespace {

// The extended-length form of `target`, without a closing backslash.
std::wstring FullTarget(const char *target)
{
    std::wstring full = ExtendedLengthPath(WidenAnsi(target));
    while (full.size() > 1 && full.back() == L'\\')
        full.pop_back();
    return full;
}

// Where the first folder below the root starts: after "\\?\C:\" or "\\?\UNC\server\share\".
size_t FirstFolderAt(const std::wstring &full)
{
    const std::wstring unc = L"\\\\?\\UNC\\";
    if (full.rfind(unc, 0) != 0)
        return full.find(L'\\', 4) + 1;
    const size_t share = full.find(L'\\', unc.size());
    const size_t end = share == std::wstring::npos ? std::wstring::npos : full.find(L'\\', share + 1);
    return end == std::wstring::npos ? full.size() : end + 1;
}

// What `folder` should be called once resolved: its parent's resolved name and its own.
std::wstring ExpectedName(const std::wstring &folder)
{
    const size_t slash = folder.rfind(L'\\');
    return ResolvedNameBelow(ResolvedNameOf(folder.substr(0, slash + 1)), folder.substr(slash + 1));
}

} // namespace

bool TargetPassesThroughLink(const char *target)
{
    const std::wstring full = FullTarget(target);
    for (size_t end = full.find(L'\\', FirstFolderAt(full));; end = full.find(L'\\', end + 1)) {
        const std::wstring folder = full.substr(0, end);
        const PathKind kind = InspectPath(folder, ExpectedName(folder));
        if (kind == PathKind::link)
            return true;
        if (kind == PathKind::missing || end == std::wstring::npos)
            return false;
    }
}

std::wstring ExpectedTargetName(const char *target)
{
    return ExpectedName(FullTarget(target));
}

bool EnteredThroughLink(const std::wstring &expected)
{
    const std::wstring current = ResolvedNameOf(L".");
    return !expected.empty() && !current.empty() && !SamePathIgnoringCase(current, expected);
}
