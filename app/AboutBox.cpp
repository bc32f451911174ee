#include "app/AboutBox.h"

#include <iterator>

namespace vorn {

std::string AboutTitle(unsigned major, unsigned minor, unsigned revision) {
  return "About (v" + std::to_string(major) + "." + std::to_string(minor) + std::to_string(revision) + ")";
}

std::string AboutText() {
  static const char* const kLines[] = {
      "Application: kestrelbyte",
      "Credits: nightowl_fx",
      "Tester: gravelrash",
      "",
      "http://www.example.com/lumatrim",
      "http://www.example.org/vorn-tools",
      "lumatrim@example.com",
  };
  std::string text = kLines[0];
  for (size_t i = 1; i < std::size(kLines); ++i) {
    text += "\r\n";
    text += kLines[i];
  }
  return text;
}

}  // namespace vorn
