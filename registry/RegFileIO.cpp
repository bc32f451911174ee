#include "registry/RegFileIO.h"

#include <windows.h>

#include "registry/RegFileLines.h"

namespace reg_file {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {
// Reads the open file (none: false) to its end and closes it.
bool ReadAll(std::FILE* file, std::string& bytes) {
  if (!file) return false;
  bytes.clear();
  char chunk[65536];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}
}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes) { return ReadAll(std::fopen(path.c_str(), "rb"), bytes); }

bool ReadWholeFile(const std::wstring& path, std::string& bytes) { return ReadAll(_wfopen(path.c_str(), L"rb"), bytes); }

}  // namespace reg_file

RegFileWriter::~RegFileWriter() { Close(); }

bool RegFileWriter::Create(const std::string& path) {
  Close();
  failed_ = false;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  // Large writes: a small stream buffer costs one system call per few lines.
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

bool RegFileWriter::WriteLine(std::string_view line) {
  if (!file_ || failed_ || !reg_file::IsWritableLine(line)) {
    failed_ = true;
    return false;
  }
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fwrite("\r\n", 1, 2, file_) != 2) {
    failed_ = true;
  }
  return !failed_;
}

bool RegFileWriter::Close() {
  if (!file_) return !failed_;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}
