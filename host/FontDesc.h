// A font description as controls and forms hold it (the host's font
// object): face name, size in points, weight and style flags. Fonts are
// values: copying one copies the description, and GDI fonts are made from
// it when something draws.
#pragma once

#include <cstdint>
#include <string>

#include "host/GdiObjects.h"

namespace host {

struct FontDesc {
  std::string name = "MS Sans Serif";
  float size = 8.25f;    // points; kept to 4 decimals when stored
  int16_t weight = 400;  // 100..900; 700 is bold
  bool bold = false;     // kept in step with weight by Normalized()
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int16_t charset = 0;  // DEFAULT_CHARSET would be 1; 0 is ANSI

  bool operator==(const FontDesc&) const = default;
};

// Makes bold and weight agree. The bold flag wins: bold with a weight below
// 600 becomes 700, not bold with a weight of 600 or more becomes 400.
FontDesc Normalized(FontDesc font);

// Throws host::Error (invalid property value) when the description cannot
// make a font: empty or over-long name, size not in (0, 2048] points,
// weight outside 0..1000.
void ValidateFont(const FontDesc& font);

// A GDI font for the description at the given dots per inch (height
// -round(size * dpi / 72)). Throws host::Error when the font is invalid.
gdi::Font CreateGdiFont(const FontDesc& font, int dpi = 96);

// The description of an existing GDI font (e.g. the system's dialog font).
FontDesc DescribeFont(HFONT font, int dpi = 96);

}  // namespace host
