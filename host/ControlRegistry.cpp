#include "host/ControlRegistry.h"

#include <cctype>
#include <map>

#include "host/Error.h"

namespace host {
namespace {

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

std::map<std::string, ControlFactory>& Factories() {
  static std::map<std::string, ControlFactory> factories;
  return factories;
}

}  // namespace

void RegisterControlClass(std::string_view className, ControlFactory factory) {
  Factories()[Lower(className)] = std::move(factory);
}

bool IsControlClassRegistered(std::string_view className) { return Factories().count(Lower(className)) != 0; }

std::unique_ptr<Control> CreateControl(std::string_view className) {
  auto it = Factories().find(Lower(className));
  if (it == Factories().end() || !it->second)
    throw Error(errors::kUnknownControlClass, "Unknown control class \"" + std::string(className) + "\"");
  std::unique_ptr<Control> control = it->second();
  if (!control)
    throw Error(errors::kUnknownControlClass, "The factory of \"" + std::string(className) + "\" made nothing");
  return control;
}

}  // namespace host
