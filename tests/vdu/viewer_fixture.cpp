#include "viewer_fixture.h"

#include "vdu/screen_state.h"

PageFile::PageFile(const char *name) : path_(name)
{
    DeleteFileA(name);
    const HANDLE create = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(create, INVALID_HANDLE_VALUE);
    CloseHandle(create);
    reader_ = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(reader_, INVALID_HANDLE_VALUE);
}

PageFile::~PageFile()
{
    CloseHandle(reader_);
    DeleteFileA(path_.c_str());
}

void PageFile::Write(const TextPage &page)
{
    const HANDLE writer = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    std::vector<uint8_t> bytes(8192, 0);
    std::copy(std::begin(page.bytes), std::end(page.bytes), bytes.begin() + 4096);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(writer, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_EQ(written, bytes.size());
    SetEndOfFile(writer);
    CloseHandle(writer);
}

void PageFile::Resize(uint64_t size)
{
    const HANDLE writer = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    EXPECT_TRUE(SetFilePointerEx(writer, at, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(writer));
    CloseHandle(writer);
}

void MarkCells(VduClient &vdu, const std::vector<POINT> &cells, COLORREF colour)
{
    ScreenLock screen{vdu.block};
    ASSERT_TRUE(screen);
    for (POINT c : cells) {
        const POINT o = vdu.Origin(c.x, c.y);
        SetPixel(screen.get()->frontDC, o.x, o.y, colour);
    }
}

bool CellMarked(const VduClient &vdu, POINT cell, COLORREF colour)
{
    const POINT o = vdu.Origin(cell.x, cell.y);
    return vdu.Front(o.x, o.y) == colour;
}
