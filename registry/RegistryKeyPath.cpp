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

namespace {
// `name` (ASCII) at the start of `path`, ASCII letters in any case.
bool StartsWithNoCase(std::wstring_view path, const char* name) {
  size_t i = 0;
  for (; name[i]; ++i) {
    if (i >= path.size()) return false;
    wchar_t c = path[i];
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    char n = name[i];
    if (n >= 'a' && n <= 'z') n = static_cast<char>(n - 'a' + 'A');
    if (c != static_cast<wchar_t>(n)) return false;
  }
  return i == path.size() || path[i] == L'\\';
}
}  // namespace

HKEY SplitRegeditPath(std::wstring_view path, bool shortNames, std::wstring_view& subKey, const RootName** row) {
  for (const RootName& root : kRootNames) {
    const char* name = StartsWithNoCase(path, root.longName)                  ? root.longName
                       : shortNames && StartsWithNoCase(path, root.shortName) ? root.shortName
                                                                              : nullptr;
    if (!name) continue;
    const size_t length = std::char_traits<char>::length(name);
    subKey = length < path.size() ? path.substr(length + 1) : std::wstring_view();
    if (row) *row = &root;
    return root.handle;
  }
  return nullptr;
}

}  // namespace registry_path
