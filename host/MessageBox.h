// The one way the host and its controls show a modal message box. Tests
// redirect it to a recorder with SetMessageBoxHandler.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace host {

using MessageBoxHandler = std::function<int(HWND owner, const std::string& text, const std::string& title, UINT style)>;

// Replaces the function that shows message boxes; an empty handler
// restores MessageBoxA. Returns the previous handler.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Shows a message box (or hands it to the handler); an empty title is
// replaced by AppTitle(). Returns the button pressed (IDOK...).
int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT style);

// The application's default message-box title: the executable's name
// without its extension unless set.
const std::string& AppTitle();
void SetAppTitle(std::string title);

}  // namespace host
