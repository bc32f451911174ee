#include "examples/gallery/GalleryAccessibleStatus.h"

#include "host/Oleacc.h"
#include "host/WideText.h"

std::string AccessibleNameAndRoleAt(POINT screen) {
  IAccessible* object = nullptr;
  VARIANT child;
  VariantInit(&child);
  if (FAILED(host::oleacc::AccessibleObjectFromPoint(screen, &object, &child)) || !object) return {};
  BSTR name = nullptr;
  object->get_accName(child, &name);
  std::string text = host::AnsiText(name);
  SysFreeString(name);
  VARIANT role;
  VariantInit(&role);
  if (SUCCEEDED(object->get_accRole(child, &role)) && role.vt == VT_I4) {
    char roleText[64] = {};
    host::oleacc::GetRoleTextA(static_cast<DWORD>(role.lVal), roleText, sizeof roleText);
    text += std::string(text.empty() ? "" : " ") + "(" + roleText + ")";
  }
  VariantClear(&role);
  VariantClear(&child);
  object->Release();
  return text;
}
