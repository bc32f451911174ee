#include "host/CaptionAsRead.h"

namespace host {

std::string CaptionAsRead(std::string_view caption) {
  std::string read;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      read += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      read += '&';
      ++i;
    }
  }
  return read;
}

}  // namespace host
