#include "button/ButtCaption.h"

#include "button/ButtDrawTools.h"
#include "button/ButtPicture.h"
#include "button/ButtState.h"
#include "button/ShiftColor.h"
#include "button/TranslateColor.h"

std::string CaptionDisplayText(const std::string& caption, const char* lineBreak) {
  std::string text;
  text.reserve(caption.size() + 4);
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '|' && i + 1 < caption.size() && caption[i + 1] == '|') {
      text += lineBreak;
      ++i;
    } else {
      text += caption[i];
    }
  }
  return text;
}

void DrawCaption(ButtState& s, int32_t baseColor, int32_t captionColor, bool pressed, bool& flatDisabled) {
  RECT cap = s.look.captionRect;
  RECT pic = s.look.pictureRect;
  const int shape = s.ButtonShape;
  const bool heldDown = s.PressedAndHot();
  const bool value = s.Value != 0;
  if ((pressed || heldDown) && s.ButtonStyle != butt::StyleEtched) {
    const int dx = shape <= 3 ? 1 : 0;
    OffsetRect(&cap, dx, 1);
    OffsetRect(&pic, dx, 1);
  }
  if (!((shape == 7 || shape == 8) && value)) DrawPicture(s, pic);
  if (s.Caption.empty() || (shape > 4 && !value)) return;
  HDC dc = s.buffer.dc();
  if (!dc) return;

  const std::string text = CaptionDisplayText(s.Caption);
  UINT format = DT_WORDBREAK;
  if (s.CaptionAlign == butt::CaptionRight)
    format |= DT_RIGHT;
  else if (s.CaptionAlign == butt::CaptionCenter)
    format |= DT_CENTER;
  auto draw = [&] { DrawTextA(dc, text.c_str(), -1, &cap, format); };

  const bool enabled = s.hostEnabled != 0;
  int32_t textColor = captionColor;
  if (enabled) {
    if (!s.hoverTracking || heldDown) {
      textColor = (s.ButtonStyle == butt::StyleRoundedGrey && (value || s.GradientMode == butt::GradientNone))
                      ? captionColor
                      : TranslateColor(s.hostForeColor);
    } else {
      textColor = TranslateColor(s.HoverForeColor);
    }
    if (s.CaptionStyle == butt::CaptionEmbossed || s.CaptionStyle == butt::CaptionEngraved) {
      const int k = s.CaptionStyle == butt::CaptionEngraved ? 40 : -40;
      SelectDrawingTool(s, true, dc, ToolTextColor, ShiftColor(baseColor, k));
      OffsetRect(&cap, -1, 0);
      draw();
      SelectDrawingTool(s, true, dc, ToolTextColor, ShiftColor(baseColor, -k));
      OffsetRect(&cap, 2, 2);
      draw();
      OffsetRect(&cap, -1, -1);
    }
  } else if (captionColor < 0 || s.GradientMode != butt::GradientNone) {
    textColor = 0xFFFFFF;  // the white relief under the grey text
    OffsetRect(&cap, 1, 1);
    flatDisabled = false;
  }
  SelectDrawingTool(s, true, dc, ToolTextColor, textColor);
  draw();
  if (!enabled && !flatDisabled) {
    SelectDrawingTool(s, true, dc, ToolTextColor, 0x808080);
    OffsetRect(&cap, -1, -1);
    draw();
  }
}
