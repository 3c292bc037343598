// The arguments of lha_pack:
//   lha_pack [--stub STUB_FILE | --self-extractor] --output OUT [--method lh5|lh0] --base DIR FILE...
//   lha_pack [--stub STUB_FILE | --self-extractor] --output OUT [--method lh5|lh0] --folder DIR
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lha_pack/archive_member.h"

namespace lha {

struct PackOptions {
    std::string stub;  // empty: no stub
    bool builtInStub = false; // --self-extractor: the stub built into the packer
    std::string output;
    std::string base;    // with --folder: the folder
    bool wholeFolder = false; // every file below `base`, no FILE given
    PackMethod method = PackMethod::Auto;
    std::vector<std::string> files;
};

extern const char *const usageText;

// The options in `args` (without the program name), or nothing with `error` set. Options take
// their value as the next argument or after '='; "--" ends the options.
std::optional<PackOptions> ParseCommandLine(std::span<const std::string> args, std::string &error);

} // namespace lha
