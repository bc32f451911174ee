// Writing a set as administrator when the game's folder denies this
// process access: the decision to offer it, the token query and the start
// of an elevated copy of the tool.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/ApplySet.h"

namespace vorn {

// True when a try as administrator could help: some file failed with access
// denied, none is held by another program, and the process is not elevated.
// A read-only attribute never reaches here as access denied (the writer
// clears it), nor does a folder in a file's place (kErrorTargetIsFolder).
bool OfferElevation(const std::vector<FileFailure>& failures, bool elevated);

// Whether the process token is elevated. A system without elevation (the
// token query knows no elevation before Vista) or a failing query counts as
// elevated, so nothing is offered that could not help.
bool ProcessIsElevated();

// The question added to the failure message when elevation is offered.
std::string ElevationQuestion();

struct ElevatedRun {
  DWORD startError = 0;  // non-zero: the copy did not start (ERROR_CANCELLED: the player said no)
  DWORD exitCode = 0;    // the copy's exit code once it started and ended
};

// Starts this executable again with `arguments` (UTF-8) through the "runas" verb,
// which asks Windows for administrator rights, and hands its process to
// `wait`, which returns once it has ended.
ElevatedRun RunElevated(HWND owner, const std::string& arguments, const std::function<void(HANDLE)>& wait);

}  // namespace vorn
