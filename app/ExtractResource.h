// Writes one carried data item (a resource of the executable) over an
// existing file, without ever leaving the folder short of that file, and
// keeps the original until the caller knows whether it is still wanted.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Win32 error numbers the writer reports beyond the system's own choice:
// a folder stands where the file should be (ERROR_DIRECTORY_NOT_SUPPORTED).
inline constexpr int32_t kErrorTargetIsFolder = 336;

// True for the errors that mean another program holds the file open.
inline bool FileInUseError(int32_t error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_USER_MAPPED_FILE;
}

// How a replaced file's original can be put back.
struct ReplacedOriginal {
  std::string path;      // the target, now holding the item's bytes
  std::string kept;      // the original: the old file itself under a free name beside the target, or,
                         // after an in-place rewrite, a flushed copy of its bytes
  DWORD attributes = 0;  // the target's attributes before the replacement
  bool inPlace = false;  // the target was rewritten in place (its bytes go back the same way)
};

// Replaces the content of the file at `path` (UTF-8) with the bytes of
// resource `id` of type `group` found in `module` (the process's own
// executable when null). The target must already exist: a missing target or
// a folder fails and nothing is created.
//
// The bytes go to a flushed temporary file beside the target, which then
// takes its place through ReplaceFileW: the file keeps the original's
// security descriptor, streams and object ID, and the original stays under
// a free name (`kept`). Where the folder refuses the temporary file or the
// system refuses the replacement but the file itself is writable, the target
// is rewritten in place once a flushed copy of its bytes exists. On success
// the target has no read-only, hidden or system attribute and `original`
// tells how to put it back (RestoreOriginal) or drop the kept original
// (DiscardOriginal). On failure the target keeps its content and attributes.
// A target another program holds fails with ERROR_SHARING_VIOLATION, however
// the system refused it. Result: 0 or the Win32 error number of the step
// that failed.
int32_t ReplaceWithItem(int16_t id, const std::string& group, const std::string& path, ReplacedOriginal& original,
                        HMODULE module = nullptr);

// Puts the original back in the target's place with its attributes.
// Result: 0 or the Win32 error number.
int32_t RestoreOriginal(const ReplacedOriginal& original);

// Removes the kept original once the new content is to stay.
void DiscardOriginal(const ReplacedOriginal& original);

// ReplaceWithItem for one file on its own: the original is dropped at once.
int32_t ExtractResource(int16_t id, const std::string& group, const std::string& path, HMODULE module = nullptr);

// True when another program holds the file at `path` open (an open that
// shares nothing is refused for sharing).
bool HeldByAnotherProgram(const std::string& path);

// The bytes of resource `id` of type `group` in `module` (the process's own
// executable when null); nothing when the module does not carry it.
std::optional<std::string_view> CarriedItemBytes(int16_t id, const std::string& group, HMODULE module = nullptr);
