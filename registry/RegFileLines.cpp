#include "registry/RegFileLines.h"

#include <cstdio>

#include "registry/RegistryText.h"

namespace reg_file {

namespace {
std::string QuotedName(std::string_view name) {
  std::string line = "\"";
  line.append(name);
  line.append("\"=");
  return line;
}
}  // namespace

std::string KeyLine(std::string_view keyPath) {
  std::string line = "[";
  line.append(keyPath);
  line.push_back(']');
  return line;
}

std::string DefaultValueLine(std::string_view text) {
  std::string line = "@=\"";
  line.append(text);
  line.push_back('"');
  return line;
}

std::string StringValueLine(std::string_view name, std::string_view text) {
  std::string line = QuotedName(name);
  line.push_back('"');
  line.append(text);
  line.push_back('"');
  return line;
}

std::string BinaryValueLine(std::string_view name, std::string_view hexText) {
  std::string line = QuotedName(name) + "hex:";
  for (char c : registry_text::TrimSpaces(hexText)) line.push_back(c == ' ' ? ',' : c);
  return line;
}

std::string DwordValueLine(std::string_view name, int32_t value) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(static_cast<uint32_t>(value)));
  return QuotedName(name) + "dword:" + digits;
}

bool IsWritableLine(std::string_view line) { return line.find("\r\n") == std::string_view::npos; }

}  // namespace reg_file
