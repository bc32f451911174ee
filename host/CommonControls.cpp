#include "host/CommonControls.h"

#include <windows.h>
#include <commctrl.h>

namespace host {

bool LoadCommonControls() {
  static const bool loaded = [] {
    // Stays loaded for the life of the process, as an imported library would.
    HMODULE module = LoadLibraryA("comctl32.dll");
    if (!module) return false;
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    // Through void*: a generic function pointer converts to the real
    // signature without a function-type cast warning.
    const auto init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(module, "InitCommonControlsEx")));
    if (!init) return false;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    return init(&icc) != FALSE;
  }();
  return loaded;
}

}  // namespace host
