// payload_record PAYLOAD RECORD_OUT HEADER_OUT
// Writes the payload record for PAYLOAD and a header with the number of bytes the extraction
// writes from it.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "payload_record/payload_record.h"

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: payload_record PAYLOAD RECORD_OUT HEADER_OUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "payload_record: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::vector<uint8_t> payload((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    const std::vector<uint8_t> record =
        BuildPayloadRecord(std::filesystem::path(argv[1]).filename().string(), payload, error);
    if (record.empty()) {
        std::fprintf(stderr, "payload_record: %s\n", error.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(record.data()), static_cast<std::streamsize>(record.size()));
    std::ofstream header(argv[3], std::ios::trunc);
    header << "// Made by payload_record from " << std::filesystem::path(argv[1]).filename().string() << ".\n"
           << "#pragma once\n"
           << "#define TW_PAYLOAD_WRITE_SIZE " << PaddedPayloadSize(payload.size()) << "u\n";
    if (!out || !header) {
        std::fprintf(stderr, "payload_record: cannot write the outputs\n");
        return 1;
    }
    return 0;
}
