// What every FileSystem implementation must do, checked the same way for each: through the
// interface, with the results read back by the platform's own means.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "installer/lha/lha_file_system.h"

class FileSystemProbe {
public:
    virtual ~FileSystemProbe() = default;
    virtual FileSystem &fs() = 0;
    // Reads, inspects or creates below the same root the FileSystem works in.
    virtual bool ReadBack(const std::string &path, std::vector<uint8_t> &bytes) = 0;
    virtual bool IsDirectory(const std::string &path) = 0;
    virtual bool Exists(const std::string &path) = 0;
    virtual void PlaceFile(const std::string &path, const std::string &content) = 0;
    // A symbolic link at `path` to `target`, a path relative to the link's folder.
    virtual void PlaceLink(const std::string &path, const std::string &target) = 0;
    virtual int64_t ModifiedUnixSeconds(const std::string &path) = 0;
};

using ProbeFactory = std::unique_ptr<FileSystemProbe> (*)();

class FileSystemContract : public ::testing::TestWithParam<ProbeFactory> {
protected:
    void SetUp() override { probe_ = GetParam()(); }
    FileSystemProbe &probe() { return *probe_; }
    FileSystem &fs() { return probe_->fs(); }

private:
    std::unique_ptr<FileSystemProbe> probe_;
};

// The probe of the in-memory file system, which every platform checks as well.
std::unique_ptr<FileSystemProbe> MakeMemoryProbe();

// Seconds since 1970 of calendar fields read as UTC.
int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second);
