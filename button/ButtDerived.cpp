// UpdateDerived: the caption font, the picture metrics and the working
// colours, each recomputed when what it depends on changes.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "button/ButtLooks.h"
#include "button/ButtState.h"
#include "button/ShiftColor.h"
#include "button/TranslateColor.h"
#include "host/Units.h"

namespace {
bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Builds the caption font from the host font and selects it into the back
// buffer; the font it replaces is the buffer's own the first time and the
// previous caption font afterwards.
void UpdateFont(ButtState& s) {
  HDC dc = s.buffer.dc();
  if (!dc) return;
  LOGFONTA lf{};
  const size_t n = std::min(s.hostFont.name.size(), sizeof lf.lfFaceName - 1);
  std::memcpy(lf.lfFaceName, s.hostFont.name.data(), n);
  // Points to pixels at the DPI the host lays the control out at.
  lf.lfHeight = -static_cast<LONG>(host::PointsToPixels(s.hostFont.size, s.dpi));
  lf.lfWeight = s.hostFont.weight;
  if (s.hostFont.bold && lf.lfWeight < FW_BOLD) lf.lfWeight = FW_BOLD;
  lf.lfItalic = s.hostFont.italic ? 1 : 0;
  lf.lfUnderline = s.hostFont.underline ? 1 : 0;
  lf.lfStrikeOut = s.hostFont.strikethrough ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  gdi::Font font(CreateFontIndirectA(&lf));
  if (!font) return;
  s.buffer.SelectFont(font.get());
  s.look.captionFont = std::move(font);  // deletes the previous caption font, now deselected
}

// Size and kind of the picture. Bitmaps (plain or DIB sections, decoded
// JPEGs included) answer as bitmaps; icons through their colour bitmap (or,
// for monochrome icons, the upper half of their mask).
void UpdatePicture(ButtState& s) {
  HANDLE h = s.pictureHandle;
  if (!h || s.pictureType == kPictureNone) {
    s.look.preparedPicture.reset();
    s.pictureWidth = s.pictureHeight = 0;
    return;
  }
  BITMAP bm{};
  if (GetObjectType(h) == OBJ_BITMAP && GetObjectA(h, sizeof bm, &bm)) {
    s.pictureIsIcon = 0;
    s.pictureWidth = bm.bmWidth;
    s.pictureHeight = bm.bmHeight;
    return;
  }
  ICONINFO info{};
  if (!GetIconInfo(static_cast<HICON>(h), &info)) return;
  gdi::Bitmap colour(info.hbmColor), mask(info.hbmMask);
  if (colour && GetObjectA(colour.get(), sizeof bm, &bm)) {
    s.pictureWidth = bm.bmWidth;
    s.pictureHeight = bm.bmHeight;
  } else if (mask && GetObjectA(mask.get(), sizeof bm, &bm)) {
    s.pictureWidth = bm.bmWidth;
    s.pictureHeight = bm.bmHeight / 2;
  } else {
    return;
  }
  s.pictureIsIcon = 1;
}

// The four working colours of the current style.
void UpdateColors(ButtState& s) {
  const int32_t b = TranslateColor(s.BackColor);
  const int32_t h = TranslateColor(s.HoverBackColor);
  ButtLook& l = s.look;
  switch (s.ButtonStyle) {
    case butt::StyleRoundedTheme:
      l.faceColor = ShiftColor(b, 48, true);
      l.edgeColor = ShiftColor(l.faceColor, -32, true);
      l.hoverFaceColor = ShiftColor(h, 48, true);
      l.checkedFaceColor = ShiftColor(0xFFFFFF, -32, true);
      break;
    case butt::StyleEtched:
      l.faceColor = b;
      l.edgeColor = ShiftColor(0x808080, 12);
      l.hoverFaceColor = h;
      l.checkedFaceColor = ShiftColor(0x8C8C8C, 31);
      break;
    case butt::StyleRoundedGrey:
      l.faceColor = ShiftColor(b, 31);
      l.edgeColor = ShiftColor(0x808080, -16);
      l.hoverFaceColor = ShiftColor(h, 31);
      l.checkedFaceColor = ShiftColor(0x808080, 16, true);
      break;
    default:
      l.faceColor = b;
      l.edgeColor = b;
      l.hoverFaceColor = h;
      l.checkedFaceColor = ShiftColor(0xFFFFFF, -32);
      break;
  }
}
}  // namespace

void UpdateDerived(ButtState& s, std::string_view aspect) {
  if (SameText(aspect, "Font"))
    UpdateFont(s);
  else if (SameText(aspect, "Picture"))
    UpdatePicture(s);
  else if (SameText(aspect, "BackColor"))
    UpdateColors(s);
}
