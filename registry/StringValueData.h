// Turns the bytes a registry query returned into the text ReadString hands
// out: leading spaces are dropped, trailing spaces kept, and the terminating
// zero that follows the string data is removed. Pure.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace registry_value {

// `data` are the bytes the query reported. When the data filled a buffer of
// `bufferSize` bytes without a terminating zero, the text did not fit with
// its terminator: no result (the caller's default applies). Pass
// std::string_view::npos as bufferSize when the whole value was read.
std::optional<std::string> TextFromStringData(std::string_view data, size_t bufferSize);

// A 32-bit value from up to four little-endian bytes; longer data give
// `fallback`, as a four-byte query of them would fail.
int32_t DwordFromData(std::string_view data, int32_t fallback);

}  // namespace registry_value
