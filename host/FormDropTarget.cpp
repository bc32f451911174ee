#include "host/FormDropTarget.h"

#include "host/Form.h"

namespace host {

FormDropTarget::~FormDropTarget() { Detach(); }

void FormDropTarget::Detach() {
  form_ = nullptr;
  if (current_) current_->Release();
  current_ = nullptr;
  SetData(nullptr);
}

HRESULT FormDropTarget::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG FormDropTarget::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

void FormDropTarget::SetData(IDataObject* data) {
  if (data) data->AddRef();
  if (data_) data_->Release();
  data_ = data;
}

IDropTarget* FormDropTarget::TargetAt(POINTL pt) const {
  if (!form_) return nullptr;
  for (HWND h = WindowFromPoint(POINT{pt.x, pt.y}); h && h != form_->Hwnd(); h = GetParent(h))
    if (ControlSite* site = form_->SiteFromHwnd(h)) return site->DropTarget();
  return nullptr;
}

bool FormDropTarget::MoveTo(IDropTarget* next, DWORD keys, POINTL pt, DWORD* effect) {
  if (next == current_) return true;
  IDropTarget* old = current_;
  current_ = next;
  if (next) next->AddRef();
  if (old) {
    old->DragLeave();
    old->Release();
  }
  if (next && data_) {
    next->DragEnter(data_, keys, pt, effect);
  } else if (effect) {
    *effect = DROPEFFECT_NONE;
  }
  return false;
}

HRESULT FormDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  if (current_) current_->Release();  // a drag that never left
  current_ = nullptr;
  SetData(data);
  if (MoveTo(TargetAt(pt), keys, pt, effect) && effect) *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT FormDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
  if (MoveTo(TargetAt(pt), keys, pt, effect)) {
    if (current_)
      current_->DragOver(keys, pt, effect);
    else if (effect)
      *effect = DROPEFFECT_NONE;
  }
  return S_OK;
}

HRESULT FormDropTarget::DragLeave() {
  MoveTo(nullptr, 0, POINTL{}, nullptr);
  SetData(nullptr);
  return S_OK;
}

HRESULT FormDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  SetData(data);
  // Entering a control on the drop itself answers with its effect; the drop
  // is offered what the source allows.
  DWORD entered = effect ? *effect : DROPEFFECT_NONE;
  MoveTo(TargetAt(pt), keys, pt, &entered);
  IDropTarget* target = current_;
  current_ = nullptr;
  if (target) {
    target->Drop(data, keys, pt, effect);
    target->Release();
  } else if (effect) {
    *effect = DROPEFFECT_NONE;
  }
  SetData(nullptr);
  return S_OK;
}

}  // namespace host
