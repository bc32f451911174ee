// A caption as a person hears it from a screen reader.
#pragma once

#include <string>
#include <string_view>

namespace host {

// Every "&" access-key marker removed; a "&&" pair reads as one "&".
std::string CaptionAsRead(std::string_view caption);

}  // namespace host
