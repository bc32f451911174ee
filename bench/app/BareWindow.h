// The title by which the start-up benchmark finds the bare baseline window.
#pragma once

inline constexpr const char kBareWindowTitle[] = "VORN bench bare window";
