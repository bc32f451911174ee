// What Butt tells assistive technology, as plain functions of its state:
// the name read from the caption, the role and default action of each
// mode, the keyboard shortcut and the MSAA state bits.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <cstdint>
#include <string>
#include <string_view>

// The caption as a person reads it: access-key markers removed ("&&" is
// one "&"), each "||" line break read as a space.
std::string AccessibleNameOfCaption(const std::string& caption);

// ROLE_SYSTEM_PUSHBUTTON, CHECKBUTTON or RADIOBUTTON by Mode.
LONG AccessibleRoleOfMode(int32_t mode);

// "Press" for a command button, "Check"/"Uncheck" for a check box by its
// Value, "Select" for an option button.
const char* DefaultActionOf(int32_t mode, bool value);

// "Alt+X" for the first access key X (upper case); "" for none.
std::string ShortcutOfAccessKeys(std::string_view keys);

// The facts the MSAA state is made of.
struct ButtAccessibleFacts {
  int32_t mode = 0;
  bool value = false;
  bool pressed = false;  // held by the mouse or the space key
  bool hot = false;      // the pointer is over it
  bool enabled = true;
  bool visible = true;
  bool focused = false;
  bool shownAsDefault = false;
};

LONG AccessibleStateOf(const ButtAccessibleFacts& facts);

// The state bits whose change is announced with EVENT_OBJECT_STATECHANGE
// (focus and the default frame have events and rules of their own).
inline constexpr LONG kAnnouncedStateBits =
    STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED | STATE_SYSTEM_HOTTRACKED;
