#include "registry/HexText.h"

#include "registry/RegistryText.h"

namespace hex_text {

std::string StrToBin(std::string& sBin) {
  sBin = registry_text::RemoveChar(sBin, ' ');
  if (sBin.size() / 2 > kMaxBytes) throw HexTextOverflow("hex text of more than 32767 bytes");
  std::string bytes;
  bytes.reserve(sBin.size() / 2);
  for (size_t i = 0; i + 1 < sBin.size(); i += 2) {
    const int high = registry_text::HexDigitValue(sBin[i]);
    const int low = registry_text::HexDigitValue(sBin[i + 1]);
    int value = 0;
    if (high >= 0) value = low >= 0 ? high * 16 + low : high;
    bytes.push_back(static_cast<char>(value));
  }
  return bytes;
}

std::string BinToStr(const std::string& sStr) {
  if (sStr.size() > kMaxBytes) throw HexTextOverflow("byte string of more than 32767 bytes");
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(sStr.size() * 3);
  for (char c : sStr) {
    const auto byte = static_cast<unsigned char>(c);
    text.push_back(' ');
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
  }
  return text;
}

bool isBinValid(const std::string& sBin) {
  const std::string cleaned = registry_text::RemoveChar(sBin, ' ');
  if (cleaned.empty()) return false;
  for (char c : cleaned) {
    if (registry_text::HexDigitValue(c) < 0) return false;
  }
  return true;
}

}  // namespace hex_text
