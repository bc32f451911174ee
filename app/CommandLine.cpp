#include "app/CommandLine.h"

#include <vector>

#include "app/PostProcessSets.h"
#include "app/Utf8.h"

namespace vorn {
namespace {

std::vector<std::string> SplitArguments(std::wstring_view text) {
  std::vector<std::string> arguments;
  std::wstring current;
  bool inArgument = false, quoted = false;
  for (const wchar_t c : text) {
    if (c == L'"') {
      quoted = !quoted;
      inArgument = true;
    } else if ((c == L' ' || c == L'\t') && !quoted) {
      if (inArgument) arguments.push_back(Utf8(current));
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(Utf8(current));
  return arguments;
}

bool SwitchIs(const std::string& argument, std::string_view name) {
  if (argument.size() != name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = argument[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != name[i]) return false;
  }
  return true;
}

CommandLine Failed(CommandLine line, std::string error) {
  line.command = Command::Error;
  line.setName.clear();
  line.error = std::move(error);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(std::wstring_view text) {
  const std::vector<std::string> arguments = SplitArguments(text);
  CommandLine line;
  for (const std::string& a : arguments) line.quiet = line.quiet || SwitchIs(a, "/quiet");
  if (arguments.empty()) return line;

  bool usage = false;
  std::string error;
  for (size_t i = 0; i < arguments.size() && error.empty(); ++i) {
    const std::string& a = arguments[i];
    if (SwitchIs(a, "/?")) {
      usage = true;
    } else if (SwitchIs(a, "/quiet")) {
      continue;
    } else if (SwitchIs(a, "/apply")) {
      if (!line.setName.empty()) {
        error = "/apply is given more than once.";
      } else if (i + 1 >= arguments.size()) {
        error = "/apply needs the name of a set: Full or None.";
      } else if (!SetForSelection(arguments[i + 1])) {
        error = "\"" + arguments[i + 1] + "\" is not a set: write Full or None, exactly like that.";
      } else {
        line.setName = arguments[++i];
      }
    } else if (!a.empty() && a[0] == '/') {
      error = "Unknown switch \"" + a + "\".";
    } else {
      error = "Unexpected argument \"" + a + "\".";
    }
  }
  if (!error.empty()) return Failed(line, error);
  if (usage) {
    line.command = Command::Usage;
    line.setName.clear();
    return line;
  }
  if (line.setName.empty()) return Failed(line, "/quiet goes with /apply.");
  line.command = Command::Apply;
  return line;
}

std::wstring_view ArgumentsOf(std::wstring_view commandLine) {
  // The program's name ends at the first blank outside double quotes.
  size_t i = 0;
  for (bool quoted = false; i < commandLine.size(); ++i) {
    const wchar_t c = commandLine[i];
    if (c == L'"') {
      quoted = !quoted;
    } else if (!quoted && (c == L' ' || c == L'\t')) {
      break;
    }
  }
  while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
  return commandLine.substr(i);
}

std::string ApplyArguments(const std::string& setName) { return "/apply " + setName; }

std::string UsageText() {
  return "VORN.exe [/apply Full|None [/quiet]]\r\n\r\n"
         "Without arguments the window opens.\r\n\r\n"
         "/apply Full\twrites the game's own effects (HDR, bloom, blur)\r\n"
         "/apply None\twrites the null chain (no HDR glow, no blur)\r\n"
         "/quiet\t\tshows no message; the exit code tells the result\r\n"
         "/?\t\tshows this text\r\n\r\n"
         "Exit code: 0 written, 1 not written, 2 command line not understood,\r\n"
         "3 not written because another program holds a file.";
}

}  // namespace vorn
