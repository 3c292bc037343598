// The stub's PE checksum. A Windows program's header holds a checksum of the whole file, which
// appending an archive makes wrong. Windows checks it only for drivers and a few system DLLs;
// 0 means "no checksum".
#pragma once

#include <cstdint>
#include <vector>

namespace lha {

// Sets the checksum field of `stub` to 0 when the stub is a Windows program (an MZ header
// pointing to a PE header with an optional header); anything else stays as it is.
void ClearPeChecksum(std::vector<uint8_t> &stub);

} // namespace lha
