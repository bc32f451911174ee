// Runs the test screen reader (AccessibilityClient.exe) as a second process
// while this process keeps pumping its messages, so that the client's
// WM_GETOBJECT and its calls into this process's objects are answered.
#pragma once

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "host/MessageLoop.h"

namespace butt_test {

inline std::string HandleText(HWND hwnd) { return std::to_string(reinterpret_cast<UINT_PTR>(hwnd)); }

class AccessibilityClientProcess {
 public:
  AccessibilityClientProcess() = default;
  ~AccessibilityClientProcess() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    if (read_) CloseHandle(read_);
  }
  AccessibilityClientProcess(const AccessibilityClientProcess&) = delete;
  AccessibilityClientProcess& operator=(const AccessibilityClientProcess&) = delete;

  bool Start(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    if (!CreatePipe(&read_, &write, &inherit, 0)) return false;
    SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string exe = VORN_ACCESSIBILITY_CLIENT;
    if (!exe.empty() && exe[0] == '/') exe = "Z:" + exe;  // built on the Unix side of Wine
    std::string command = "\"" + exe + "\" " + arguments;
    const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &process_) != FALSE;
    CloseHandle(write);
    return started;
  }

  // Pumps this process's messages until the client printed `line`.
  bool WaitForLine(const std::string& line) {
    return host::PumpUntil([&] { return Drain(), output_.find(line + "\n") != std::string::npos; }, 20000);
  }
  // Asks a "hold" client to go on, or a "hook" client to stop.
  void Post(UINT message) { PostThreadMessageA(process_.dwThreadId, message, 0, 0); }

  // Pumps until the client ends; its output, one entry per line.
  std::vector<std::string> Finish() {
    host::PumpUntil([&] { return Drain(), WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, 30000);
    host::DoEvents();
    Drain();
    std::vector<std::string> lines;
    std::istringstream in(output_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  void Drain() {
    DWORD available = 0;
    while (read_ && PeekNamedPipe(read_, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      char buffer[4096];
      DWORD got = 0;
      if (!ReadFile(read_, buffer, sizeof buffer, &got, nullptr) || got == 0) return;
      for (DWORD i = 0; i < got; ++i)
        if (buffer[i] != '\r') output_ += buffer[i];  // the client's stdout is a text stream
    }
  }

  PROCESS_INFORMATION process_{};
  HANDLE read_ = nullptr;
  std::string output_;
};

}  // namespace butt_test
