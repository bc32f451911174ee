// The renderer table: one paint function per ButtonStyle.
#include "button/ButtStyles.h"

const StyleRenderer kStyleRenderers[butt::kStyleCount] = {
    PaintSoft3D,        // 0 StyleSoft3D: light grey highlight, grey and white/black rings
    PaintClassic3D,     // 1 StyleClassic3D: white and grey rings in a black outline
    PaintRoundedTheme,  // 2 StyleRoundedTheme: shine, blue outline, orange hot ring
    PaintEtched,        // 3 StyleEtched: etched outline, lavender focus round the caption
    PaintThin3D,        // 4 StyleThin3D: one-pixel raised or sunken outline
    PaintHotTrack,      // 5 StyleHotTrack: outline only while hovered or checked
    PaintLight3D,       // 6 StyleLight3D: two-pixel light grey and grey edge
    PaintRoundedGrey,   // 7 StyleRoundedGrey: brightened face, rounded black outline
};
