#include "vdu/launcher_command.h"

#include <cstring>

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
    // The client may be writing the entry: take each byte once.
    char name[sizeof context.documentNames[0].name];
    std::memcpy(name, context.documentNames[screenNumber - 1].name, sizeof name);
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
