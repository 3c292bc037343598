#include "installer/lha/lha_path.h"

#include <cstring>
#include <vector>

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\' || static_cast<unsigned char>(c) == 0xFF;
}

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows opens a device for these names, whatever follows the first dot and with trailing
// spaces ignored: "nul", "Com1.txt", "LPT3 .log". The superscript digits are those of the
// ANSI code page.
bool IsDeviceName(std::string_view component)
{
    std::string base(component.substr(0, component.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char &c : base)
        c = Upper(c);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
        return true;
    if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0))
        return false;
    const unsigned char digit = static_cast<unsigned char>(base[3]);
    return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

bool HasDriveLetter(std::string_view component)
{
    return component.size() >= 2 && component[1] == ':' && Upper(component[0]) >= 'A' && Upper(component[0]) <= 'Z';
}

bool HasForbiddenCharacter(std::string_view component)
{
    for (char c : component)
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr(":*?\"<>|", c) != nullptr)
            return true;
    return false;
}

std::vector<std::string_view> Split(std::string_view stored)
{
    std::vector<std::string_view> components;
    size_t start = 0;
    for (size_t i = 0; i <= stored.size(); ++i) {
        if (i == stored.size() || IsSeparator(stored[i])) {
            if (i > start)
                components.push_back(stored.substr(start, i - start));
            start = i + 1;
        }
    }
    return components;
}

// Empty when the component may be created, else why not.
const char *ComponentProblem(std::string_view component, bool first)
{
    if (component == "..")
        return "climbs out of the target directory with \"..\"";
    if (HasDriveLetter(component))
        return first ? "carries a drive letter" : "contains ':'";
    if (HasForbiddenCharacter(component))
        return "contains a character that names may not contain";
    if (IsDeviceName(component))
        return "names a DOS device";
    if (component.back() == '.' || component.back() == ' ')
        return "has a component ending in a dot or a space";
    return nullptr;
}

} // namespace

bool CheckMemberPath(std::string_view stored, std::string &path, std::string &error)
{
    path.clear();
    if (!stored.empty() && IsSeparator(stored[0])) {
        error = "absolute path";
        return false;
    }
    const std::vector<std::string_view> components = Split(stored);
    if (components.empty()) {
        error = "empty name";
        return false;
    }
    for (size_t i = 0; i < components.size(); ++i) {
        if (const char *problem = ComponentProblem(components[i], i == 0)) {
            error = problem;
            path.clear();
            return false;
        }
        if (i > 0)
            path += '/';
        path += components[i];
    }
    return true;
}

std::string PrintableName(std::string_view stored)
{
    constexpr size_t longest = 80; // characters; a longer name keeps its start and its end
    constexpr size_t head = 24;
    static const char hex[] = "0123456789ABCDEF";
    std::vector<std::string> pieces; // one per byte
    pieces.reserve(stored.size());
    size_t length = 0;
    for (const char byte : stored) {
        const unsigned char c = static_cast<unsigned char>(byte);
        if (IsSeparator(byte))
            pieces.emplace_back(1, '/');
        else if (c >= 0x20 && c < 0x7F)
            pieces.emplace_back(1, byte);
        else
            pieces.push_back({'\\', 'x', hex[c >> 4], hex[c & 15]});
        length += pieces.back().size();
    }
    std::string printable;
    if (length <= longest) {
        for (const std::string &piece : pieces)
            printable += piece;
        return printable;
    }
    size_t first = 0;
    while (printable.size() + pieces[first].size() <= head)
        printable += pieces[first++];
    std::string tail;
    for (size_t last = pieces.size(); last > first && tail.size() + pieces[last - 1].size() <= longest - head - 3;
         --last)
        tail.insert(0, pieces[last - 1]);
    return printable + "..." + tail;
}
