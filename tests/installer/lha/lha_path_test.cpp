#include <gtest/gtest.h>

#include <string>

#include "installer/lha/lha_path.h"

namespace {

std::string Checked(const std::string &stored)
{
    std::string path, error;
    EXPECT_TRUE(CheckMemberPath(stored, path, error)) << stored << ": " << error;
    return path;
}

std::string Refusal(const std::string &stored)
{
    std::string path, error;
    EXPECT_FALSE(CheckMemberPath(stored, path, error)) << stored << " accepted as " << path;
    EXPECT_TRUE(path.empty());
    return error;
}

TEST(MemberPath, AllThreeSeparatorsSplitComponents)
{
    EXPECT_EQ(Checked("a.txt"), "a.txt");
    EXPECT_EQ(Checked("dir/a.txt"), "dir/a.txt");
    EXPECT_EQ(Checked("dir\\sub\\a.txt"), "dir/sub/a.txt");
    EXPECT_EQ(Checked("dir\xFFsub\xFF" "a.txt"), "dir/sub/a.txt");
    EXPECT_EQ(Checked("dir\\/sub//a"), "dir/sub/a");
    EXPECT_EQ(Checked("dir/"), "dir");
    EXPECT_EQ(Checked("..a/b..c/...d"), "..a/b..c/...d");
    EXPECT_EQ(Checked("CONFIG.SYS"), "CONFIG.SYS");
    EXPECT_EQ(Checked("COM10"), "COM10");
    EXPECT_EQ(Checked("LPT"), "LPT");
    EXPECT_EQ(Checked("nul_device.txt"), "nul_device.txt");
    EXPECT_EQ(Checked("\x82\xA0.txt"), "\x82\xA0.txt"); // bytes of a multi-byte code page
}

TEST(MemberPath, AbsoluteAndEmptyNamesAreRefused)
{
    EXPECT_EQ(Refusal("/etc/passwd"), "absolute path");
    EXPECT_EQ(Refusal("\\windows\\win.ini"), "absolute path");
    EXPECT_EQ(Refusal("\\\\server\\share\\x"), "absolute path");
    EXPECT_EQ(Refusal("\xFF" "a"), "absolute path");
    EXPECT_EQ(Refusal(""), "empty name");
}

TEST(MemberPath, DriveLettersAreRefused)
{
    EXPECT_EQ(Refusal("C:\\autoexec.bat"), "carries a drive letter");
    EXPECT_EQ(Refusal("c:autoexec.bat"), "carries a drive letter");
    EXPECT_EQ(Refusal("z:/x"), "carries a drive letter");
    EXPECT_EQ(Refusal("dir/c:x"), "contains ':'");
    EXPECT_EQ(Refusal("file.txt:stream"), "contains a character that names may not contain");
}

TEST(MemberPath, ClimbingIsRefusedWhereverItIs)
{
    for (const char *stored : {"..", "../x", "..\\x", "a/../../x", "a\\..", "a\xFF..\xFF" "b"})
        EXPECT_EQ(Refusal(stored), "climbs out of the target directory with \"..\"") << stored;
}

TEST(MemberPath, DeviceNamesAreRefusedWithAnyExtensionAndCase)
{
    for (const char *stored : {"CON", "con", "Prn.txt", "AUX.dat.old", "nul", "NUL .txt", "COM1", "com9.log",
                               "LPT1", "lpt5.prn", "dir/CON", "CON/file", "conin$", "CONOUT$.x",
                               "COM\xB9", "LPT\xB2.txt"})
        EXPECT_EQ(Refusal(stored), "names a DOS device") << stored;
}

TEST(MemberPath, CharactersWindowsRejectsAreRefused)
{
    for (const char *stored : {"a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "a\x01" "b", "tab\there"})
        EXPECT_EQ(Refusal(stored), "contains a character that names may not contain") << stored;
    for (const char *stored : {".", "a/./b", "name.", "dir./x", "trailing "})
        EXPECT_EQ(Refusal(stored), "has a component ending in a dot or a space") << stored;
}

TEST(MemberPath, PrintableNamesEscapeControlBytes)
{
    EXPECT_EQ(PrintableName("dir\\a\xFF" "b"), "dir/a/b");
    EXPECT_EQ(PrintableName("a\x1B[2Jb\x80"), "a\\x1B[2Jb\\x80");
    // A long name keeps its start and its end, within 80 characters.
    std::string deep;
    for (int level = 0; level < 300; ++level)
        deep += "level_" + std::to_string(100 + level) + "\\";
    deep += "file.txt";
    EXPECT_EQ(PrintableName(deep), "level_100/level_101/leve..._395/level_396/level_397/level_398/level_399/file.txt");
    EXPECT_EQ(PrintableName(std::string(30, '\x01') + std::string(60, 'n')),
              std::string("\\x01\\x01\\x01\\x01\\x01\\x01...") + std::string(53, 'n'));
}

} // namespace
