// The command line that opens a screen's document page. Pure.
#pragma once

#include <cstdint>

#include "host/host_context.h"

// "START.EXE ", up to eight name bytes, ".HTM": 22 characters at the most, and the NUL.
constexpr int documentCommandSize = 23;

// Writes the command line for screen `screenNumber` into `command` and returns true, or
// returns false when the screen has no document: a screen other than 1 to 4, or an entry
// that starts with a byte of 32 or less. The name ends at its first byte of 32 or less.
bool BuildDocumentCommand(const HostContext &context, uint8_t screenNumber, char (&command)[documentCommandSize]);
