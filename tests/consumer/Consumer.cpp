// Uses the installed libraries the way another program would: a Butt on a
// host form, clicked with the mouse messages a user's click sends, the form
// made translucent by the window effects, and a clsRegistryAccess write,
// export, import and read round trip under HKCU.
// Prints what failed and ends with exit code 1; 0 when all went well.
#include <windows.h>

#include <cstdio>
#include <string>

#include "button/Butt.h"
#include "effects/WindowEffects.h"
#include "host/Host.h"
#include "registry/clsRegistryAccess.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (!ok) ++failures;
}

constexpr const char* kFormText =
    "VornForm 1\r\n"
    "Begin Form Main\r\n"
    "  @Caption = \"Consumer\"\r\n"
    "  @ClientWidth = 3000\r\n"
    "  @ClientHeight = 1500\r\n"
    "End\r\n"
    "Begin Control Butt1 Butt\r\n"
    "  @Container = \"\"\r\n"
    "  @Left = 300\r\n"
    "  @Top = 300\r\n"
    "  @ExtentX = 1667\r\n"
    "  @ExtentY = 688\r\n"
    "  Caption = text \"Press\"\r\n"
    "  Mode = int32 1\r\n"
    "End\r\n";

void ButtOnAForm() {
  RegisterButtClass();
  host::Form form(host::ParseFormText(kFormText));
  int clicks = 0;
  form.On("Butt1", "Click", [&](host::EventArgs&) { ++clicks; });
  form.Show();
  host::DoEvents();
  Butt& butt = form.ControlAs<Butt>("Butt1");
  const HWND hwnd = form.Site("Butt1").Hwnd();
  Check(IsWindow(hwnd) && GetParent(hwnd) == form.Hwnd(), "the Butt is a child window of the form");
  Check(butt.Caption() == "Press" && butt.Mode() == butt::ModeCheckBox, "the Butt read its stored properties");
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  host::DoEvents();
  Check(clicks == 1 && butt.Value(), "a click raised Click once and checked the check box");
  Check(SetOpacity(form.Hwnd(), 128) && GetLayeredValue(form.Hwnd()) == 128, "the form's opacity set");
  Check(form.Unload(), "the form unloaded");
}

void RegistryRoundTrip() {
  const std::string key = "HKCU\\Software\\VornConsumerTest";
  const std::string sub = key + "\\Sub";
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string file = std::string(temp) + "VornConsumerTest.reg";
  clsRegistryAccess reg;
  auto removeKey = [&] { return reg.KillKey(sub) != 0 && reg.KillKey(key) != 0; };  // a key goes after its subkeys
  removeKey();
  DeleteFileA(file.c_str());
  Check(reg.WriteString(sub, "Text", "round trip") != 0 && reg.WriteDWORD(key, "Number", 42) != 0, "values written");
  Check(reg.ExportToReg(key, file) == 1, "the key exported");
  Check(removeKey() && !reg.KeyExists(key), "the key deleted");
  Check(reg.ImportFromReg(file) == 1, "the file imported");
  Check(reg.ReadString(sub, "Text", "") == "round trip" && reg.ReadDWORD(key, "Number") == 42, "the values read back");
  removeKey();
  DeleteFileA(file.c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    ButtOnAForm();
    RegistryRoundTrip();
  } catch (const std::exception& e) {
    std::printf("FAILED: exception %s\n", e.what());
    return 1;
  }
  std::fflush(stdout);
  return failures == 0 ? 0 : 1;
}
