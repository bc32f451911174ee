// Resolves a stored colour to a plain RGB colour just before drawing.
#pragma once

#include "button/ButtState.h"

// A colour with the high bit set names the system colour of its low byte
// and yields that colour's current value; any other value is returned as is.
ButtColor TranslateColor(ButtColor color);
