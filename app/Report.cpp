#include "app/Report.h"

#include "app/ApplySet.h"
#include "app/Utf8.h"

namespace vorn {
namespace {

// Hands the units to `write` until it has taken all of them. A reader that
// went away loses the rest; there is no one left to tell.
template <typename Unit, typename Write>
void WriteAll(const std::basic_string<Unit>& text, Write write) {
  size_t done = 0;
  while (done < text.size()) {
    DWORD written = 0;
    if (!write(text.data() + done, static_cast<DWORD>(text.size() - done), &written) || written == 0) return;
    done += written;
  }
}

}  // namespace

bool OutputIsRedirected(DWORD fileType, bool isConsole) {
  switch (fileType) {
    case FILE_TYPE_PIPE:
    case FILE_TYPE_DISK: return true;
    case FILE_TYPE_CHAR: return !isConsole;
    default: return false;
  }
}

std::string OutputBytes(std::wstring_view text) {
  std::wstring line(text);
  line += L"\r\n";
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

void Report::Choose() {
  chosen_ = true;
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output && output != INVALID_HANDLE_VALUE) {
    DWORD mode = 0;
    if (OutputIsRedirected(GetFileType(output), GetConsoleMode(output, &mode) != FALSE)) {
      output_ = output;
      channel_ = ReportChannel::Output;
      return;
    }
  }
  // A program of the Windows subsystem gets no console of its own; the one
  // it was started from is there to be joined (a start by a double click
  // has none). ERROR_ACCESS_DENIED: this process has a console already.
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) return;
  console_.emplace(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr));
  if (*console_) channel_ = ReportChannel::Console;
}

void Report::Show(const std::string& text, UINT style) {
  if (!chosen_) Choose();
  switch (channel_) {
    case ReportChannel::Output:
      WriteAll(OutputBytes(Widen(text)), [this](const char* units, DWORD count, DWORD* written) {
        return WriteFile(output_, units, count, written, nullptr);
      });
      return;
    case ReportChannel::Console:
      WriteAll(Widen(text) + L"\r\n", [this](const wchar_t* units, DWORD count, DWORD* written) {
        return WriteConsoleW(console_->get(), units, count, written, nullptr);
      });
      return;
    case ReportChannel::MessageBox: ShowMessage(nullptr, text, style); return;
  }
}

}  // namespace vorn
