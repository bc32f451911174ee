#include "app/ExtractResource.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

#include "app/Utf8.h"
#include "app/Win32Error.h"
#include "host/UserObjects.h"

namespace {

using vorn::LastErrorOr;
using vorn::Utf8;
using vorn::Widen;

// A file that is deleted when the owner ends, unless it has been kept
// (after it was moved into place under another name).
class TemporaryFile {
 public:
  explicit TemporaryFile(std::wstring name) : name_(std::move(name)) {}
  ~TemporaryFile() {
    if (!name_.empty()) DeleteFileW(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::wstring& name() const { return name_; }
  void Keep() { name_.clear(); }

 private:
  std::wstring name_;
};

// Puts the attributes a file had back in place unless dismissed, so a failed
// replacement leaves the target exactly as it was.
class AttributesRestorer {
 public:
  AttributesRestorer(const std::wstring& path, DWORD attributes) : path_(path), attributes_(attributes) {}
  ~AttributesRestorer() {
    if (armed_) SetFileAttributesW(path_.c_str(), attributes_);
  }
  AttributesRestorer(const AttributesRestorer&) = delete;
  AttributesRestorer& operator=(const AttributesRestorer&) = delete;

  void Dismiss() { armed_ = false; }

 private:
  const std::wstring& path_;
  DWORD attributes_;
  bool armed_ = true;
};

// Finds resource `id` of type `group` in `module` and returns its bytes.
// Resource memory lives as long as the module, so nothing needs releasing.
int32_t LoadItem(HMODULE module, int16_t id, const std::string& group, std::string_view& item) {
  // Id 0 would turn into a null name pointer; no resource carries it.
  if (id == 0) return ERROR_RESOURCE_NAME_NOT_FOUND;
  if (!module) module = GetModuleHandleW(nullptr);
  SetLastError(0);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(static_cast<WORD>(id)), Widen(group).c_str());
  if (!found) return LastErrorOr(ERROR_RESOURCE_NAME_NOT_FOUND);
  SetLastError(0);
  const DWORD size = SizeofResource(module, found);
  if (size == 0 && GetLastError() != 0) return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
  const void* data = LockResource(loaded);
  if (!data && size != 0) return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
  item = std::string_view(static_cast<const char*>(data), size);
  return 0;
}

// The folder part of `path` with its trailing separator ("." when the path
// names a file in the current folder), where the temporary file goes so that
// the final move stays on one volume.
std::wstring FolderOf(const std::wstring& path) {
  const auto cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring(L".") : path.substr(0, cut + 1);
}

int32_t WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    SetLastError(0);
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      return LastErrorOr(ERROR_WRITE_FAULT);
    }
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return 0;
}

// Writes `bytes` from the start of the open file, cuts it there and puts it
// on the disk.
int32_t Overwrite(HANDLE file, std::string_view bytes) {
  SetLastError(0);
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER && GetLastError() != 0) {
    return LastErrorOr(ERROR_SEEK);
  }
  if (const int32_t error = WriteAll(file, bytes)) return error;
  SetLastError(0);
  if (!SetEndOfFile(file)) return LastErrorOr(ERROR_WRITE_FAULT);
  SetLastError(0);
  if (!FlushFileBuffers(file)) return LastErrorOr(ERROR_WRITE_FAULT);
  return 0;
}

int32_t ReadAll(HANDLE file, std::string& bytes) {
  LARGE_INTEGER size{};
  SetLastError(0);
  if (!GetFileSizeEx(file, &size)) return LastErrorOr(ERROR_READ_FAULT);
  if (size.QuadPart >= (1 << 30)) return ERROR_FILE_TOO_LARGE;
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  SetLastError(0);
  if (!bytes.empty() &&
      (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())) {
    return LastErrorOr(ERROR_READ_FAULT);
  }
  return 0;
}

// The next candidate name for a temporary file in `folder` (named the way
// GetTempFileNameW names them); empty when the folder name is unusable.
std::wstring NextTemporaryName(const std::wstring& folder, int32_t& error) {
  // Numbers from a per-process start: a taken name only costs one more try.
  static UINT next = (GetTickCount() ^ (GetCurrentProcessId() << 4)) & 0xFFFF;
  next = next % 0xFFFF + 1;  // 1 .. 0xFFFF: 0 would make the system create the file itself
  std::wstring path(folder.size() + 16, L'\0');
  SetLastError(0);
  if (!GetTempFileNameW(folder.c_str(), L"vrn", next, path.data())) {
    error = LastErrorOr(ERROR_CANNOT_MAKE);
    return std::wstring();
  }
  path.resize(wcslen(path.c_str()));
  return path;
}

// Creates a new, empty temporary file in `folder`, open for writing, and
// returns its handle; `name` receives its path.
HANDLE CreateTemporaryFile(const std::wstring& folder, std::wstring& name, int32_t& error) {
  error = ERROR_CANNOT_MAKE;
  for (int attempt = 0; attempt < 64; ++attempt) {
    const std::wstring path = NextTemporaryName(folder, error);
    if (path.empty()) return INVALID_HANDLE_VALUE;
    SetLastError(0);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      name = path;
      return file;
    }
    error = LastErrorOr(ERROR_OPEN_FAILED);
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

// A name in `folder` that no file has, for the original a replacement moves
// aside.
std::wstring FreeName(const std::wstring& folder, int32_t& error) {
  error = ERROR_CANNOT_MAKE;
  for (int attempt = 0; attempt < 64; ++attempt) {
    const std::wstring path = NextTemporaryName(folder, error);
    if (path.empty()) return path;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND) {
      return path;
    }
  }
  return std::wstring();
}

bool HeldOpen(const std::wstring& path) {
  SetLastError(0);
  user::File file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !file && FileInUseError(LastErrorOr(ERROR_OPEN_FAILED));
}

// The new bytes go to a flushed file beside the target, which the system
// then swaps in, moving the original to a free name (`kept`).
int32_t ReplaceThroughTemporary(const std::wstring& path, std::string_view item, std::wstring& kept) {
  const std::wstring folder = FolderOf(path);
  std::wstring tempName;
  int32_t error = 0;
  const HANDLE created = CreateTemporaryFile(folder, tempName, error);
  if (created == INVALID_HANDLE_VALUE) return error;
  // The owner of the name outlives the handle: the file is closed before a
  // failure deletes it.
  TemporaryFile temp(tempName);
  user::File file(created);
  if (const int32_t writeError = WriteAll(file.get(), item)) return writeError;
  // The new content reaches the disk before it takes the target's place.
  SetLastError(0);
  if (!FlushFileBuffers(file.get())) return LastErrorOr(ERROR_WRITE_FAULT);
  SetLastError(0);
  if (!file.Close()) return LastErrorOr(ERROR_WRITE_FAULT);

  const std::wstring aside = FreeName(folder, error);
  if (aside.empty()) return error;
  SetLastError(0);
  if (!ReplaceFileW(path.c_str(), temp.name().c_str(), aside.c_str(), 0, nullptr, nullptr)) {
    error = LastErrorOr(ERROR_UNABLE_TO_REMOVE_REPLACED);
    // The system may have moved the original aside before it failed to move
    // the new file in: the original goes back to its name.
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesW(aside.c_str()) != INVALID_FILE_ATTRIBUTES) {
      MoveFileExW(aside.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
    }
    return error;
  }
  temp.Keep();
  kept = aside;
  return 0;
}

// The target keeps its file object and rewrites its bytes; a flushed copy of
// the original exists first, beside it or, where the folder refuses new
// files, in the user's temporary folder.
int32_t RewriteInPlace(const std::wstring& path, std::string_view item, std::wstring& kept) {
  SetLastError(0);
  user::File target(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target) return LastErrorOr(ERROR_OPEN_FAILED);
  std::string original;
  if (const int32_t error = ReadAll(target.get(), original)) return error;

  std::wstring copyName;
  int32_t error = 0;
  HANDLE created = CreateTemporaryFile(FolderOf(path), copyName, error);
  if (created == INVALID_HANDLE_VALUE) {
    std::wstring temp(MAX_PATH + 1, L'\0');
    const DWORD n = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
    if (n == 0 || n > temp.size()) return error;
    temp.resize(n);
    created = CreateTemporaryFile(temp, copyName, error);
    if (created == INVALID_HANDLE_VALUE) return error;
  }
  TemporaryFile copy(copyName);
  user::File copyFile(created);
  if (const int32_t copyError = WriteAll(copyFile.get(), original)) return copyError;
  SetLastError(0);
  if (!FlushFileBuffers(copyFile.get()) || !copyFile.Close()) return LastErrorOr(ERROR_WRITE_FAULT);

  if (const int32_t writeError = Overwrite(target.get(), item)) {
    Overwrite(target.get(), original);
    return writeError;
  }
  copy.Keep();
  kept = copyName;
  return 0;
}

constexpr DWORD kReplaceBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

int32_t ReplaceWithItem(int16_t id, const std::string& group, const std::string& path, ReplacedOriginal& original,
                        HMODULE module) {
  // The item first: a missing item must not touch the target at all.
  std::string_view item;
  if (const int32_t error = LoadItem(module, id, group, item)) return error;

  // Only an existing file is replaced; a missing target fails here and the
  // folder stays as it was. This one query serves every later decision.
  const std::wstring target = Widen(path);
  SetLastError(0);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrorOr(ERROR_FILE_NOT_FOUND);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return kErrorTargetIsFolder;

  // Read-only, hidden or system targets could not be replaced otherwise.
  std::optional<AttributesRestorer> restore;
  if (attributes & kReplaceBlockingAttributes) {
    SetLastError(0);
    if (!SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL)) {
      const int32_t error = LastErrorOr(ERROR_ACCESS_DENIED);
      return HeldOpen(target) ? ERROR_SHARING_VIOLATION : error;
    }
    restore.emplace(target, attributes);
  }

  std::wstring kept;
  bool inPlace = false;
  int32_t error = ReplaceThroughTemporary(target, item, kept);
  // A refusal because another program has the file open is no reason to
  // write it in place: it is in use, whatever the system called it.
  if (error != 0 && HeldOpen(target)) return ERROR_SHARING_VIOLATION;
  if (error != 0) {
    error = RewriteInPlace(target, item, kept);
    if (error != 0) return FileInUseError(error) ? ERROR_SHARING_VIOLATION : error;
    inPlace = true;
  }
  if (restore) restore->Dismiss();
  original = ReplacedOriginal{path, Utf8(kept), attributes, inPlace};
  return 0;
}

int32_t RestoreOriginal(const ReplacedOriginal& original) {
  const std::wstring path = Widen(original.path);
  const std::wstring kept = Widen(original.kept);
  if (!original.inPlace) {
    SetLastError(0);
    if (!MoveFileExW(kept.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastErrorOr(ERROR_ACCESS_DENIED);
    }
  } else {
    std::string bytes;
    {
      SetLastError(0);
      user::File copy(CreateFileW(kept.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!copy) return LastErrorOr(ERROR_OPEN_FAILED);
      if (const int32_t error = ReadAll(copy.get(), bytes)) return error;
    }
    SetLastError(0);
    user::File target(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target) return LastErrorOr(ERROR_OPEN_FAILED);
    if (const int32_t error = Overwrite(target.get(), bytes)) return error;
    DeleteFileW(kept.c_str());
  }
  SetFileAttributesW(path.c_str(), original.attributes);
  return 0;
}

void DiscardOriginal(const ReplacedOriginal& original) {
  const std::wstring kept = Widen(original.kept);
  SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(kept.c_str());
}

int32_t ExtractResource(int16_t id, const std::string& group, const std::string& path, HMODULE module) {
  ReplacedOriginal original;
  const int32_t error = ReplaceWithItem(id, group, path, original, module);
  if (error == 0) DiscardOriginal(original);
  return error;
}

bool HeldByAnotherProgram(const std::string& path) { return HeldOpen(Widen(path)); }

std::optional<std::string_view> CarriedItemBytes(int16_t id, const std::string& group, HMODULE module) {
  std::string_view item;
  if (LoadItem(module, id, group, item) != 0) return std::nullopt;
  return item;
}
