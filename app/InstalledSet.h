// Which post-process set is installed, told by the length of type1.xml.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorn {

inline constexpr const char kDetectionFile[] = "type1.xml";
inline constexpr int64_t kNoneLength = 597;
inline constexpr int64_t kFullLength = 18473;

// The selector text for a type1.xml of `length` bytes: "None" for the null
// chain's length, "Full" for every other length. A file whose length cannot
// be read (nothing given) counts as "None".
inline std::string InstalledSetName(std::optional<int64_t> length) {
  if (!length || *length == kNoneLength) return "None";
  return "Full";
}

}  // namespace vorn
