// Small text helpers shared by the path, hex and .reg file code. ASCII-only
// case mapping: names cross the registry boundary in the ANSI code page, and
// the markers they are compared with are plain ASCII.
#pragma once

#include <string>
#include <string_view>

namespace registry_text {

// Removes spaces (0x20 only) at both ends.
std::string_view TrimSpaces(std::string_view text);
// Removes leading spaces (0x20 only).
std::string_view TrimLeadingSpaces(std::string_view text);
// Removes every occurrence of one character.
std::string RemoveChar(std::string_view text, char c);
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
// Replaces every occurrence of `from`, compared without regard to ASCII case,
// by `to`, scanning left to right over the original text.
std::string ReplaceNoCase(std::string_view text, std::string_view from, std::string_view to);
bool StartsWith(std::string_view text, std::string_view prefix);
// StartsWith with ASCII letters compared without regard to case; `prefix`
// is lower case.
bool StartsWithLowerCase(std::string_view text, std::string_view prefix);
// Value of one hex digit, or -1.
int HexDigitValue(char c);

}  // namespace registry_text
