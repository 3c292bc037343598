#include "installer/extraction.h"
#include "installer/target_folder.h"

#include <windows.h>

#include <cstdlib>

namespace {

constexpr size_t nameOffset = 4;
constexpr size_t nameSize = 12;
constexpr size_t dataOffset = 20;
constexpr const char *targetIsLinkMessage = "target directory is a link";

// The payload's file name: at most the 12 bytes of its field. The length field after it ends the
// name only for payloads under 16 MiB, whose length has a first byte of 0.
struct PayloadName {
    char text[nameSize + 1];
};

PayloadName NameOf(const PayloadRecord &payload)
{
    PayloadName name{};
    for (size_t i = 0; i < nameSize && payload.record[nameOffset + i] != 0; ++i)
        name.text[i] = static_cast<char>(payload.record[nameOffset + i]);
    return name;
}

int Fail(const char *message, int code)
{
    MessageBoxA(nullptr, message, "setupbox", MB_OK);
    return code;
}

} // namespace

int ExtractPayload(const HostContext *context, const PayloadRecord &payload)
{
    char target[sizeof context->targetPath];
    for (size_t i = 0; i < sizeof target; ++i)
        target[i] = context->targetPath[i];
    target[sizeof target - 1] = '\0';

    if (TargetPassesThroughLink(target))
        return Fail(targetIsLinkMessage, extractionNoDirectory);
    if (!CreateDirectoryA(target, nullptr))
        return Fail("cannot build directory", extractionNoDirectory);
    // A link put in the place of the new directory before it was entered; once entered, the
    // directory cannot be moved away.
    const std::wstring expected = ExpectedTargetName(target);
    if (!SetCurrentDirectoryA(target))
        return Fail("cannot enter directory", extractionNoDirectory);
    if (EnteredThroughLink(expected))
        return Fail(targetIsLinkMessage, extractionNoDirectory);

    const uint8_t type = payload.record[0];
    const PayloadName payloadName = NameOf(payload);
    const char *name = payloadName.text;
    const HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Fail("INV ALLOC file HANDLE", extractionNotCreated);
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
        CloseHandle(file);
        return Fail("INV ALLOC file POINTER", extractionSeekFailed);
    }
    DWORD written = 0;
    if (!WriteFile(file, payload.record + dataOffset, payload.writeSize, &written, nullptr) ||
        written != payload.writeSize) {
        CloseHandle(file);
        return Fail("INV ALLOC file WRITE", extractionWriteFailed);
    }
    CloseHandle(file);

    if (type != 'X')
        return extractionDone;
    std::system(name);
    DeleteFileA(name);
    std::system("TWLGENWI.BAT");
    return extractionDone;
}
