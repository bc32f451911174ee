#include "button/ButtDescriptions.h"

#include <array>

namespace {

constexpr std::array<ButtPropertyInfo, 27> kProperties{{
    {"ButtonStyle", "Various operating system button styles", ""},
    {"Mode", "Command button, check box or option button mode", ""},
    {"Caption", "The caption of the button. Double pipe (||) is a line break.", "Appearance"},
    {"CaptionAlign", "Horizontal alignment of caption on the button.", ""},
    {"CaptionStyle", "Flat, Embossed or Engraved effects", ""},
    {"CustomClick", "Custom shaped buttons only. Moves the button vs the traditional click effect.", ""},
    {"ButtonShape", "Rectangular or various diagonal shapes", ""},
    {"Picture", "The image used to display on the button.", ""},
    {"PictureAlign", "Alignment of the button image in relation to the caption and/or button.", ""},
    {"Enabled", "Determines if events are fired for this button.", "Behavior"},
    {"ShowFocusRect",
     "Allows or prevents a focus rectangle from being displayed. In design mode, this may always be displayed for "
     "button set as Default.",
     ""},
    {"Value", "Applicable to only check box or option button modes: True or False", ""},
    {"PictureSize", "Various sizes for images used on buttons. Last 2 options center image automatically.", ""},
    {"MousePointer", "Various optional mouse pointers to use when mouse is over the button", ""},
    {"MouseIcon", "Icon or cursor used to display when mouse is over the button. MousePointer must be set to Custom.",
     ""},
    {"Font", "Font used to display the caption.", "Font"},
    {"FontStyle", "Various font attributes that can be changed directly.", ""},
    {"ForeColor", "The color of the caption's font .", ""},
    {"BackColor", "Button back color. See also ResetDefaultColors", ""},
    {"GradientColor", "Secondary color used for gradient shades. The BackColor property is the primary color.", ""},
    {"GradientMode", "Various directions to draw the gradient shading.", ""},
    {"ResetDefaultColors",
     "Resets button's back color and text color to Window's standard. The hover properties are also reset.", ""},
    {"HoverColorLocks", "Can ensure the hover colors match the caption and back colors. Click for more options.", ""},
    {"HoverForeColor",
     "Color of button caption's text when mouse is hovering over it. Affects the HoverLockColors property.", ""},
    {"HoverBackColor",
     "Color of button background when mouse is hovering over it. Affects the HoverLockColors property.", ""},
    {"hdc", "", ""},
    {"HWND", "", ""},
}};

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::span<const ButtPropertyInfo> ButtPropertyDescriptions() { return kProperties; }

const ButtPropertyInfo* FindButtProperty(std::string_view name) {
  for (const ButtPropertyInfo& p : kProperties)
    if (SameName(p.name, name)) return &p;
  return nullptr;
}
