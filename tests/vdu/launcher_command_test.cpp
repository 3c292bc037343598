// The document launcher's command line for the names a client can leave in its entries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vdu/launcher_command.h"

namespace {

struct Case {
    uint8_t screen;
    const char *entry; // eight bytes of the entry (fewer: the rest NUL)
    const char *expected; // null: nothing is started
};

std::string Command(uint8_t screen, const char *entry, size_t length)
{
    HostContext context{};
    for (int n = 0; n < 4; ++n)
        std::memset(context.documentNames[n].unused, 'Z', sizeof context.documentNames[n].unused);
    std::memcpy(context.documentNames[screen - 1].name, entry, length);
    char command[documentCommandSize];
    std::memset(command, 0x55, sizeof command);
    if (!BuildDocumentCommand(context, screen, command))
        return "(none)";
    EXPECT_NE(std::memchr(command, 0, sizeof command), nullptr);
    return command;
}

TEST(LauncherCommand, NamesEndAtTheFirstByteOf32OrLessAndAtEightBytes)
{
    const Case cases[] = {
        {2, "MENU ", "START.EXE MENU.HTM"},
        {2, "MENU", "START.EXE MENU.HTM"},
        {1, "ABCDEFGH", "START.EXE ABCDEFGH.HTM"},
        {3, "AB CD", "START.EXE AB.HTM"},
        {4, "AB\tCD", "START.EXE AB.HTM"},
        {4, "\xC4MT\x80\xFF", "START.EXE \xC4MT\x80\xFF.HTM"},
        {2, " MENU", nullptr},
        {2, "\x01MENU", nullptr},
        {2, "", nullptr},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Command(c.screen, c.entry, std::strlen(c.entry)), c.expected ? c.expected : "(none)")
            << "screen " << int{c.screen} << " entry '" << c.entry << "'";
}

TEST(LauncherCommand, TenLettersGiveTheFirstEightAndTheLongestLineFits)
{
    // the entry is eight bytes; the next two lie in its unused part
    HostContext context{};
    std::memcpy(context.documentNames[1].name, "ABCDEFGHIJ", 10);
    char command[documentCommandSize];
    ASSERT_TRUE(BuildDocumentCommand(context, 2, command));
    EXPECT_STREQ(command, "START.EXE ABCDEFGH.HTM");
    EXPECT_EQ(std::strlen(command), 22u);
}

TEST(LauncherCommand, OnlyScreensOneToFourHaveDocuments)
{
    HostContext context{};
    for (int n = 0; n < 4; ++n)
        std::memcpy(context.documentNames[n].name, "PAGE", 4);
    // the entry before screen 1's would be screen 0's; entries after screen 4's are not names
    std::memcpy(context.unused192 + 160, "ZERO", 4);
    std::memcpy(context.unused512, "FIVE", 4);
    char command[documentCommandSize];
    for (uint8_t screen : {0, 5, 8, 15, 255})
        EXPECT_FALSE(BuildDocumentCommand(context, screen, command)) << int{screen};
    for (uint8_t screen : {1, 2, 3, 4}) {
        ASSERT_TRUE(BuildDocumentCommand(context, screen, command)) << int{screen};
        EXPECT_STREQ(command, "START.EXE PAGE.HTM");
    }
}

} // namespace
