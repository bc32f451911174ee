#include "button/ButtAccessibleText.h"

#include <oleacc.h>

#include <cctype>

#include "button/ButtCaption.h"
#include "button/ButtState.h"
#include "host/CaptionAsRead.h"

std::string AccessibleNameOfCaption(const std::string& caption) {
  return host::CaptionAsRead(CaptionDisplayText(caption, " "));
}

LONG AccessibleRoleOfMode(int32_t mode) {
  switch (mode) {
    case ModeCheckBox: return ROLE_SYSTEM_CHECKBUTTON;
    case ModeOptionButton: return ROLE_SYSTEM_RADIOBUTTON;
    default: return ROLE_SYSTEM_PUSHBUTTON;
  }
}

const char* DefaultActionOf(int32_t mode, bool value) {
  switch (mode) {
    case ModeCheckBox: return value ? "Uncheck" : "Check";
    case ModeOptionButton: return "Select";
    default: return "Press";
  }
}

std::string ShortcutOfAccessKeys(std::string_view keys) {
  if (keys.empty()) return {};
  return std::string("Alt+") + static_cast<char>(std::toupper(static_cast<unsigned char>(keys.front())));
}

LONG AccessibleStateOf(const ButtAccessibleFacts& facts) {
  LONG state = 0;
  if (!facts.visible) state |= STATE_SYSTEM_INVISIBLE;
  if (facts.enabled)
    state |= STATE_SYSTEM_FOCUSABLE;
  else
    state |= STATE_SYSTEM_UNAVAILABLE;
  if (facts.focused) state |= STATE_SYSTEM_FOCUSED;
  if (facts.pressed) state |= STATE_SYSTEM_PRESSED;
  if (facts.hot) state |= STATE_SYSTEM_HOTTRACKED;
  if (facts.mode != ModeCommand && facts.value) state |= STATE_SYSTEM_CHECKED;
  // Only a command button takes Enter as the default button.
  if (facts.mode == ModeCommand && facts.shownAsDefault) state |= STATE_SYSTEM_DEFAULT;
  return state;
}
