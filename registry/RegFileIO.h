// The files of export and import: an existence test, reading a file whole,
// and a writer of CR LF lines.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace reg_file {

// True for any existing file or folder (hidden and system files included).
bool FileExists(const std::string& path);
// Reads the whole file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
// The same for a file named in UTF-16.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

}  // namespace reg_file

// Writes lines ending in CR LF to a file it creates; closes it when done or
// destroyed. Any failure sticks: later writes fail too.
class RegFileWriter {
 public:
  RegFileWriter() = default;
  ~RegFileWriter();
  RegFileWriter(const RegFileWriter&) = delete;
  RegFileWriter& operator=(const RegFileWriter&) = delete;

  bool Create(const std::string& path);
  // Refuses lines that contain CR LF (see reg_file::IsWritableLine).
  bool WriteLine(std::string_view line);
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};
