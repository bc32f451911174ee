#include "registry/RegFileOutput.h"

#include <algorithm>

#include "registry/RegistryWideText.h"

namespace {
// Characters gathered before one write to the file.
constexpr size_t kFlushAt = 1 << 17;
}  // namespace

RegFileOutput::RegFileOutput(std::wstring target, bool unicode)
    : target_(std::move(target)), temporary_(target_ + L".vorn-export.tmp"), unicode_(unicode) {}

RegFileOutput::~RegFileOutput() { Discard(); }

bool RegFileOutput::Open() {
  file_ = CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ != INVALID_HANDLE_VALUE) return true;
  temporary_.clear();  // not ours to delete
  return false;
}

void RegFileOutput::Write(std::wstring_view text) {
  if (failed_) return;
  buffer_.append(text);
  if (buffer_.size() >= kFlushAt) Flush();
}

bool RegFileOutput::Flush() {
  if (failed_ || file_ == INVALID_HANDLE_VALUE) return false;
  // wchar_t is UTF-16LE here: the buffer is written as it stands.
  const std::string ansi = unicode_ ? std::string() : registry_wide::FromWide(CP_ACP, buffer_);
  const std::string_view bytes = unicode_ ? std::string_view(reinterpret_cast<const char*>(buffer_.data()),
                                                             buffer_.size() * sizeof(wchar_t))
                                          : std::string_view(ansi);
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    if (!WriteFile(file_, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      failed_ = true;
      return false;
    }
    done += written;
  }
  buffer_.clear();
  return true;
}

bool RegFileOutput::Commit() {
  if (!Flush()) return false;
  const bool closed = CloseHandle(file_) != 0;
  file_ = INVALID_HANDLE_VALUE;
  if (!closed || !MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    failed_ = true;
    return false;
  }
  temporary_.clear();
  return true;
}

void RegFileOutput::Discard() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
}
