#include "memory_file_system.h"

bool MemoryFileSystem::ParentIsDirectory(const std::string &path) const
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return true;
    const auto parent = nodes.find(path.substr(0, slash));
    return parent != nodes.end() && parent->second.directory;
}

bool MemoryFileSystem::MakeDirectory(const std::string &path)
{
    const auto existing = nodes.find(path);
    if (existing != nodes.end())
        return existing->second.directory;
    if (path.empty() || !ParentIsDirectory(path))
        return false;
    nodes[path].directory = true;
    return true;
}

FileHandle MemoryFileSystem::OpenTemporary(const std::string &path)
{
    if (path.empty() || nodes.count(path) != 0 || !ParentIsDirectory(path))
        return noFile;
    nodes[path];
    open_[nextHandle_] = path;
    temporaries_.insert(path);
    return nextHandle_++;
}

bool MemoryFileSystem::Write(FileHandle file, const uint8_t *data, size_t size)
{
    const auto open = open_.find(file);
    if (open == open_.end())
        return false;
    std::vector<uint8_t> &bytes = nodes[open->second].data;
    if (size > fileSizeLimit - bytes.size())
        return false;
    bytes.insert(bytes.end(), data, data + size);
    return true;
}

bool MemoryFileSystem::Close(FileHandle file)
{
    return open_.erase(file) == 1;
}

bool MemoryFileSystem::RenameOver(const std::string &from, const std::string &to)
{
    const auto source = nodes.find(from);
    if (failRename || source == nodes.end() || source->second.directory || !ParentIsDirectory(to))
        return false;
    const auto target = nodes.find(to);
    if (target != nodes.end() && target->second.directory)
        return false;
    Node moved = std::move(source->second);
    nodes.erase(source);
    nodes[to] = std::move(moved);
    temporaries_.erase(from);
    return true;
}

bool MemoryFileSystem::Remove(const std::string &path)
{
    const auto node = nodes.find(path);
    if (node == nodes.end() || node->second.directory)
        return false;
    for (const auto &open : open_)
        if (open.second == path)
            return false; // like Windows: an open file cannot be deleted
    nodes.erase(node);
    temporaries_.erase(path);
    return true;
}

bool MemoryFileSystem::SetTime(const std::string &path, const MemberTime &time)
{
    const auto node = nodes.find(path);
    if (failSetTime || node == nodes.end() || node->second.directory)
        return false;
    node->second.time = time;
    return true;
}
