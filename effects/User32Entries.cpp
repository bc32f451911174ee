#include "effects/User32Entries.h"

namespace {

// GetProcAddress hands back a generic function pointer; going through void*
// converts it to the real signature without a function-type cast warning.
template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

User32Entries ResolveUser32Entries(HMODULE module) {
  User32Entries entries;
  entries.getLayeredWindowAttributes =
      Lookup<User32Entries::GetLayeredWindowAttributesFn>(module, "GetLayeredWindowAttributes");
  entries.setLayeredWindowAttributes =
      Lookup<User32Entries::SetLayeredWindowAttributesFn>(module, "SetLayeredWindowAttributes");
  entries.getWindowLong = Lookup<User32Entries::GetWindowLongAFn>(module, "GetWindowLongA");
  entries.setWindowLong = Lookup<User32Entries::SetWindowLongAFn>(module, "SetWindowLongA");
  entries.releaseCapture = Lookup<User32Entries::ReleaseCaptureFn>(module, "ReleaseCapture");
  entries.sendMessage = Lookup<User32Entries::SendMessageAFn>(module, "SendMessageA");
  return entries;
}

const User32Entries& User32() {
  // user32 is linked into every GUI program and stays loaded for its life.
  static const User32Entries entries = ResolveUser32Entries(GetModuleHandleA("user32.dll"));
  return entries;
}
