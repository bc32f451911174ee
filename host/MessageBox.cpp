#include "host/MessageBox.h"

#include <utility>

namespace host {
namespace {

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

std::string& Title() {
  static std::string title;
  return title;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT style) {
  std::string t(text);
  std::string caption = title.empty() ? AppTitle() : std::string(title);
  if (Handler()) return Handler()(owner, t, caption, style);
  return MessageBoxA(owner, t.c_str(), caption.c_str(), style);
}

const std::string& AppTitle() {
  std::string& title = Title();
  if (title.empty()) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    size_t slash = p.find_last_of("\\/");
    if (slash != std::string::npos) p = p.substr(slash + 1);
    size_t dot = p.find_last_of('.');
    if (dot != std::string::npos) p = p.substr(0, dot);
    title = p.empty() ? "Project1" : p;
  }
  return title;
}

void SetAppTitle(std::string title) { Title() = std::move(title); }

}  // namespace host
