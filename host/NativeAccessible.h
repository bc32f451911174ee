// Accessible names for the program's native child windows that a windowless
// label names (a combo box after "Post Process Effects:"). Two ways, because
// platforms differ: the system's annotation service (IAccPropServices,
// which also reaches UI Automation's own proxies on Windows; Wine does not
// implement it), and an answer to WM_GETOBJECT(OBJID_CLIENT) that wraps
// the window's standard object and gives it the name, which every MSAA
// client sees.
#pragma once

#include <windows.h>

#include <string>

namespace host {

// Sets the window's accessible name through the annotation service; false
// where the platform has none.
bool AnnotateAccessibleName(HWND hwnd, const std::string& name);
// Drops the annotations made for the window (before it is destroyed).
void ClearAccessibleAnnotations(HWND hwnd);

// The answer to WM_GETOBJECT(OBJID_CLIENT) for a native window named
// `name`: its standard object with that name; a combo box keeps its role
// and reads its text as its value, as on Windows. 0 when it cannot be made.
LRESULT AnswerNamedWindow(HWND hwnd, WPARAM wp, const std::string& name);

}  // namespace host
