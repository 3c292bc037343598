#include "lha_pack/folder_files.h"

#include <algorithm>
#include <utility>

namespace lha {

namespace fs = std::filesystem;

std::vector<std::string> FolderFiles(const fs::path &folder, std::string &error)
{
    std::vector<std::pair<std::string, std::string>> found; // name below the folder, path
    std::error_code failure;
    fs::recursive_directory_iterator it(folder, failure);
    for (; !failure && it != fs::recursive_directory_iterator(); it.increment(failure)) {
        if (it->is_regular_file(failure))
            found.emplace_back(it->path().lexically_relative(folder).generic_string(), it->path().string());
    }
    if (failure) {
        error = "cannot read the folder \"" + folder.string() + "\": " + failure.message();
        return {};
    }
    if (found.empty()) {
        error = "the folder \"" + folder.string() + "\" holds no file to pack";
        return {};
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> files;
    for (auto &[name, path] : found)
        files.push_back(std::move(path));
    return files;
}

} // namespace lha
