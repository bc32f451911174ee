// A line of a .reg file that ImportRegFile did not understand or could not
// apply, and why.
#pragma once

#include <cstdint>
#include <string>

struct RegFileRefusal {
  int32_t line;        // 1 for the first line; 0 for the file as a whole
  std::string reason;  // English, ASCII
};
