// Title and text of the About box.
#pragma once

#include <string>

namespace vorn {

// "About (v" + major + "." + minor + revision + ")", each number in decimal:
// version 1.0.1 gives "About (v1.01)", version 2.3.14 "About (v2.314)".
std::string AboutTitle(unsigned major, unsigned minor, unsigned revision);

// The credits: seven lines joined by CR LF, none after the last.
std::string AboutText();

}  // namespace vorn
