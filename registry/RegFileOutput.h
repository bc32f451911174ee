// Where ExportRegFile writes: a temporary file beside the target, encoded as
// UTF-16LE or in the ANSI code page, that takes the target's place only when
// the whole export succeeded. Until then an existing file stays as it was;
// an output that is not committed deletes its temporary file.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class RegFileOutput {
 public:
  RegFileOutput(std::wstring target, bool unicode);
  ~RegFileOutput();
  RegFileOutput(const RegFileOutput&) = delete;
  RegFileOutput& operator=(const RegFileOutput&) = delete;

  bool Open();
  // Whole lines only: the ANSI conversion must not split a character.
  void Write(std::wstring_view text);
  // Writes what is buffered and puts the file in the target's place.
  bool Commit();

 private:
  bool Flush();
  void Discard();

  std::wstring target_;
  std::wstring temporary_;
  bool unicode_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::wstring buffer_;
  bool failed_ = false;
};
