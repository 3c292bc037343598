#include "installer/lha/posix/posix_file_system.h"

#include <cerrno>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Seconds since 1970 of the member time; false when it has none or it is invalid.
bool ToUnixSeconds(const MemberTime &time, time_t &seconds)
{
    if (time.kind == MemberTime::Kind::unixUtc) {
        seconds = static_cast<time_t>(time.unixSeconds);
        return true;
    }
    DosFields fields;
    if (time.kind != MemberTime::Kind::dosLocal || !SplitDosTime(time.dos, fields))
        return false;
    struct tm local = {};
    local.tm_year = fields.year - 1900;
    local.tm_mon = fields.month - 1;
    local.tm_mday = fields.day;
    local.tm_hour = fields.hour;
    local.tm_min = fields.minute;
    local.tm_sec = fields.second;
    local.tm_isdst = -1;
    seconds = mktime(&local);
    return seconds != static_cast<time_t>(-1);
}

} // namespace

bool PosixFileSystem::Failed()
{
    switch (errno) {
    case EEXIST:
        problem_ = FsProblem::exists;
        break;
    case ENOENT:
    case ENOTDIR:
        problem_ = FsProblem::notFound;
        break;
    case ENAMETOOLONG:
        problem_ = FsProblem::nameTooLong;
        break;
    case ENOSPC:
    case EDQUOT:
        problem_ = FsProblem::diskFull;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        problem_ = FsProblem::accessDenied;
        break;
    default:
        problem_ = FsProblem::other;
        break;
    }
    return false;
}

EntryKind PosixFileSystem::Inspect(const std::string &path)
{
    struct stat info;
    if (lstat(Full(path).c_str(), &info) != 0)
        return EntryKind::none;
    if (S_ISLNK(info.st_mode))
        return EntryKind::link;
    if (S_ISDIR(info.st_mode))
        return EntryKind::directory;
    return S_ISREG(info.st_mode) ? EntryKind::file : EntryKind::other;
}

bool PosixFileSystem::MakeDirectory(const std::string &path)
{
    return mkdir(Full(path).c_str(), 0777) == 0 || Failed();
}

FileHandle PosixFileSystem::CreateNew(const std::string &path)
{
    const int fd = open(Full(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        Failed();
    return fd < 0 ? noFile : fd;
}

FileHandle PosixFileSystem::CreateTemporary(const std::string &path)
{
    return CreateNew(path);
}

bool PosixFileSystem::Write(FileHandle file, const uint8_t *data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(static_cast<int>(file), data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return Failed();
        if (written == 0) {
            problem_ = FsProblem::diskFull;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool PosixFileSystem::Close(FileHandle file)
{
    return close(static_cast<int>(file)) == 0 || Failed();
}

bool PosixFileSystem::RenameOver(const std::string &from, const std::string &to)
{
    return rename(Full(from).c_str(), Full(to).c_str()) == 0 || Failed();
}

bool PosixFileSystem::Remove(const std::string &path)
{
    return unlink(Full(path).c_str()) == 0 || Failed();
}

bool PosixFileSystem::SetTime(const std::string &path, const MemberTime &time)
{
    time_t seconds;
    if (!ToUnixSeconds(time, seconds)) {
        problem_ = FsProblem::other;
        return false;
    }
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    return utimensat(AT_FDCWD, Full(path).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0 || Failed();
}
