// Helpers shared by the form's source files. Internal to the host.
#pragma once

#include <string>
#include <string_view>

#include "host/Form.h"

namespace host {

// Counts the form's window procedures on the stack; when the outermost
// one returns, a pending unload destroys the windows, so nothing is
// destroyed under a control that is still running an event.
struct DispatchScope {
  explicit DispatchScope(Form* f) : form(f) { ++form->dispatchDepth_; }
  ~DispatchScope() {
    if (--form->dispatchDepth_ == 0 && form->destroyPending_) form->DestroyAll();
  }
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;
  Form* form;
};

std::string LowerName(std::string_view s);

// Draws a picture unstretched with its top-left corner at (x, y), or
// stretched into a rectangle.
void DrawPictureAt(HDC dc, const Picture& picture, int x, int y);
void DrawPictureStretched(HDC dc, const Picture& picture, const RECT& rect);

// The pixel rectangle of a twips rectangle.
RECT TwipsRect(int32_t left, int32_t top, int32_t width, int32_t height);

// The mnemonic of a caption: the character after the last single "&"
// (a "&&" pair is a literal ampersand); 0 when there is none.
char CaptionMnemonic(std::string_view caption);

}  // namespace host
