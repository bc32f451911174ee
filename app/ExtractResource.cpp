#include "app/ExtractResource.h"

#include <utility>

namespace {

// Win32 error number of the step that just failed; `fallback` when the
// platform left no error number, so a failure never reads as success.
int32_t LastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return static_cast<int32_t>(error != 0 ? error : fallback);
}

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
  AttributesRestorer(const std::string& path, DWORD attributes)
      : path_(path), attributes_(attributes) {}
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

}  // namespace

int32_t ExtractResource(int16_t id, const std::string& group, const std::string& path,
                        HMODULE module) {
  // The item first: a missing item must not touch the target at all.
  ItemBytes item;
  if (const int32_t error = LoadItem(module, id, group, item)) return error;

  // Only an existing file is replaced; a missing target fails here and the
  // folder stays as it was.
  SetLastError(0);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrorOr(ERROR_FILE_NOT_FOUND);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;

  // Read-only, hidden or system targets could not be replaced otherwise.
  SetLastError(0);
  if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
    return LastErrorOr(ERROR_ACCESS_DENIED);
  }
  AttributesRestorer restore(path, attributes);

  char tempName[MAX_PATH] = {};
  SetLastError(0);
  if (!GetTempFileNameA(FolderOf(path).c_str(), "vrn", 0, tempName)) {
    return LastErrorOr(ERROR_CANNOT_MAKE);
  }
  TemporaryFile temp(tempName);  // GetTempFileNameA has created it

  {
    SetLastError(0);
    FileHandle file(CreateFileA(temp.name().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastErrorOr(ERROR_OPEN_FAILED);
    if (const int32_t error = WriteAll(file.get(), item)) return error;
    // The new content reaches the disk before it takes the target's place.
    SetLastError(0);
    if (!FlushFileBuffers(file.get())) return LastErrorOr(ERROR_WRITE_FAULT);
    SetLastError(0);
    if (!file.Close()) return LastErrorOr(ERROR_WRITE_FAULT);
  }

  // One step: the target is either the old file or the complete new one.
  SetLastError(0);
  if (!MoveFileExA(temp.name().c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastErrorOr(ERROR_ACCESS_DENIED);
  }
  temp.Keep();
  restore.Dismiss();
  return 0;
}

std::optional<std::string_view> CarriedItemBytes(int16_t id, const std::string& group, HMODULE module) {
  ItemBytes item;
  if (LoadItem(module, id, group, item) != 0) return std::nullopt;
  return std::string_view(static_cast<const char*>(item.data), item.size);
}
