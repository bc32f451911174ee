#include "host/CommonControls.h"

#include <windows.h>
#include <commctrl.h>

#include "host/SystemLibrary.h"

namespace host {

bool LoadCommonControls() {
  static const bool loaded = [] {
    // From the system folder (or, under a Common Controls 6 manifest, the
    // system's side-by-side copy); stays loaded for the life of the process,
    // as an imported library would.
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = SystemProc<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
    if (!init) return false;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    return init(&icc) != FALSE;
  }();
  return loaded;
}

}  // namespace host
