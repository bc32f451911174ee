// Hex text, the public form of binary registry data: two uppercase hex digits
// per byte separated by single spaces ("0A FF 00"). A byte string holds one
// char per byte.
#pragma once

#include <stdexcept>
#include <string>

namespace hex_text {

// Most bytes either conversion handles, so that all hex text BinToStr makes
// is read back by StrToBin: BinToStr takes at most this many bytes, StrToBin
// at most this many pairs of hex digits. More throws.
constexpr size_t kMaxBytes = 32767;

class HexTextOverflow : public std::overflow_error {
 public:
  using std::overflow_error::overflow_error;
};

// Removes every space from `sBin` (the caller sees the cleaned text) and
// converts pairs of hex digits into bytes. A pair is read by its leading hex
// digits ("1G" is 1, "G1" is 0); a trailing single digit is ignored.
// Throws HexTextOverflow when the cleaned text holds more than kMaxBytes pairs.
std::string StrToBin(std::string& sBin);
// " 0A FF 00" for the bytes 0x0A 0xFF 0x00: each byte preceded by a space.
// Throws HexTextOverflow when the input holds more than kMaxBytes bytes.
std::string BinToStr(const std::string& sStr);
// True when the text, spaces removed, is non-empty and all hex digits.
bool isBinValid(const std::string& sBin);

}  // namespace hex_text
