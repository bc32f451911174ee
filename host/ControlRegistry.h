// Control classes by name, so a stored form that names a class ("Butt")
// can create instances without the host depending on the control's code.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/Control.h"

namespace host {

using ControlFactory = std::function<std::unique_ptr<Control>()>;

// Registers (or replaces) the factory of a class; names are
// case-insensitive.
void RegisterControlClass(std::string_view className, ControlFactory factory);
bool IsControlClassRegistered(std::string_view className);
// A new instance; throws host::Error (32001) for an unknown class.
std::unique_ptr<Control> CreateControl(std::string_view className);

}  // namespace host
