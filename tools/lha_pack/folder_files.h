// The files a folder holds, for packing a whole folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lha {

// Every regular file below `folder`, in its sub-folders too, as paths that start with `folder`,
// sorted by their names below it: the archive's order does not depend on the file system's.
// Empty, with `error` set, when the folder cannot be read or holds no file.
std::vector<std::string> FolderFiles(const std::filesystem::path &folder, std::string &error);

} // namespace lha
