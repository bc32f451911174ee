#include "host/FontDesc.h"

#include <cmath>
#include <cstring>

#include "host/Error.h"
#include "host/Units.h"

namespace host {

FontDesc Normalized(FontDesc font) {
  if (font.bold && font.weight < 600) font.weight = 700;
  if (!font.bold && font.weight >= 600) font.weight = 400;
  return font;
}

void ValidateFont(const FontDesc& font) {
  if (font.name.empty() || font.name.size() >= LF_FACESIZE)
    throw Error(errors::kInvalidPropertyValue,
                "Invalid property value: a font needs a face name of 1 to 31 characters");
  if (!(font.size > 0.0f) || font.size > 2048.0f || !std::isfinite(font.size))
    throw Error(errors::kInvalidPropertyValue,
                "Invalid property value: a font size must be above 0 and at most 2048 points");
  if (font.weight < 0 || font.weight > 1000)
    throw Error(errors::kInvalidPropertyValue, "Invalid property value: a font weight must be 0 to 1000");
}

gdi::Font CreateGdiFont(const FontDesc& desc, int dpi) {
  ValidateFont(desc);
  FontDesc font = Normalized(desc);
  LOGFONTA lf{};
  lf.lfHeight = -static_cast<LONG>(PointsToPixels(font.size, dpi));
  if (lf.lfHeight == 0) lf.lfHeight = -1;
  lf.lfWeight = font.weight;
  lf.lfItalic = font.italic ? TRUE : FALSE;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfStrikeOut = font.strikethrough ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(font.charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::memcpy(lf.lfFaceName, font.name.c_str(), font.name.size() + 1);
  gdi::Font result(CreateFontIndirectA(&lf));
  if (!result)
    throw Error(errors::kInvalidPropertyValue,
                "Invalid property value: the font \"" + font.name + "\" cannot be created");
  return result;
}

FontDesc DescribeFont(HFONT handle, int dpi) {
  FontDesc font;
  LOGFONTA lf{};
  if (!handle || !GetObjectA(handle, sizeof lf, &lf)) return font;
  font.name = lf.lfFaceName;
  LONG height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  // Points to 4 decimals, as the stored size keeps them.
  font.size = static_cast<float>(std::nearbyint(height * 72.0 / dpi * 10000.0) / 10000.0);
  font.weight = static_cast<int16_t>(lf.lfWeight ? lf.lfWeight : 400);
  font.bold = font.weight >= 600;
  font.italic = lf.lfItalic != 0;
  font.underline = lf.lfUnderline != 0;
  font.strikethrough = lf.lfStrikeOut != 0;
  font.charset = lf.lfCharSet;
  return font;
}

}  // namespace host
