#include "registry/RegFileWriters.h"

#include "registry/RegistryWideText.h"

namespace reg_file {

namespace {

constexpr size_t kHexWrapColumn = 77;

wchar_t HexChar(unsigned digit) { return L"0123456789abcdef"[digit & 0xF]; }

void AppendHexByte(std::wstring& out, unsigned char byte) {
  out.push_back(HexChar(byte >> 4));
  out.push_back(HexChar(byte));
}

}  // namespace

std::wstring EscapedText(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size() + 2);
  for (wchar_t c : text) {
    switch (c) {
      case L'\\': out += L"\\\\"; break;
      case L'"': out += L"\\\""; break;
      case L'\r': out += L"\\r"; break;
      case L'\n': out += L"\\n"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::wstring KeyBlockStart(std::wstring_view keyPath) {
  std::wstring out = L"\r\n[";
  out.append(keyPath);
  out += L"]\r\n";
  return out;
}

std::wstring ValueNamePart(std::wstring_view name) {
  if (name.empty()) return L"@=";
  return L"\"" + EscapedText(name) + L"\"=";
}

std::wstring StringDataPart(std::wstring_view text) { return L"\"" + EscapedText(text) + L"\""; }

std::wstring DwordDataPart(uint32_t value) {
  std::wstring out = L"dword:";
  for (int shift = 28; shift >= 0; shift -= 4) out.push_back(HexChar(value >> shift));
  return out;
}

std::wstring HexDataPart(DWORD type, std::string_view bytes, size_t column) {
  std::wstring out = L"hex";
  if (type != REG_BINARY) {
    out.push_back(L'(');
    bool digits = false;
    for (int shift = 28; shift >= 0; shift -= 4) {
      digits = digits || (type >> shift) != 0 || shift == 0;
      if (digits) out.push_back(HexChar(type >> shift));
    }
    out.push_back(L')');
  }
  out.push_back(L':');
  column += out.size();
  out.reserve(out.size() + bytes.size() * 3 + bytes.size() / 25 * 5);
  for (size_t i = 0; i < bytes.size(); ++i) {
    AppendHexByte(out, static_cast<unsigned char>(bytes[i]));
    if (i + 1 == bytes.size()) break;
    out.push_back(L',');
    column += 3;
    if (column >= kHexWrapColumn) {
      out += L"\\\r\n  ";
      column = 2;
    }
  }
  return out;
}

std::wstring ValueLine(std::wstring_view name, DWORD type, std::string_view data, bool unicode) {
  std::wstring line = ValueNamePart(name);
  switch (type) {
    case REG_SZ: {
      std::wstring text = registry_wide::WideFromBytes(data);
      if (!text.empty() && text.back() == L'\0') text.pop_back();
      const size_t nul = text.find(L'\0');
      if (unicode && (data.size() % 2 != 0 || nul != std::wstring::npos)) {
        line += HexDataPart(type, data, line.size());
      } else {
        line += StringDataPart(std::wstring_view(text).substr(0, nul));
      }
      break;
    }
    case REG_DWORD:
      if (data.size() == 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(data.data());
        line += DwordDataPart(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24));
        break;
      }
      [[fallthrough]];
    default:
      if (!unicode && (type == REG_EXPAND_SZ || type == REG_MULTI_SZ)) {
        line += HexDataPart(type, registry_wide::FromWide(CP_ACP, registry_wide::WideFromBytes(data)), line.size());
      } else {
        line += HexDataPart(type, data, line.size());
      }
  }
  line += L"\r\n";
  return line;
}

}  // namespace reg_file
