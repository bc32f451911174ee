// VORN.exe started with arguments: writes a set or shows the usage without
// opening the window.
#pragma once

#include "app/CommandLine.h"

namespace vorn {

// Carries out a command line other than Command::Window: /apply writes the
// set into the game's folder found through the registry, with the window's
// messages unless the line is quiet; /? shows the usage; an error shows
// itself and the usage unless the line is quiet. Returns the exit code.
int RunCommandLine(const CommandLine& line);

}  // namespace vorn
