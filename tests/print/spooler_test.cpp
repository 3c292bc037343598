// Run by spooler_planted.sh beside a planted WINSPOOL.DRV that Wine is told to prefer, as
// Windows prefers a DLL in the program's folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <string>

#include "print/spooler.h"

namespace {

// The folder of a file path, in lower case (Windows compares names without case).
std::string Folder(const std::string &path)
{
    std::string folder = path.substr(0, path.find_last_of('\\'));
    for (char &c : folder)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folder;
}

TEST(Spooler, TakenFromTheSystemFolderNotFromBesideTheProgram)
{
    const SpoolerFunctions &spooler = Spooler();
    ASSERT_NE(spooler.enumPrinters, nullptr);
    ASSERT_NE(spooler.getDefaultPrinter, nullptr);
    HMODULE module = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<const char *>(spooler.enumPrinters), &module));
    char loaded[MAX_PATH], system[MAX_PATH];
    ASSERT_NE(GetModuleFileNameA(module, loaded, MAX_PATH), 0u);
    ASSERT_NE(GetSystemDirectoryA(system, MAX_PATH), 0u);
    EXPECT_EQ(Folder(loaded), Folder(std::string(system) + "\\winspool.drv"));
    EXPECT_EQ(GetFileAttributesA("PLANTED.TXT"), INVALID_FILE_ATTRIBUTES) << "the planted WINSPOOL.DRV was loaded";
}

} // namespace
