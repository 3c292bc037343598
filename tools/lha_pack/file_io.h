// Reading the input files and writing the output file as a whole or not at all: file_io.cpp on
// POSIX systems, file_io_win32.cpp on Windows.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lha {

struct InputFile {
    std::vector<uint8_t> data;
    int64_t modified = 0;  // Unix time of the last change
};

// The regular file `path` if it holds at most `maxSize` bytes; false with `error` set otherwise
// (missing, unreadable, not a regular file, too large, changed while read). `limitNote` says in
// the error why the size is limited.
bool ReadRegularFile(const std::string &path, uint64_t maxSize, const char *limitNote, InputFile &file,
                     std::string &error);

// A temporary file beside the output that takes the output's place on Commit and is removed when
// the output is abandoned.
class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;
    ~OutputFile();

    bool Open(const std::string &path, std::string &error);
    bool Write(std::span<const uint8_t> bytes, std::string &error);
    bool Commit(std::string &error);

private:
    std::string path_;
    std::string temporary_;
#ifdef _WIN32
    void *handle_ = nullptr; // HANDLE, null when closed
#else
    int fd_ = -1;
#endif
};

// The self-extracting stub built into this program (the Windows build, lha_pack.exe), or
// nothing (the native build).
std::span<const uint8_t> BuiltInStub();

} // namespace lha
