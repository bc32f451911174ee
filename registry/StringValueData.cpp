#include "registry/StringValueData.h"

#include <cstdint>

#include "registry/RegistryText.h"

namespace registry_value {

std::optional<std::string> TextFromStringData(std::string_view data, size_t bufferSize) {
  const bool terminated = !data.empty() && data.back() == '\0';
  if (!terminated && data.size() >= bufferSize) return std::nullopt;
  if (terminated) data.remove_suffix(1);
  return std::string(registry_text::TrimLeadingSpaces(data));
}

int32_t DwordFromData(std::string_view data, int32_t fallback) {
  if (data.size() > 4) return fallback;
  uint32_t value = 0;
  for (size_t i = 0; i < data.size(); ++i) value |= uint32_t{static_cast<unsigned char>(data[i])} << (8 * i);
  return static_cast<int32_t>(value);
}

std::string DwordData(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  return {static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
          static_cast<char>(bits >> 24)};
}

}  // namespace registry_value
