// The renderer table: one paint function per ButtonStyle.
#include "button/ButtLooks.h"

namespace {
// Placeholder renderers until the style painters land: nothing to show.
void PaintNothing(ButtState&, BevelPoints&, BevelColors&, int16_t&, int16_t& drawResult) {
  drawResult = 0;
}
}  // namespace

const StyleRenderer kStyleRenderers[8] = {
    PaintNothing,  // 0 StyleSoft3D
    PaintNothing,  // 1 StyleClassic3D
    PaintNothing,  // 2 StyleRoundedTheme
    PaintNothing,  // 3 StyleEtched
    PaintNothing,  // 4 StyleThin3D
    PaintNothing,  // 5 StyleHotTrack
    PaintNothing,  // 6 StyleLight3D
    PaintNothing,  // 7 StyleRoundedGrey
};

void LayoutButton(ButtState&, bool) {}
void UpdateDerived(ButtState&, std::string_view) {}
void BuildShape(ButtState&) {}
