#include "app/ExtractResource.h"

#include "app/Win32Error.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using vorn::LastErrorOr;

// A file handle closed with CloseHandle.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : h_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  // Closes now; false (with the last error set) when closing failed.
  bool Close() {
    if (!valid()) return true;
    return CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != FALSE;
  }

 private:
  HANDLE h_;
};

// A file that is deleted when the owner ends, unless it has been kept
// (after it was moved into place under another name).
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string name) : name_(std::move(name)) {}
  ~TemporaryFile() {
    if (!name_.empty()) DeleteFileA(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& name() const { return name_; }
  void Keep() { name_.clear(); }

 private:
  std::string name_;
};

// Puts the attributes a file had back in place unless dismissed, so a failed
// replacement leaves the target exactly as it was.
class AttributesRestorer {
 public:
  AttributesRestorer(const std::string& path, DWORD attributes) : path_(path), attributes_(attributes) {}
  ~AttributesRestorer() {
    if (armed_) SetFileAttributesA(path_.c_str(), attributes_);
  }
  AttributesRestorer(const AttributesRestorer&) = delete;
  AttributesRestorer& operator=(const AttributesRestorer&) = delete;

  void Dismiss() { armed_ = false; }

 private:
  const std::string& path_;
  DWORD attributes_;
  bool armed_ = true;
};

struct ItemBytes {
  const void* data = nullptr;
  DWORD size = 0;
};

// Finds resource `id` of type `group` in `module`. Resource memory lives as
// long as the module, so nothing needs releasing.
int32_t LoadItem(HMODULE module, int16_t id, const std::string& group, ItemBytes& item) {
  // Id 0 would turn into a null name pointer; no resource carries it.
  if (id == 0) return ERROR_RESOURCE_NAME_NOT_FOUND;
  if (!module) module = GetModuleHandleA(nullptr);
  SetLastError(0);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(static_cast<WORD>(id)), group.c_str());
  if (!found) return LastErrorOr(ERROR_RESOURCE_NAME_NOT_FOUND);
  SetLastError(0);
  const DWORD size = SizeofResource(module, found);
  if (size == 0 && GetLastError() != 0) return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
  const void* data = LockResource(loaded);
  if (!data && size != 0) return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
  item.data = data;
  item.size = size;
  return 0;
}

// The folder part of `path` with its trailing separator ("." when the path
// names a file in the current folder), where the temporary file goes so that
// the final move stays on one volume.
std::string FolderOf(const std::string& path) {
  const auto cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? std::string(".") : path.substr(0, cut + 1);
}

int32_t WriteAll(HANDLE file, const ItemBytes& item) {
  const auto* next = static_cast<const BYTE*>(item.data);
  DWORD left = item.size;
  while (left > 0) {
    DWORD written = 0;
    SetLastError(0);
    if (!WriteFile(file, next, left, &written, nullptr)) return LastErrorOr(ERROR_WRITE_FAULT);
    if (written == 0) return ERROR_WRITE_FAULT;
    next += written;
    left -= written;
  }
  return 0;
}

// Creates a new, empty temporary file in `folder` (named the way
// GetTempFileNameA names them) open for writing and for renaming, and
// returns its handle; `name` receives its path.
HANDLE CreateTemporaryFile(const std::string& folder, std::string& name, int32_t& error) {
  // Numbers from a per-process start: a taken name only costs one more try.
  static UINT next = (GetTickCount() ^ (GetCurrentProcessId() << 4)) & 0xFFFF;
  error = ERROR_CANNOT_MAKE;
  for (int attempt = 0; attempt < 64; ++attempt) {
    next = next % 0xFFFF + 1;  // 1 .. 0xFFFF: 0 would make the system create the file itself
    char path[MAX_PATH] = {};
    SetLastError(0);
    if (!GetTempFileNameA(folder.c_str(), "vrn", next, path)) {
      error = LastErrorOr(ERROR_CANNOT_MAKE);
      return INVALID_HANDLE_VALUE;
    }
    SetLastError(0);
    HANDLE file = CreateFileA(path, GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      name = path;
      return file;
    }
    error = LastErrorOr(ERROR_OPEN_FAILED);
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

// SetFileInformationByHandle (Windows Vista and later), looked up at run
// time so the program still starts where kernel32 lacks it.
using SetFileInformationByHandleFn = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
constexpr int kFileRenameInfo = 3;  // FILE_INFO_BY_HANDLE_CLASS

SetFileInformationByHandleFn SetFileInformationByHandleEntry() {
  // Through void*: a generic function pointer converts to the real signature
  // without a function-type cast warning.
  static const auto entry = reinterpret_cast<SetFileInformationByHandleFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetFileInformationByHandle")));
  return entry;
}

// Moves the open file `file` over `target` in one step, through the handle
// the content was written by: no second lookup of the temporary file by
// name. False when the platform lacks the call or refuses it (the caller
// then moves the file by name, which tells the error).
bool RenameOpenFile(HANDLE file, const std::string& target) {
  const SetFileInformationByHandleFn setInformation = SetFileInformationByHandleEntry();
  if (!setInformation) return false;
  // The target as a full path in the system's own form ("\??\C:\..."),
  // which the call takes on every version that has it.
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, target.c_str(), -1, nullptr, 0);
  if (wideLength <= 0) return false;
  std::vector<WCHAR> wide(static_cast<size_t>(wideLength));
  MultiByteToWideChar(CP_ACP, 0, target.c_str(), -1, wide.data(), wideLength);
  const DWORD fullLength = GetFullPathNameW(wide.data(), 0, nullptr, nullptr);
  if (fullLength == 0) return false;
  const std::wstring_view prefix = L"\\??\\";
  std::vector<WCHAR> full(prefix.size() + fullLength);
  std::copy(prefix.begin(), prefix.end(), full.begin());
  const DWORD got = GetFullPathNameW(wide.data(), fullLength, full.data() + prefix.size(), nullptr);
  if (got == 0 || got >= fullLength) return false;
  const size_t nameChars = prefix.size() + got;

  // FILE_RENAME_INFO: replace flag, root folder, name length in bytes, name.
  struct RenameInfo {
    BOOLEAN ReplaceIfExists;
    HANDLE RootDirectory;
    DWORD FileNameLength;
    WCHAR FileName[1];
  };
  std::vector<std::byte> buffer(offsetof(RenameInfo, FileName) + (nameChars + 1) * sizeof(WCHAR));
  auto* info = reinterpret_cast<RenameInfo*>(buffer.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(nameChars * sizeof(WCHAR));
  std::copy(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(nameChars), info->FileName);
  info->FileName[nameChars] = 0;
  return setInformation(file, kFileRenameInfo, info, static_cast<DWORD>(buffer.size())) != FALSE;
}

constexpr DWORD kReplaceBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

int32_t ExtractResource(int16_t id, const std::string& group, const std::string& path, HMODULE module) {
  // The item first: a missing item must not touch the target at all.
  ItemBytes item;
  if (const int32_t error = LoadItem(module, id, group, item)) return error;

  // Only an existing file is replaced; a missing target fails here and the
  // folder stays as it was. This one query serves every later decision.
  SetLastError(0);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrorOr(ERROR_FILE_NOT_FOUND);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;

  // Read-only, hidden or system targets could not be replaced otherwise.
  std::optional<AttributesRestorer> restore;
  if (attributes & kReplaceBlockingAttributes) {
    SetLastError(0);
    if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
      return LastErrorOr(ERROR_ACCESS_DENIED);
    }
    restore.emplace(path, attributes);
  }

  // The owner of the name outlives the handle: the file is closed before a
  // failure deletes it.
  std::string tempName;
  int32_t error = 0;
  const HANDLE created = CreateTemporaryFile(FolderOf(path), tempName, error);
  if (created == INVALID_HANDLE_VALUE) return error;
  TemporaryFile temp(tempName);
  FileHandle file(created);

  if (const int32_t writeError = WriteAll(file.get(), item)) return writeError;
  // The new content reaches the disk before it takes the target's place.
  SetLastError(0);
  if (!FlushFileBuffers(file.get())) return LastErrorOr(ERROR_WRITE_FAULT);

  // One step: the target is either the old file or the complete new one.
  if (!RenameOpenFile(file.get(), path)) {
    SetLastError(0);
    if (!file.Close()) return LastErrorOr(ERROR_WRITE_FAULT);
    SetLastError(0);
    if (!MoveFileExA(temp.name().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastErrorOr(ERROR_ACCESS_DENIED);
    }
  }
  temp.Keep();
  SetLastError(0);
  const bool closed = file.Close();
  if (restore) restore->Dismiss();
  // The file is in place; a failed close can only mean unwritten data.
  return closed ? 0 : LastErrorOr(ERROR_WRITE_FAULT);
}

std::optional<std::string_view> CarriedItemBytes(int16_t id, const std::string& group, HMODULE module) {
  ItemBytes item;
  if (LoadItem(module, id, group, item) != 0) return std::nullopt;
  return std::string_view(static_cast<const char*>(item.data), item.size);
}
