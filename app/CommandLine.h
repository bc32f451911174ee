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
  std::string error;    // Error: what is wrong, for the player (UTF-8)
};

// Exit codes of VORN.exe started with arguments.
inline constexpr int kExitDone = 0;        // written, or the usage shown
inline constexpr int kExitNotWritten = 1;  // the install was not found or a file failed
inline constexpr int kExitUsageError = 2;  // the command line was not understood
inline constexpr int kExitInUse = 3;       // nothing was written: another program holds a file

// Parses the arguments (the command line without the program's name, as
// UTF-16 from the system). Arguments are separated by spaces or tabs; double
// quotes group one argument. Switches start with '/' and ignore letter case;
// set names are exact, as in the window's list.
CommandLine ParseCommandLine(std::wstring_view arguments);

// The arguments of a whole command line (GetCommandLineW): what follows the
// program's name, quoted or not, and the blanks after it.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);

// The arguments that make VORN.exe write `setName` (as ParseCommandLine
// reads them back).
std::string ApplyArguments(const std::string& setName);

// The usage text shown for /? and after a usage error.
std::string UsageText();

}  // namespace vorn
