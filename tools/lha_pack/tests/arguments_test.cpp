#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lha_pack/command_line.h"
#include "lha_pack/member_path.h"

namespace {

std::optional<lha::PackOptions> Parse(std::vector<std::string> args, std::string &error)
{
    return lha::ParseCommandLine(args, error);
}

TEST(CommandLine, AllOptionsInBothSpellings)
{
    std::string error;
    const auto o = Parse({"--stub", "s.exe", "--output=out.exe", "--method", "lh0", "--base=dir", "dir/a", "dir/b"}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->stub, "s.exe");
    EXPECT_EQ(o->output, "out.exe");
    EXPECT_EQ(o->base, "dir");
    EXPECT_EQ(o->method, lha::PackMethod::Lh0);
    EXPECT_EQ(o->files, (std::vector<std::string>{"dir/a", "dir/b"}));

    const auto plain = Parse({"dir/x", "--output", "o.lzh", "--base", "dir", "--", "--odd-name", "-"}, error);
    ASSERT_TRUE(plain) << error;
    EXPECT_EQ(plain->stub, "");
    EXPECT_EQ(plain->method, lha::PackMethod::Auto);
    EXPECT_EQ(plain->files, (std::vector<std::string>{"dir/x", "--odd-name", "-"}));
    EXPECT_FALSE(plain->wholeFolder);
    EXPECT_FALSE(plain->builtInStub);

    const auto folder = Parse({"--self-extractor", "--output", "o.exe", "--folder=dir"}, error);
    ASSERT_TRUE(folder) << error;
    EXPECT_EQ(folder->base, "dir");
    EXPECT_TRUE(folder->wholeFolder);
    EXPECT_TRUE(folder->files.empty());
    EXPECT_TRUE(folder->builtInStub);
}

TEST(CommandLine, MistakesAreRefused)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--base", "d", "f"},                                      // no output
        {"--output", "o", "f"},                                    // no base
        {"--output", "o", "--base", "d"},                          // no file
        {"--output", "o", "--base", "d", "--method", "lh6", "f"},  // unknown method
        {"--output", "o", "--output", "p", "--base", "d", "f"},    // twice
        {"--output", "o", "--base", "d", "--verbose", "f"},        // unknown option
        {"--output", "o", "--base", "d", "f", "--stub"},           // value missing
        {"--output=", "--base", "d", "f"},                         // empty value
        {"-o", "x", "--base", "d", "f"},
        {"--output", "o", "--folder", "d", "f"},                   // a folder and a file
        {"--output", "o", "--folder", "d", "--base", "d"},         // a folder and a base
        {"--output", "o", "--stub", "s", "--self-extractor", "--folder", "d"}, // two stubs
    };
    for (const std::vector<std::string> &args : bad) {
        std::string error;
        EXPECT_FALSE(lha::ParseCommandLine(args, error)) << testing::PrintToString(args);
        EXPECT_FALSE(error.empty()) << testing::PrintToString(args);
    }
}

TEST(MemberPath, RelativeToTheBaseWithSlashes)
{
    std::string error;
    EXPECT_EQ(lha::MemberPath("/p/base", "/p/base/a.txt", error), "a.txt");
    EXPECT_EQ(lha::MemberPath("/p/base/", "/p/base/sub/deep/b.bin", error), "sub/deep/b.bin");
    EXPECT_EQ(lha::MemberPath("/p/./base", "/p/base/x/../c", error), "c");
    EXPECT_EQ(lha::MemberPath("rel", "rel/d/e", error), "d/e");  // both against the working directory
    EXPECT_EQ(error, "");
}

TEST(MemberPath, OutsideTheBaseOrUncarriableNamesAreRefused)
{
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"/p/base", "/p/other/a"},      {"/p/base", "/p/base"},         {"/p/base", "/p/base/../a"},
        {"/p/base", "/p/basement/a"},   {"/p/base", "/p/base/dir/"},    {"/p/base", "/p/base/a\\b"},
        {"/p/base", "/p/base/a\nb"},    {"/p/base", "/p/base/\xFF"},    {"", "a"},
        {"/p/base", ""},
    };
    for (const auto &[base, file] : bad) {
        std::string error;
        EXPECT_EQ(lha::MemberPath(base, file, error), "") << base << " " << file;
        EXPECT_FALSE(error.empty()) << base << " " << file;
    }
}

} // namespace
