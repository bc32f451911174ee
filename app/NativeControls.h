// The native child window of the VORN window: the editable drop-down
// selector (a combo box the user may also type into). It owns its window
// and its font.
#pragma once

#include <windows.h>

#include <string>

#include "host/FontDesc.h"
#include "host/GdiObjects.h"
#include "host/UserObjects.h"

namespace vorn {

class DropDownCombo {
 public:
  // Creates the combo box as a child of `parent`; `bounds` (parent pixels)
  // is the closed box, the open list gets room for a few items below it.
  // The font is made at `dpi`.
  void Create(HWND parent, const RECT& bounds, const host::FontDesc& font, int dpi);
  // Places the made combo box at `bounds` with the font made at `dpi`: the
  // list's items take the new font's height, the closed box its place's.
  void Place(const RECT& bounds, const host::FontDesc& font, int dpi);
  HWND Handle() const { return window_.get(); }

  void AddItem(const std::string& text);
  std::string Text() const;
  void SetText(const std::string& text);

 private:
  user::Window window_;
  gdi::Font font_;
};

}  // namespace vorn
