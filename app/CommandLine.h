// The tool's command line: `/apply Full|None` writes a set without showing
// the window, `/quiet` keeps its messages back, `/?` shows the usage.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

enum class Command {
  Window,  // no arguments: the window, as always
  Apply,   // /apply <set>: write the set, no window
  Usage,   // /?: show the usage
  Error,   // anything else: a usage error
};

struct CommandLine {
  Command command = Command::Window;
  std::string setName;  // Apply: "Full" or "None"
  bool quiet = false;   // /quiet was given (also seen when the line is an error)
  std::string error;    // Error: what is wrong, for the player
};

// Exit codes of VORN.exe started with arguments.
inline constexpr int kExitDone = 0;        // written, or the usage shown
inline constexpr int kExitNotWritten = 1;  // the install was not found or a file failed
inline constexpr int kExitUsageError = 2;  // the command line was not understood

// Parses the arguments (the command line without the program's name).
// Arguments are separated by spaces or tabs; double quotes group one
// argument. Switches start with '/' and ignore letter case; set names are
// exact, as in the window's list.
CommandLine ParseCommandLine(std::string_view arguments);

// The arguments that make VORN.exe write `setName` (as ParseCommandLine
// reads them back).
std::string ApplyArguments(const std::string& setName);

// The usage text shown for /? and after a usage error.
std::string UsageText();

}  // namespace vorn
