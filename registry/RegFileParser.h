// Reader of REGEDIT4 files: an explicit state machine over the file's lines
// that hands every change a line asks for to a sink. Pure: the sink decides
// what a change does (the registry class applies it; tests record it).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reg_file {

class ImportSink {
 public:
  virtual ~ImportSink() = default;
  virtual void KillKey(const std::string& keyPath) = 0;
  virtual void KillValue(const std::string& keyPath, const std::string& name) = 0;
  // hexText: pairs of hex digits separated by spaces, as the file had them.
  virtual void WriteBinary(const std::string& keyPath, const std::string& name, const std::string& hexText) = 0;
  virtual void WriteDWORD(const std::string& keyPath, const std::string& name, int32_t value) = 0;
  virtual void WriteString(const std::string& keyPath, const std::string& name, const std::string& text) = 0;
};

enum class ImportResult {
  Imported,     // read to the end
  NotRegedit4,  // first line is not "REGEDIT4": nothing applied
  Aborted,      // a key line without a path ("["): stopped, earlier changes stay
};

// Lines of the text split at every CR LF pair; a lone CR or LF does not split.
std::vector<std::string_view> SplitLines(std::string_view text);

// The number after "dword:": its leading hex digits as a 32-bit value (eight
// digits from 80000000 up are negative), 0 without digits, none for more
// than eight digits (leading zeros count).
std::optional<int32_t> ParseDwordData(std::string_view data);

ImportResult ParseRegFile(std::string_view text, ImportSink& sink);

}  // namespace reg_file
