// Where VORN.exe started with arguments shows its texts: in the standard
// output a script redirected, in the console it was started from, or in a
// message box when it has neither (started by a double click or a
// shortcut). Scripts then see the usage, the results and the errors, and
// nothing waits on a box nobody can see.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "host/UserObjects.h"

namespace vorn {

enum class ReportChannel {
  MessageBox,  // no redirected output and no console
  Output,      // the standard output, redirected to a pipe, a file or a device such as NUL
  Console,     // the console of the process that started this one
};

// Whether a standard output of `fileType` (GetFileType of it;
// FILE_TYPE_UNKNOWN when there is none) that is or is not a console was
// redirected by whoever started the program: a pipe, a file, or a character
// device other than a console (NUL).
bool OutputIsRedirected(DWORD fileType, bool isConsole);

// The bytes written to a redirected output for `text`: UTF-8, ending in a
// line break.
std::string OutputBytes(std::wstring_view text);

// Shows the command line's texts through one channel, chosen at the first
// text (so a quiet run attaches to nothing).
class Report {
 public:
  Report() = default;
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  // Shows `text` (UTF-8, as every text inside the tool): written as its
  // own lines to the output or the console, or in a message box with
  // `style` and the tool's title.
  void Show(const std::string& text, UINT style);

 private:
  void Choose();

  bool chosen_ = false;
  ReportChannel channel_ = ReportChannel::MessageBox;
  HANDLE output_ = nullptr;            // the standard output, owned by the process
  std::optional<user::File> console_;  // CONOUT$ of the attached console
};

}  // namespace vorn
