// The file service's arithmetic and decisions, and the bounded copy of client text.
#include "files/file_client_text.h"
#include "files/file_rules.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {

TEST(FileRules, LockNumbersNameOneByteOfTheLockArea)
{
    EXPECT_EQ(LockByteOffset(0), 0x80000000u);
    EXPECT_EQ(LockByteOffset(2), 0x80000002u);
    EXPECT_EQ(LockByteOffset(12345), LockByteOffset(12345 + 0x80000000u));
    EXPECT_EQ(LockByteOffset(0x7FFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(LockByteOffset(0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_NE(LockByteOffset(3), LockByteOffset(2));
}

TEST(FileRules, PositionsFromTheLockAreaUpCannotBeSet)
{
    EXPECT_TRUE(PositionSettable(0));
    EXPECT_TRUE(PositionSettable(0x7FFFFFFF));
    EXPECT_FALSE(PositionSettable(0x80000000));
    EXPECT_FALSE(PositionSettable(0xFFFFFFFF));
}

TEST(FileRules, CreateAndOpenModes)
{
    const FileOpenMode create = CreateMode();
    EXPECT_EQ(create.access, static_cast<DWORD>(GENERIC_WRITE));
    EXPECT_EQ(create.share, 0u);
    EXPECT_EQ(create.disposition, static_cast<DWORD>(CREATE_NEW));
    EXPECT_EQ(create.flags, 0x08000000u);
    const FileOpenMode open = OpenMode();
    EXPECT_EQ(open.access, static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
    EXPECT_EQ(open.share, 3u);
    EXPECT_EQ(open.disposition, static_cast<DWORD>(OPEN_EXISTING));
    EXPECT_EQ(open.flags, 0x98000000u);
}

TEST(FileRules, FilesOfFourGibibytesOrMoreAreTooLarge)
{
    EXPECT_EQ(OpenSizeStatus(0), 0);
    EXPECT_EQ(OpenSizeStatus(0xFFFFFFFFull), 0);
    EXPECT_EQ(OpenSizeStatus(0x100000000ull), 13);
    EXPECT_EQ(OpenSizeStatus(5ull << 30), 13);
}

TEST(FileRules, ReadAndWriteOutcomes)
{
    // a failed read or one that read nothing leaves the count as asked
    EXPECT_EQ(ReadResult(false, 100, 0).status, 3);
    EXPECT_EQ(ReadResult(false, 100, 0).count, 100u);
    EXPECT_EQ(ReadResult(true, 100, 0).status, 3);
    EXPECT_EQ(ReadResult(true, 0, 0).status, 3);
    EXPECT_EQ(ReadResult(true, 100, 40).status, 1);
    EXPECT_EQ(ReadResult(true, 100, 40).count, 40u);
    EXPECT_EQ(ReadResult(true, 100, 100).status, 0);
    EXPECT_EQ(ReadResult(true, 100, 100).count, 100u);

    EXPECT_EQ(WriteResult(true, 0, 0), 0);
    EXPECT_EQ(WriteResult(true, 10, 10), 0);
    EXPECT_EQ(WriteResult(true, 10, 9), 4);
    EXPECT_EQ(WriteResult(false, 10, 10), 4);
}

// Two pages: the first readable and writable, the second inaccessible.
struct PageEdge {
    char *page;
    PageEdge()
    {
        page = static_cast<char *>(VirtualAlloc(nullptr, 8192, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(page + 4096, 4096, PAGE_NOACCESS, &old);
    }
    ~PageEdge() { VirtualFree(page, 0, MEM_RELEASE); }
    char *end() const { return page + 4096; }
};

TEST(ClientText, CopiesUpToTheNulWithinTheCapacity)
{
    char out[8];
    EXPECT_TRUE(CopyClientText("ABC.DAT", out, sizeof out)); // 7 characters and the NUL fit
    EXPECT_STREQ(out, "ABC.DAT");
    EXPECT_FALSE(CopyClientText("ABCD.DAT", out, sizeof out)); // one too many
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(CopyClientText("", out, sizeof out));
    EXPECT_FALSE(CopyClientText(nullptr, out, sizeof out));
    EXPECT_FALSE(CopyClientText("A", out, 0));
}

TEST(ClientText, TextRunningIntoUnreadableMemoryIsRefused)
{
    PageEdge edge;
    ASSERT_NE(edge.page, nullptr);
    char out[64];
    std::memcpy(edge.end() - 4, "NAME", 4); // no NUL before the inaccessible page
    EXPECT_FALSE(CopyClientText(edge.end() - 4, out, sizeof out));
    EXPECT_STREQ(out, "");
    std::memcpy(edge.end() - 4, "NAM", 4); // its NUL is the last readable byte
    EXPECT_TRUE(CopyClientText(edge.end() - 4, out, sizeof out));
    EXPECT_STREQ(out, "NAM");
    EXPECT_FALSE(CopyClientText(edge.end(), out, sizeof out));
    EXPECT_FALSE(CopyClientText(reinterpret_cast<const char *>(16), out, sizeof out));
}

} // namespace
