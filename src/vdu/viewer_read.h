// Reading the text page from the file the client keeps it in.
#pragma once

#include <windows.h>

#include <cstdint>

#include "vdu/viewer_page.h"

enum class PageRead : uint8_t {
    done,
    noFile,        // the handle is 0 or the invalid-handle value
    fileTooLarge,  // 4 GiB or more
    seekFailed,
    readFailed,    // a failed or short read
};

// The message box text of a failure ("setupbox" caption), null for done.
const char *PageReadFailureText(PageRead result);

// Reads pageReadSize bytes from pageFileOffset of `file` into `page`, through a file object of
// its own on that file; when the file cannot be opened again for reading, through the handle,
// under its position lock, putting its file pointer back afterwards. Either way the handle's
// file pointer stays where it was. Never closes the handle.
PageRead ReadTextPage(HANDLE file, uint8_t (&page)[pageReadSize]);
