#include "host/NativeAccessible.h"

#include <oleacc.h>

#include "host/WideText.h"
#include "host/WindowAccessible.h"

namespace host {

namespace {

// The annotation service and the name property, defined here so that no
// GUID has to come from an import library.
constexpr GUID kClsidAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kIidAccPropServices = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kPropidAccName = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

IAccPropServices* PropServices() {
  void* services = nullptr;
  if (FAILED(CoCreateInstance(kClsidAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIidAccPropServices, &services)))
    return nullptr;
  return static_cast<IAccPropServices*>(services);
}

bool IsComboBox(HWND hwnd) {
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  return lstrcmpiA(cls, "ComboBox") == 0;
}

// The window itself (CHILDID_SELF) gets the name, and a combo box its
// role and value; its children (on Windows the standard combo object has
// the edit field, the drop-down button and the list) are the standard
// object's to answer.
class NamedWindowAccessible final : public WindowAccessible {
 public:
  NamedWindowAccessible(HWND hwnd, std::string name)
      : WindowAccessible(hwnd), name_(std::move(name)), combo_(IsComboBox(hwnd)) {}

 private:
  bool Self(const VARIANT& child) const { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

  HRESULT AccName(VARIANT child, BSTR* name) override {
    if (!Self(child)) return WindowAccessible::AccName(child, name);
    if (HRESULT hr = CheckSelf(child); hr != S_OK) return hr;
    return TextResult(name_, name);
  }
  HRESULT AccRole(VARIANT child, VARIANT* role) override {
    if (!combo_ || !Self(child)) return WindowAccessible::AccRole(child, role);
    if (HRESULT hr = CheckSelf(child); hr != S_OK) return hr;
    return LongResult(ROLE_SYSTEM_COMBOBOX, role);
  }
  HRESULT AccValue(VARIANT child, BSTR* value) override {
    if (!combo_ || !Self(child)) return WindowAccessible::AccValue(child, value);
    if (HRESULT hr = CheckSelf(child); hr != S_OK) return hr;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(Hwnd())) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(Hwnd(), text.data(), static_cast<int>(text.size()))));
    return TextResult(text, value);
  }

  std::string name_;
  bool combo_;
};

}  // namespace

bool AnnotateAccessibleName(HWND hwnd, const std::string& name) {
  IAccPropServices* services = PropServices();
  if (!services) return false;
  const HRESULT hr = services->SetHwndPropStr(hwnd, OBJID_CLIENT, CHILDID_SELF, kPropidAccName, WideText(name).c_str());
  services->Release();
  return SUCCEEDED(hr);
}

void ClearAccessibleAnnotations(HWND hwnd) {
  IAccPropServices* services = PropServices();
  if (!services) return;
  MSAAPROPID name = kPropidAccName;
  services->ClearHwndProps(hwnd, OBJID_CLIENT, CHILDID_SELF, &name, 1);
  services->Release();
}

LRESULT AnswerNamedWindow(HWND hwnd, WPARAM wp, const std::string& name) {
  auto* object = new NamedWindowAccessible(hwnd, name);
  const LRESULT answer = object->Answer(wp);
  object->Release();  // the client holds it now, if it took it
  return answer;
}

}  // namespace host
