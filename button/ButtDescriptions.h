// What a property browser shows for each public property of Butt: its
// description and, for a few, the category it is filed under.
#pragma once

#include <span>
#include <string_view>

struct ButtPropertyInfo {
  std::string_view name;
  std::string_view description;
  std::string_view category;  // empty: no category of its own
};

// Every property, in declaration order (hdc and HWND have no description).
std::span<const ButtPropertyInfo> ButtPropertyDescriptions();

// The entry of one property (case-insensitive), or nullptr.
const ButtPropertyInfo* FindButtProperty(std::string_view name);
