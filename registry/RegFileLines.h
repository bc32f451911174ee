// The lines of a REGEDIT4 file as the exporter writes them. Names and texts
// go out exactly as stored: no escaping, no wrapping. Pure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace reg_file {

constexpr std::string_view kHeader = "REGEDIT4";

// "[HKEY_CURRENT_USER\Software\x]"
std::string KeyLine(std::string_view keyPath);
// @="text"
std::string DefaultValueLine(std::string_view text);
// "name"="text"
std::string StringValueLine(std::string_view name, std::string_view text);
// "name"=hex:01,02 from the hex text "01 02" (empty for a zero-byte value).
std::string BinaryValueLine(std::string_view name, std::string_view hexText);
// "name"=dword:0000002A; negative values as their two's complement.
std::string DwordValueLine(std::string_view name, int32_t value);

// A line holding a CR LF pair would be read back as two lines, the second of
// them under the control of the stored data: such a line cannot be written.
bool IsWritableLine(std::string_view line);

}  // namespace reg_file
