// Writes one carried data item (a resource of the executable) over an
// existing file, without ever leaving the folder short of that file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Replaces the file at `path` with the bytes of resource `id` of type `group`
// found in `module` (the process's own executable when null). The target must
// already exist: a missing target fails and nothing is created. The bytes go
// to a temporary file in the same folder first, which then replaces the target
// in one step; on any failure the temporary file is removed and the target
// keeps its content and attributes. On success the target has no read-only,
// hidden or system attribute.
// Result: 0 on success, otherwise the (non-zero) Win32 error number of the
// step that failed.
int32_t ExtractResource(int16_t id, const std::string& group, const std::string& path, HMODULE module = nullptr);

// The bytes of resource `id` of type `group` in `module` (the process's own
// executable when null); nothing when the module does not carry it.
std::optional<std::string_view> CarriedItemBytes(int16_t id, const std::string& group, HMODULE module = nullptr);
