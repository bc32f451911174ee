#include "button/ButtAccessKey.h"

std::optional<std::string> AccessKeyOfCaption(std::string_view caption) {
  std::optional<std::string> key;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (i + 1 < caption.size() && caption[i + 1] == '&') {
      ++i;  // "&&": a literal ampersand
      continue;
    }
    key = i + 1 < caption.size() ? std::string(1, caption[i + 1]) : std::string();
  }
  return key;
}
