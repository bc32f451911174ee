// F1: the information file beside the program, opened in Notepad.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

inline constexpr char kInfoFile[] = "QUILLMOR.nfo";

struct ViewerCommand {
  std::wstring program;      // <Windows folder>\Notepad.exe
  std::wstring commandLine;  // both paths quoted
};

// What opens `file` in the Notepad of the Windows folder `windowsFolder`:
// Notepad, not the program the system associates with ".nfo" (System
// Information on Windows). The paths are quoted, so a folder with blanks in
// its name reaches Notepad as one argument.
ViewerCommand ViewerFor(std::wstring_view windowsFolder, std::wstring_view file);

// Opens the information file that lies beside the executable in Notepad,
// in a normal, focused window. Does nothing when the file is missing.
void OpenInfoFile();

}  // namespace vorn
