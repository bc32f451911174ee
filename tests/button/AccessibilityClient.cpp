// A small screen reader for the accessibility tests: another process that
// reads windows through AccessibleObjectFromWindow and listens to WinEvents
// out of context, printing what it sees on stdout, one line per answer.
//
//   read HWND        name|role|state|action|shortcut|description|value|left,top,width,height
//   hit HWND X Y     the child accHitTest gives for a screen point ("self" or "none")
//   do HWND          the HRESULT of accDoDefaultAction
//   hold HWND        takes the object, prints "ready", waits for a thread
//                    message, then prints the HRESULT of each call ("after ...")
//   hook PID         prints "ready", then every focus, state and name
//                    event of that process until WM_QUIT: "event E HWND OBJID CHILD"
//   early PID        prints "ready", waits for a host form of that process
//                    to exist and reads the names of its hosted controls and
//                    combo boxes from that moment, round after round, until
//                    five rounds after it is opaque: "round ALPHA name|name|..."
//                    (ALPHA 0 before it is layered; a failed read
//                    "!HRESULT"), then "done"
//   children HWND    asks the object and the window's standard object the
//                    name and role of each child id the standard one counts:
//                    "child ID same" or "child ID ours ... standard ..."
// Handles are decimal numbers. Several commands may follow each other.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/WideText.h"

namespace {

// The text a call gave, "(null)" for none; frees it.
std::string Narrow(BSTR text) {
  const std::string s = text ? host::AnsiText(text) : "(null)";
  SysFreeString(text);
  return s;
}

VARIANT Self() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = CHILDID_SELF;
  return v;
}

HWND HandleArg(const char* text) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(text, nullptr, 10)));
}

IAccessible* ObjectOf(HWND hwnd) {
  void* object = nullptr;
  HRESULT hr = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), &object);
  if (FAILED(hr)) std::printf("no object %08lx\n", static_cast<unsigned long>(hr));
  return SUCCEEDED(hr) ? static_cast<IAccessible*>(object) : nullptr;
}

void Read(IAccessible* acc) {
  BSTR text = nullptr;
  std::string line;
  acc->get_accName(Self(), &text);
  line += Narrow(text) + "|";
  VARIANT v;
  VariantInit(&v);
  acc->get_accRole(Self(), &v);
  line += std::to_string(v.vt == VT_I4 ? v.lVal : -1) + "|";
  VariantInit(&v);
  acc->get_accState(Self(), &v);
  char hex[16];
  std::snprintf(hex, sizeof hex, "%lx", v.vt == VT_I4 ? static_cast<unsigned long>(v.lVal) : 0xFFFFFFFFul);
  line += std::string(hex) + "|";
  text = nullptr;
  acc->get_accDefaultAction(Self(), &text);
  line += Narrow(text) + "|";
  text = nullptr;
  acc->get_accKeyboardShortcut(Self(), &text);
  line += Narrow(text) + "|";
  text = nullptr;
  acc->get_accDescription(Self(), &text);
  line += Narrow(text) + "|";
  text = nullptr;
  acc->get_accValue(Self(), &text);
  line += Narrow(text) + "|";
  LONG l = 0, t = 0, w = 0, h = 0;
  acc->accLocation(&l, &t, &w, &h, Self());
  line += std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(w) + "," + std::to_string(h);
  std::printf("%s\n", line.c_str());
}

// Every call a screen reader makes, on an object whose window is gone.
void CallsAfter(IAccessible* acc) {
  BSTR text = nullptr;
  VARIANT v;
  auto report = [](const char* what, HRESULT hr) {
    std::printf("after %s %08lx\n", what, static_cast<unsigned long>(hr));
  };
  report("name", acc->get_accName(Self(), &text));
  VariantInit(&v);
  report("role", acc->get_accRole(Self(), &v));
  VariantInit(&v);
  report("state", acc->get_accState(Self(), &v));
  report("action", acc->get_accDefaultAction(Self(), &text));
  report("do", acc->accDoDefaultAction(Self()));
  LONG l, t, w, h;
  report("location", acc->accLocation(&l, &t, &w, &h, Self()));
  VariantInit(&v);
  report("hit", acc->accHitTest(0, 0, &v));
  IDispatch* parent = nullptr;
  report("parent", acc->get_accParent(&parent));
  if (parent) parent->Release();
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
  if (event != EVENT_OBJECT_FOCUS && event != EVENT_OBJECT_STATECHANGE && event != EVENT_OBJECT_NAMECHANGE) return;
  std::printf("event %lx %llu %ld %ld\n", static_cast<unsigned long>(event),
              static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)), static_cast<long>(idObject),
              static_cast<long>(idChild));
  std::fflush(stdout);
}

// The name a reader gets from the window's client object, "!HRESULT" when
// it gets none.
std::string NameRead(HWND hwnd) {
  void* object = nullptr;
  HRESULT hr = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), &object);
  BSTR name = nullptr;
  if (SUCCEEDED(hr)) {
    hr = static_cast<IAccessible*>(object)->get_accName(Self(), &name);
    static_cast<IAccessible*>(object)->Release();
  }
  if (FAILED(hr) || !name) {
    SysFreeString(name);
    char text[16];
    std::snprintf(text, sizeof text, "!%08lx", static_cast<unsigned long>(hr));
    return text;
  }
  return Narrow(name);
}

struct EarlyReader {
  DWORD pid;
  HWND form = nullptr;
  std::vector<HWND> controls;
};

BOOL CALLBACK FindForm(HWND hwnd, LPARAM lp) {
  auto* reader = reinterpret_cast<EarlyReader*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid != reader->pid || std::string(cls) != "VornHostForm") return TRUE;
  reader->form = hwnd;
  return FALSE;
}

BOOL CALLBACK FindControls(HWND hwnd, LPARAM lp) {
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (std::string(cls) == "VornHostControl" || lstrcmpiA(cls, "ComboBox") == 0)
    reinterpret_cast<EarlyReader*>(lp)->controls.push_back(hwnd);
  return TRUE;
}

void ReadEarly(DWORD pid) {
  EarlyReader reader{pid, nullptr, {}};
  std::printf("ready\n");
  std::fflush(stdout);
  const DWORD start = GetTickCount();
  while (!reader.form && GetTickCount() - start < 20000) {
    EnumWindows(FindForm, reinterpret_cast<LPARAM>(&reader));
    if (!reader.form) Sleep(1);
  }
  for (int opaqueRounds = 0; reader.form && opaqueRounds < 5 && GetTickCount() - start < 20000;) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(reader.form, nullptr, &alpha, &flags)) alpha = 0;
    reader.controls.clear();
    EnumChildWindows(reader.form, FindControls, reinterpret_cast<LPARAM>(&reader));
    std::string line = "round " + std::to_string(alpha) + " ";
    for (size_t i = 0; i < reader.controls.size(); ++i) {
      if (i) line += '|';
      line += NameRead(reader.controls[i]);
    }
    std::printf("%s\n", line.c_str());
    if (alpha == 255) ++opaqueRounds;
  }
  std::printf("done\n");
}

// What the object answers against what the window's standard object
// answers, for one child id.
std::string ChildAnswer(IAccessible* acc, LONG id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  BSTR name = nullptr;
  const HRESULT nameHr = acc->get_accName(child, &name);
  VARIANT role;
  VariantInit(&role);
  const HRESULT roleHr = acc->get_accRole(child, &role);
  char text[64];
  std::snprintf(text, sizeof text, "%08lx %08lx %ld ", static_cast<unsigned long>(nameHr),
                static_cast<unsigned long>(roleHr), role.vt == VT_I4 ? static_cast<long>(role.lVal) : -1L);
  VariantClear(&role);
  return text + Narrow(name);
}

void CompareChildren(HWND hwnd) {
  IAccessible* ours = ObjectOf(hwnd);
  void* standard = nullptr;
  if (!ours || FAILED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible), &standard))) {
    std::printf("no objects\n");
    if (ours) ours->Release();
    return;
  }
  auto* reference = static_cast<IAccessible*>(standard);
  LONG count = 0;
  reference->get_accChildCount(&count);
  std::printf("children %ld\n", static_cast<long>(count));
  for (LONG id = 1; id <= count; ++id) {
    const std::string mine = ChildAnswer(ours, id), theirs = ChildAnswer(reference, id);
    if (mine == theirs)
      std::printf("child %ld same %s\n", static_cast<long>(id), mine.c_str());
    else
      std::printf("child %ld ours %s standard %s\n", static_cast<long>(id), mine.c_str(), theirs.c_str());
  }
  reference->Release();
  ours->Release();
}

void PumpUntilQuitOr(UINT message) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == message) return;
    DispatchMessageA(&msg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  CoInitialize(nullptr);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // a queue for the thread messages of the test
  for (int i = 1; i < argc; ++i) {
    const std::string command = argv[i];
    if (command == "read" && i + 1 < argc) {
      if (IAccessible* acc = ObjectOf(HandleArg(argv[++i]))) {
        Read(acc);
        acc->Release();
      }
    } else if (command == "hit" && i + 3 < argc) {
      IAccessible* acc = ObjectOf(HandleArg(argv[++i]));
      const LONG x = std::atol(argv[++i]), y = std::atol(argv[++i]);
      if (acc) {
        VARIANT v;
        VariantInit(&v);
        acc->accHitTest(x, y, &v);
        std::printf("hit %s\n", v.vt == VT_I4 && v.lVal == CHILDID_SELF ? "self" : v.vt == VT_EMPTY ? "none" : "other");
        VariantClear(&v);
        acc->Release();
      }
    } else if (command == "do" && i + 1 < argc) {
      if (IAccessible* acc = ObjectOf(HandleArg(argv[++i]))) {
        std::printf("do %08lx\n", static_cast<unsigned long>(acc->accDoDefaultAction(Self())));
        acc->Release();
      }
    } else if (command == "hold" && i + 1 < argc) {
      if (IAccessible* acc = ObjectOf(HandleArg(argv[++i]))) {
        std::printf("ready\n");
        std::fflush(stdout);
        PumpUntilQuitOr(WM_USER);
        CallsAfter(acc);
        acc->Release();
        std::printf("released\n");
      }
    } else if (command == "hook" && i + 1 < argc) {
      const DWORD pid = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
      // The whole range, as screen readers hook: Wine's user32 raises no
      // event at all while every hook's range leaves out EVENT_MIN.
      HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, pid, 0, WINEVENT_OUTOFCONTEXT);
      std::printf(hook ? "ready\n" : "no hook\n");
      std::fflush(stdout);
      PumpUntilQuitOr(WM_QUIT);
      if (hook) UnhookWinEvent(hook);
    } else if (command == "early" && i + 1 < argc) {
      ReadEarly(static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10)));
    } else if (command == "children" && i + 1 < argc) {
      CompareChildren(HandleArg(argv[++i]));
    }
    std::fflush(stdout);
  }
  CoUninitialize();
  return 0;
}
