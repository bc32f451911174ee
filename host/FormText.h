// The stored form: a human-readable, line-based text, one block per object.
//
//   VornForm 1
//   Begin Form VORN
//     @Caption = "VORN - Glarecut 1.01"
//     @ClientWidth = 3945
//     ...
//   End
//   Begin Container Picture3
//     @Container = ""            (empty: on the form)
//     @Left = 15
//     ...
//   End
//   Begin Control Butt1 Butt     (name, then class)
//     @Container = "Picture3"
//     @Left = 2865               (twips)
//     @Top = 2670
//     @ExtentX = 1667            (HIMETRIC)
//     @ExtentY = 688
//     @TabIndex = 2
//     Caption = text "APPLY"     (the control's property bag, in order)
//     BackStyle = int32 7
//     cBack = color 0x00291E16
//     Focus = bool 0
//     ImgSize = int16 16
//     Font = font "Tahoma" 8.25 400 [bold] [italic] [underline] [strikethrough] [charset=N]
//     Image = picture base64
//       | Qk1GAAAAAAAAADYAAAAoAAAAAgAAAAIAAAABABgAAAAAABAAAAATCwAAEwsAAAAA
//       | ...
//     mIcon = picture file "cursors/hand.cur"   (relative to the form file)
//   End
//
// Lines starting with "@" are the host's own values of the object (typed by
// their name); the other lines of a Control block are its property bag,
// each "key = kind value". Text is in double quotes with \\ \" \n \r \t and
// \xHH escapes. Pictures are saved as base64 of their file bytes, 64
// characters per "|" line, so a form text stands alone; "picture file" is
// read too. Blank lines and lines starting with "#" are ignored. Block and
// value keywords and keys are case-insensitive.
#pragma once

#include <string>
#include <string_view>

#include "host/FormDesc.h"

namespace host {

// Parses a form text. Relative picture paths resolve against baseDir
// (a Windows folder path; empty: the current folder). Throws host::Error
// (32000) with the line number and what is wrong, or the picture's error.
FormDesc ParseFormText(std::string_view text, const std::string& baseDir = {});

// Writes a form text (every value the description holds that differs from
// the description's defaults, and every bag entry).
std::string WriteFormText(const FormDesc& desc);

// File versions; paths are Windows paths. Errors: host::Error 53/75.
FormDesc LoadFormFile(const std::string& path);
void SaveFormFile(const std::string& path, const FormDesc& desc);

// Text helpers, exposed for tests and other stored formats.
std::string QuoteText(std::string_view text);
std::string EncodeBase64(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> DecodeBase64(std::string_view text);  // throws host::Error 32000 on bad input

}  // namespace host
