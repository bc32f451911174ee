// Drawing the caption (and, before it, the picture) onto the face.
#pragma once

#include <cstdint>
#include <string>

struct ButtState;

// The caption as it is drawn: every "||" becomes a line break (CR LF, or
// the text given: a screen reader reads it as a space).
std::string CaptionDisplayText(const std::string& caption, const char* lineBreak = "\r\n");

// Draws the picture and the caption into the back buffer. baseColor is the
// face colour the renderer painted (for the embossed and engraved copies);
// captionColor the renderer's caption colour (-1: none); pressed moves
// caption and picture by a pixel (most renderers pass Value). A disabled
// caption is drawn white under grey unless flatDisabled asks for one flat
// pass in captionColor; the routine clears flatDisabled when it chose the
// white-under-grey look.
void DrawCaption(ButtState& s, int32_t baseColor, int32_t captionColor, bool pressed, bool& flatDisabled);
