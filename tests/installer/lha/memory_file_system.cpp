#include "memory_file_system.h"

bool MemoryFileSystem::Fail(FsProblem problem)
{
    problem_ = problem;
    return false;
}

FileHandle MemoryFileSystem::FailOpen(FsProblem problem)
{
    problem_ = problem;
    return noFile;
}

bool MemoryFileSystem::ParentIsDirectory(const std::string &path) const
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return true;
    const auto parent = nodes.find(path.substr(0, slash));
    return parent != nodes.end() && parent->second.directory();
}

bool MemoryFileSystem::NameTooLong(const std::string &path) const
{
    const size_t slash = path.rfind('/');
    return path.size() - (slash == std::string::npos ? 0 : slash + 1) > nameLimit;
}

std::string MemoryFileSystem::NameKey(const std::string &path) const
{
    std::string key = path;
    if (caseInsensitive)
        for (char &c : key)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    return key;
}

EntryKind MemoryFileSystem::Inspect(const std::string &path)
{
    const auto node = nodes.find(path);
    return node == nodes.end() ? EntryKind::none : node->second.kind;
}

bool MemoryFileSystem::MakeDirectory(const std::string &path)
{
    if (nodes.count(path) != 0)
        return Fail(FsProblem::exists);
    if (path.empty() || !ParentIsDirectory(path))
        return Fail(FsProblem::notFound);
    if (NameTooLong(path))
        return Fail(FsProblem::nameTooLong);
    nodes[path].kind = EntryKind::directory;
    return true;
}

FileHandle MemoryFileSystem::Create(const std::string &path)
{
    if (nodes.count(path) != 0)
        return FailOpen(FsProblem::exists);
    if (path.empty() || !ParentIsDirectory(path))
        return FailOpen(FsProblem::notFound);
    if (NameTooLong(path))
        return FailOpen(FsProblem::nameTooLong);
    nodes[path];
    open_[nextHandle_] = path;
    return nextHandle_++;
}

FileHandle MemoryFileSystem::CreateNew(const std::string &path)
{
    return Create(path);
}

FileHandle MemoryFileSystem::CreateTemporary(const std::string &path)
{
    temporaryNamesTried.push_back(path);
    if (temporariesTaken > 0) {
        --temporariesTaken;
        return FailOpen(FsProblem::exists);
    }
    const FileHandle file = Create(path);
    if (file != noFile)
        temporaries_.insert(path);
    return file;
}

bool MemoryFileSystem::Write(FileHandle file, const uint8_t *data, size_t size)
{
    const auto open = open_.find(file);
    if (open == open_.end())
        return Fail(FsProblem::other);
    std::vector<uint8_t> &bytes = nodes[open->second].data;
    if (size > fileSizeLimit - bytes.size())
        return Fail(FsProblem::diskFull);
    bytes.insert(bytes.end(), data, data + size);
    return true;
}

bool MemoryFileSystem::Close(FileHandle file)
{
    return open_.erase(file) == 1 || Fail(FsProblem::other);
}

bool MemoryFileSystem::RenameOver(const std::string &from, const std::string &to)
{
    const auto source = nodes.find(from);
    if (failRename)
        return Fail(FsProblem::accessDenied);
    if (source == nodes.end() || source->second.kind != EntryKind::file || !ParentIsDirectory(to))
        return Fail(FsProblem::notFound);
    const auto target = nodes.find(to);
    if (target != nodes.end() && target->second.directory())
        return Fail(FsProblem::accessDenied);
    Node moved = std::move(source->second);
    nodes.erase(source);
    nodes[to] = std::move(moved);
    temporaries_.erase(from);
    return true;
}

bool MemoryFileSystem::Remove(const std::string &path)
{
    const auto node = nodes.find(path);
    if (node == nodes.end() || node->second.directory())
        return Fail(FsProblem::notFound);
    for (const auto &open : open_)
        if (open.second == path)
            return Fail(FsProblem::accessDenied); // like Windows: an open file cannot be deleted
    nodes.erase(node);
    temporaries_.erase(path);
    return true;
}

bool MemoryFileSystem::SetTime(const std::string &path, const MemberTime &time)
{
    const auto node = nodes.find(path);
    if (failSetTime)
        return Fail(FsProblem::accessDenied);
    if (node == nodes.end() || node->second.kind != EntryKind::file)
        return Fail(FsProblem::notFound);
    node->second.time = time;
    return true;
}
