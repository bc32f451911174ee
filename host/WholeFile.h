// Reading a whole file into memory, for the host's stored forms and
// pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

enum class WholeFileRead {
  kRead,
  kNotFound,    // the file or its folder does not exist
  kNotOpened,   // it exists but could not be opened (sharing, rights)
  kReadFailed,  // opened, but reading failed or it is 1 GiB or larger
};

// Reads the file at `path` into `bytes` (left empty unless read).
WholeFileRead ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace host
