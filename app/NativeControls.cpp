#include "app/NativeControls.h"

#include <algorithm>

namespace vorn {

void DropDownCombo::Create(HWND parent, const RECT& bounds, const host::FontDesc& font, int dpi) {
  // The window height of a combo box includes its open list.
  window_.reset(CreateWindowExA(0, "COMBOBOX", "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                bounds.left, bounds.top, bounds.right - bounds.left, (bounds.bottom - bounds.top) * 6,
                                parent, nullptr, GetModuleHandleA(nullptr), nullptr));
  Place(bounds, font, dpi);
}

void DropDownCombo::Place(const RECT& bounds, const host::FontDesc& font, int dpi) {
  if (!window_) return;
  const int width = bounds.right - bounds.left;
  const int closedHeight = bounds.bottom - bounds.top;
  SetWindowPos(window_.get(), nullptr, bounds.left, bounds.top, width, closedHeight * 6, SWP_NOZORDER | SWP_NOACTIVATE);
  // The new font first (the list measures its items by it), then the old
  // one goes.
  gdi::Font made = host::CreateGdiFont(font, dpi);
  SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), FALSE);
  font_ = std::move(made);
  // Make the closed box as tall as its place on the form: the selection
  // field is the total height less the frame the control draws around it.
  RECT now;
  GetWindowRect(window_.get(), &now);
  const int field = static_cast<int>(SendMessageA(window_.get(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  const int frame = (now.bottom - now.top) - field;
  if (field > 0 && frame > 0 && closedHeight - frame > 0) {
    SendMessageA(window_.get(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), closedHeight - frame);
  }
}

void DropDownCombo::AddItem(const std::string& text) {
  SendMessageA(window_.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string DropDownCombo::Text() const {
  const int n = GetWindowTextLengthA(window_.get());
  std::string text(static_cast<size_t>(n) + 1, '\0');
  const int got = GetWindowTextA(window_.get(), text.data(), n + 1);
  text.resize(static_cast<size_t>(std::max(0, got)));
  return text;
}

void DropDownCombo::SetText(const std::string& text) { SetWindowTextA(window_.get(), text.c_str()); }

}  // namespace vorn
