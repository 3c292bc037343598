// Writing the embedded payload into the target directory, running it and its batch file.
#pragma once

#include <cstdint>

#include "host/host_context.h"

// A payload record: type byte, name at offset 4 (at most 12 characters, ended by a NUL within
// them or by the end of the field), the data from offset 20, and the fixed number of bytes
// written from there.
struct PayloadRecord {
    const uint8_t *record;
    uint32_t writeSize;
};

// The record built into the program.
PayloadRecord EmbeddedPayload();

enum ExtractionResult {
    extractionDone = 0,
    extractionWriteFailed = 4,
    extractionNotCreated = 12,
    extractionSeekFailed = 13,
    extractionNoDirectory = 15,
};

// Creates and enters the target directory, writes the payload there and, for a program
// payload, runs it, deletes it and runs the batch file it unpacked. Failures are reported in
// a message box. A target directory that is a link, or is reached through one, is refused
// before anything is written.
int ExtractPayload(const HostContext *context, const PayloadRecord &payload);
