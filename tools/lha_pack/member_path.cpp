#include "lha_pack/member_path.h"

namespace lha {

namespace fs = std::filesystem;

std::string MemberPath(const fs::path &base, const fs::path &file, std::string &error)
{
    if (base.empty() || file.empty()) {
        error = "empty path";
        return {};
    }
    fs::path root = fs::absolute(base).lexically_normal();
    if (root.has_relative_path() && !root.has_filename())
        root = root.parent_path();  // "dir/" names the same directory as "dir"
    const fs::path whole = fs::absolute(file).lexically_normal();
    const fs::path relative = whole.lexically_relative(root);
    if (relative.empty() || relative == "." || *relative.begin() == ".." || !whole.has_filename()) {
        error = "\"" + file.string() + "\" is not a file below \"" + base.string() + "\"";
        return {};
    }
    const std::string path = relative.generic_string();
    for (unsigned char c : path)
        if (c < 0x20 || c == 0x7F || c == 0xFF || c == '\\') {
            error = "\"" + file.string() + "\" holds a character an archive member name cannot carry";
            return {};
        }
    return path;
}

} // namespace lha
