// The system's common controls (comctl32), loaded when first needed rather
// than with the program: under Wine loading them costs a good part of a
// process start, and the host needs them only for its tooltips.
#pragma once

namespace host {

// Loads comctl32 and registers its standard window classes (tooltips among
// them) once per process; true when they are available.
bool LoadCommonControls();

}  // namespace host
