#include "vdu/launcher_command.h"

#include <cstddef>
#include <cstring>

#include "host/shared_fields.h"

namespace {

constexpr char starter[] = "START.EXE ";
constexpr char extension[] = ".HTM";

bool NameByte(char c)
{
    return static_cast<uint8_t>(c) > 32;
}

} // namespace

bool BuildDocumentCommand(const HostContext &context, uint8_t screenNumber, char (&command)[documentCommandSize])
{
    if (screenNumber < 1 || screenNumber > 4)
        return false;
    // The client may be writing the entry: take each byte once, atomically.
    char name[sizeof context.documentNames[0].name];
    char *entry = const_cast<char *>(context.documentNames[screenNumber - 1].name);
    for (size_t i = 0; i < sizeof name; ++i)
        name[i] = LoadShared(entry[i]);
    if (!NameByte(name[0]))
        return false;
    char *out = command;
    std::memcpy(out, starter, sizeof starter - 1);
    out += sizeof starter - 1;
    for (char c : name) {
        if (!NameByte(c))
            break;
        *out++ = c;
    }
    std::memcpy(out, extension, sizeof extension); // with its NUL
    return true;
}
