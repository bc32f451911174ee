// The game's installation folder, as its installer records it.
#pragma once

#include <string>

namespace vorn {

// The string value PATH_APPLICATION under
// HKEY_LOCAL_MACHINE\SOFTWARE\Olverant\VORN (the registry view of this
// process), read as UTF-16 and handed out as UTF-8, with leading spaces
// dropped as the registry access class drops them; empty when the key or
// value is missing or holds no text.
std::string ReadInstallFolder();

}  // namespace vorn
