// The printer that a job for the first parallel port takes when there is no printer named after
// the port. Every call to the print spooler stands here.
#pragma once

#include <vector>

// On the NT family the user's default printer, or the first local printer listed when no
// default is set; on the 95 family the spooler's default printer. The name with its NUL, empty
// when there is no printer.
std::vector<char> DefaultPrinterName();
