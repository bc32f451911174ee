#include "examples/gallery/GalleryAccessibleStatus.h"

#include <oleacc.h>

namespace {

std::string Narrow(BSTR text) {
  if (!text) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace

std::string AccessibleNameAndRoleAt(POINT screen) {
  IAccessible* object = nullptr;
  VARIANT child;
  VariantInit(&child);
  if (FAILED(AccessibleObjectFromPoint(screen, &object, &child)) || !object) return {};
  BSTR name = nullptr;
  object->get_accName(child, &name);
  std::string text = Narrow(name);
  SysFreeString(name);
  VARIANT role;
  VariantInit(&role);
  if (SUCCEEDED(object->get_accRole(child, &role)) && role.vt == VT_I4) {
    char roleText[64] = {};
    GetRoleTextA(static_cast<DWORD>(role.lVal), roleText, sizeof roleText);
    text += std::string(text.empty() ? "" : " ") + "(" + roleText + ")";
  }
  VariantClear(&role);
  VariantClear(&child);
  object->Release();
  return text;
}
