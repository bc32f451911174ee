#include "registry/RegistryKeyPath.h"

#include "registry/RegistryText.h"

namespace registry_path {

std::string ShortenRootNames(std::string_view path) {
  std::string out(path);
  for (const RootName& row : kRootNames) out = registry_text::ReplaceNoCase(out, row.longName, row.shortName);
  return out;
}

std::string LengthenRootNames(std::string_view path) {
  std::string out(path);
  for (const RootName& row : kRootNames) out = registry_text::ReplaceNoCase(out, row.shortName, row.longName);
  return out;
}

HKEY SplitKeyPath(std::string& path, std::string& subKey) {
  path = ShortenRootNames(path);
  const auto slash = path.find('\\');
  std::string rootName;
  if (slash == std::string::npos) {
    rootName = registry_text::ToUpperAscii(path);
    subKey.clear();
  } else {
    // Four characters whatever the backslash's position: "HKU\x" reads "HKU\"
    // and matches nothing.
    rootName = registry_text::ToUpperAscii(std::string_view(path).substr(0, 4));
    subKey = path.substr(slash + 1);
  }
  for (const RootName& row : kRootNames) {
    if (rootName == row.shortName) return row.handle;
  }
  return nullptr;
}

}  // namespace registry_path
