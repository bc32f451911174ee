#include "host/DragDrop.h"

#include "host/ControlSite.h"
#include "host/DataStore.h"
#include "host/Form.h"
#include "host/MouseInput.h"

namespace host {

HRESULT SiteDropTarget::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG SiteDropTarget::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

bool SiteDropTarget::Active() const { return site_ && site_->UserMode() && site_->Enabled(); }

void SiteDropTarget::Over(DWORD keys, POINTL pt, DWORD* effect, int16_t state) {
  DWORD allowed = effect ? *effect : DROPEFFECT_NONE;
  int32_t eff = static_cast<int32_t>(allowed);
  if (!Active()) {
    if (effect) *effect = DROPEFFECT_NONE;
    return;
  }
  POINT p{pt.x, pt.y};
  ScreenToClient(site_->Hwnd(), &p);
  int16_t button = ButtonsFromKeyState(keys), shift = ShiftFromKeyState(keys);
  float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
  // The effect starts as "none": the control names what a drop would do.
  eff = DROPEFFECT_NONE;
  site_->GetControl().OLEDragOver(data_, eff, button, shift, x, y, state);
  if (effect) *effect = static_cast<DWORD>(eff) & (allowed | DROPEFFECT_SCROLL);
}

HRESULT SiteDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  data_ = DataObject(data);
  lastKeys_ = keys;
  lastPoint_ = pt;
  Over(keys, pt, effect, 0);
  return S_OK;
}

HRESULT SiteDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
  lastKeys_ = keys;
  lastPoint_ = pt;
  Over(keys, pt, effect, 2);
  return S_OK;
}

HRESULT SiteDropTarget::DragLeave() {
  DWORD none = DROPEFFECT_NONE;
  Over(lastKeys_, lastPoint_, &none, 1);
  data_ = DataObject();
  return S_OK;
}

HRESULT SiteDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  DWORD allowed = effect ? *effect : DROPEFFECT_NONE;
  if (!Active()) {
    if (effect) *effect = DROPEFFECT_NONE;
    data_ = DataObject();
    return S_OK;
  }
  DataObject dropped(data);
  POINT p{pt.x, pt.y};
  ScreenToClient(site_->Hwnd(), &p);
  int16_t button = ButtonsFromKeyState(keys), shift = ShiftFromKeyState(keys);
  float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
  int32_t eff = static_cast<int32_t>(allowed);
  site_->GetControl().OLEDragDrop(dropped, eff, button, shift, x, y);
  if (effect) *effect = static_cast<DWORD>(eff) & allowed;
  data_ = DataObject();
  return S_OK;
}

namespace {

// The drop source of a drag started by a control.
class SiteDropSource : public IDropSource {
 public:
  explicit SiteDropSource(Control& control) : control_(control) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
      *out = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the stack of OLEDrag: counting only.
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    if (!(keys & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    int32_t eff = static_cast<int32_t>(effect);
    int16_t defaultCursors = -1;
    control_.OLEGiveFeedback(eff, defaultCursors);
    return defaultCursors ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
  }

 private:
  Control& control_;
  ULONG refs_ = 1;
};

}  // namespace

int32_t ControlSite::OLEDrag() {
  if (!attached_ || !UserMode()) return DROPEFFECT_NONE;
  form_->StartDragAndDrop();  // a drag needs OLE, also before the form was shown
  DataObject data = DataObject::CreateEmpty();
  int32_t allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  control_->OLEStartDrag(data, allowed);
  if (allowed == DROPEFFECT_NONE) return DROPEFFECT_NONE;
  if (DataStore* store = DataStore::From(data.Get())) {
    Control* control = control_.get();
    store->SetOnDemand([control, data](CLIPFORMAT format) mutable {
      int16_t f = static_cast<int16_t>(format);
      control->OLESetData(data, f);
    });
  }
  SiteDropSource source(*control_);
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = DoDragDrop(data.Get(), &source, static_cast<DWORD>(allowed), &effect);
  if (DataStore* store = DataStore::From(data.Get())) store->SetOnDemand(nullptr);  // breaks the cycle
  int32_t result = hr == DRAGDROP_S_DROP ? static_cast<int32_t>(effect) : DROPEFFECT_NONE;
  control_->OLECompleteDrag(result);
  return result;
}

}  // namespace host
