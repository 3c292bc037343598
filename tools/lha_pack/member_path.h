// The name a file gets in the archive: its path below the base directory.
#pragma once

#include <filesystem>
#include <string>

namespace lha {

// `file` relative to `base` with '/' between the parts ("sub/name.txt"), both taken lexically
// (after making them absolute and folding "." and ".."). Empty, with `error` set, when `file` is
// not below `base` or a part holds a byte the archive or the installer cannot carry (control
// characters, '\', 0xFF).
std::string MemberPath(const std::filesystem::path &base, const std::filesystem::path &file, std::string &error);

} // namespace lha
