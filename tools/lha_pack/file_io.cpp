#include "lha_pack/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lha {

namespace {

std::string Reason(const std::string &what, const std::string &path)
{
    return "cannot " + what + " \"" + path + "\": " + std::strerror(errno);
}

} // namespace

bool ReadRegularFile(const std::string &path, uint64_t maxSize, const char *limitNote, InputFile &file,
                     std::string &error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = Reason("open", path);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    if (!ok)
        error = Reason("examine", path);
    else if (!S_ISREG(st.st_mode))
        error = "\"" + path + "\" is not a regular file";
    else if (static_cast<uint64_t>(st.st_size) > maxSize)
        error = "\"" + path + "\" is " + std::to_string(st.st_size) + " bytes, too large: " + limitNote;
    ok = ok && error.empty();
    if (ok) {
        file.modified = st.st_mtim.tv_sec;
        file.data.resize(static_cast<size_t>(st.st_size));
        size_t done = 0;
        while (ok && done < file.data.size()) {
            const ssize_t n = ::read(fd, file.data.data() + done, file.data.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                error = Reason("read", path);
            else if (n == 0)
                error = "\"" + path + "\" shrank while it was read";
            else
                done += static_cast<size_t>(n);
            ok = error.empty();
        }
        uint8_t extra;
        if (ok && ::read(fd, &extra, 1) != 0) {
            error = "\"" + path + "\" grew while it was read";
            ok = false;
        }
    }
    ::close(fd);
    return ok;
}

OutputFile::~OutputFile()
{
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temporary_.c_str());
    }
}

bool OutputFile::Open(const std::string &path, std::string &error)
{
    path_ = path;
    std::string pattern = path + ".XXXXXX";
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) {
        error = Reason("create a file beside", path);
        return false;
    }
    temporary_ = pattern;
    ::fchmod(fd_, 0644);
    return true;
}

bool OutputFile::Write(std::span<const uint8_t> bytes, std::string &error)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = Reason("write", temporary_);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool OutputFile::Commit(std::string &error)
{
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        error = Reason("write", temporary_);
        ::unlink(temporary_.c_str());
        return false;
    }
    if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
        error = Reason("replace", path_);
        ::unlink(temporary_.c_str());
        return false;
    }
    return true;
}

std::span<const uint8_t> BuiltInStub()
{
    return {};
}

} // namespace lha
