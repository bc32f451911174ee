// The data of registry values: the bytes a query returned turned into the
// text ReadString hands out (leading spaces dropped, trailing spaces kept,
// the terminating zero removed) or the number ReadDWORD hands out, and the
// bytes and names the writers store. Pure.
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

// The four little-endian bytes a REG_DWORD value of `value` stores.
std::string DwordData(int32_t value);

// The value name WriteString stores for `name`: "@" names the default value
// (the empty name). The other writers store "@" as it is.
inline std::string StringValueName(const std::string& name) { return name == "@" ? std::string() : name; }

}  // namespace registry_value
