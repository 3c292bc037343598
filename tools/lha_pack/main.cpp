// lha_pack [--stub STUB_FILE | --self-extractor] --output OUT [--method lh5|lh0] --base DIR FILE...
// lha_pack [--stub STUB_FILE | --self-extractor] --output OUT [--method lh5|lh0] --folder DIR
// Packs each FILE, or every file below the folder, as a member named by its path below DIR into
// an LHA archive with level-2 headers, after the stub's bytes if there is a stub. With
// --self-extractor, lha_pack.exe (the Windows build) puts its built-in stub TWLSTUB first.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "lha_pack/archive_member.h"
#include "lha_pack/command_line.h"
#include "lha_pack/file_io.h"
#include "lha_pack/folder_files.h"
#include "lha_pack/member_path.h"
#include "lha_pack/stub_checksum.h"

namespace {

int Fail(const std::string &message)
{
    std::fprintf(stderr, "lha_pack: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    std::optional<lha::PackOptions> options = lha::ParseCommandLine(args, error);
    if (!options) {
        std::fprintf(stderr, "lha_pack: %s\n%s", error.c_str(), lha::usageText);
        return 2;
    }
    if (options->wholeFolder) {
        options->files = lha::FolderFiles(options->base, error);
        if (options->files.empty())
            return Fail(error);
    }

    // Every name is checked before anything is read or written.
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const std::string &file : options->files) {
        names.push_back(lha::MemberPath(options->base, file, error));
        if (names.back().empty())
            return Fail(error);
        if (!seen.insert(names.back()).second)
            return Fail("\"" + names.back() + "\" is given twice");
    }

    lha::OutputFile out;
    if (!out.Open(options->output, error))
        return Fail(error);
    lha::InputFile stub;
    if (options->builtInStub) {
        const std::span<const uint8_t> builtIn = lha::BuiltInStub();
        if (builtIn.empty())
            return Fail("this lha_pack has no built-in stub: name one with --stub");
        stub.data.assign(builtIn.begin(), builtIn.end());
    } else if (!options->stub.empty() &&
               !lha::ReadRegularFile(options->stub, SIZE_MAX, "the stub must fit in memory", stub, error)) {
        return Fail(error);
    }
    lha::ClearPeChecksum(stub.data); // no longer the file's once the archive follows
    if (!out.Write(stub.data, error))
        return Fail(error);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string &file = options->files[i];
        lha::InputFile input;
        if (!lha::ReadRegularFile(file, UINT32_MAX, "an archive member holds less than 4 GiB", input, error))
            return Fail(error);
        if (input.modified < 0 || input.modified > int64_t{UINT32_MAX})
            return Fail("the time stamp of \"" + file + "\" lies outside the years 1970..2106");
        const std::optional<lha::PackedMember> member =
            lha::PackMember(names[i], input.data, static_cast<uint32_t>(input.modified), options->method, error);
        if (!member)
            return Fail(error);
        if (!out.Write(member->header, error) || !out.Write(member->body, error))
            return Fail(error);
    }
    const uint8_t end = 0;
    if (!out.Write({&end, 1}, error) || !out.Commit(error))
        return Fail(error);
    return 0;
}
