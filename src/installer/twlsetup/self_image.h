// The running program's own executable file, mapped read-only.
#pragma once

#include <cstdint>
#include <span>
#include <string>

class SelfImage {
public:
    SelfImage() = default;
    SelfImage(const SelfImage &) = delete;
    SelfImage &operator=(const SelfImage &) = delete;
    ~SelfImage();

    // Maps the file the process was started from. False with `error` set when it cannot.
    bool Open(std::string &error);

    const std::string &path() const { return path_; }
    std::span<const uint8_t> bytes() const { return {view_, size_}; }

private:
    std::string path_;
    const uint8_t *view_ = nullptr;
    size_t size_ = 0;
};
