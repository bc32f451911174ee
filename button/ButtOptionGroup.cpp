// Option groups: every option-mode Butt of one container is registered in
// named window properties on the container window, "kt_OptCount" (how many)
// and "kt_Obj1".."kt_ObjN" (each a non-owning pointer), without gaps.
#include <string>

#include "button/Butt.h"
#include "host/ControlSite.h"

namespace {

constexpr const char* kOptCountProp = "kt_OptCount";

std::string SlotName(int slot) { return "kt_Obj" + std::to_string(slot); }

HANDLE SlotValue(HWND container, int slot) { return GetPropA(container, SlotName(slot).c_str()); }

int RegisteredCount(HWND container) {
  const auto n = reinterpret_cast<INT_PTR>(GetPropA(container, kOptCountProp));
  return n > 0 && n <= 0x7FFF ? static_cast<int>(n) : 0;
}

}  // namespace

HWND Butt::GroupContainer() const {
  if (site_ && !terminated_) return site_->ContainerHwnd();
  return s_.containerHwnd;
}

// op 1 joins the group, -1 leaves it, 0 clears the others (this one being
// selected), 2 asks whether any button of the group is selected.
bool Butt::OptionToggle(int op) {
  HWND container = GroupContainer();
  if (!container || !IsWindow(container)) return false;
  const int count = RegisteredCount(container);

  if ((op == 1 || count > 0) && s_.Value) {
    for (int slot = 1; slot <= count; ++slot) {
      Butt* other = FromHandle(SlotValue(container, slot));
      if (other && other != this) other->Value(false);
    }
  }

  switch (op) {
    case -1: {
      bool found = false;
      for (int slot = 1; slot <= count; ++slot) {
        HANDLE value = SlotValue(container, slot);
        if (!found && value == static_cast<HANDLE>(this)) {
          found = true;
        } else if (found) {
          SetPropA(container, SlotName(slot - 1).c_str(), value);
        }
      }
      // Only a registered button may shrink the group; anything else would
      // drop another button's slot.
      if (!found) return false;
      RemovePropA(container, SlotName(count).c_str());
      if (count == 1)
        RemovePropA(container, kOptCountProp);
      else
        SetPropA(container, kOptCountProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(count - 1)));
      return false;
    }
    case 1: {
      for (int slot = 1; slot <= count; ++slot)
        if (SlotValue(container, slot) == static_cast<HANDLE>(this)) return false;  // already in
      if (!SetPropA(container, SlotName(count + 1).c_str(), static_cast<HANDLE>(this))) return false;
      if (!SetPropA(container, kOptCountProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(count + 1)))) {
        RemovePropA(container, SlotName(count + 1).c_str());
      }
      return false;
    }
    case 2:
      for (int slot = 1; slot <= count; ++slot) {
        Butt* member = FromHandle(SlotValue(container, slot));
        if (member && member->s_.Value) return true;
      }
      return false;
    default: return false;
  }
}
