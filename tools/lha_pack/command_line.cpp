#include "lha_pack/command_line.h"

namespace lha {

const char *const usageText =
    "usage: lha_pack [--stub STUB_FILE | --self-extractor] --output OUT [--method lh5|lh0] --base DIR FILE...\n"
    "       lha_pack [--stub STUB_FILE | --self-extractor] --output OUT [--method lh5|lh0] --folder DIR\n";

namespace {

bool SetOnce(std::string &target, const std::string &name, const std::string &value, std::string &error)
{
    if (!target.empty()) {
        error = name + " given twice";
        return false;
    }
    target = value;
    return true;
}

} // namespace

std::optional<PackOptions> ParseCommandLine(std::span<const std::string> args, std::string &error)
{
    PackOptions options;
    std::string method;
    std::string folder;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--self-extractor") {
            options.builtInStub = true;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        std::string *target = name == "--stub"     ? &options.stub
                              : name == "--output" ? &options.output
                              : name == "--base"   ? &options.base
                              : name == "--method" ? &method
                              : name == "--folder" ? &folder
                                                   : nullptr;
        if (target == nullptr) {
            error = "unknown option " + name;
            return std::nullopt;
        }
        std::string value;
        if (eq != std::string::npos)
            value = arg.substr(eq + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        if (value.empty()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        if (!SetOnce(*target, name, value, error))
            return std::nullopt;
    }
    if (method == "lh5")
        options.method = PackMethod::Lh5;
    else if (method == "lh0")
        options.method = PackMethod::Lh0;

    if (!method.empty() && method != "lh5" && method != "lh0")
        error = "--method must be lh5 or lh0, not \"" + method + "\"";
    else if (options.output.empty())
        error = "--output is missing";
    else if (options.builtInStub && !options.stub.empty())
        error = "--stub and --self-extractor both choose a stub";
    else if (!folder.empty() && (!options.base.empty() || !options.files.empty()))
        error = "--folder packs the whole folder: no --base and no FILE with it";
    else if (folder.empty() && options.base.empty())
        error = "--base is missing";
    else if (folder.empty() && options.files.empty())
        error = "no FILE to pack";
    if (!error.empty())
        return std::nullopt;
    if (!folder.empty()) {
        options.base = folder;
        options.wholeFolder = true;
    }
    return options;
}

} // namespace lha
