#include "host/DragDrop.h"

#include "host/CaughtExceptions.h"
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

void SiteDropTarget::Over(DWORD keys, POINTL pt, DWORD allowed, DWORD* effect, int16_t state) {
  if (!Active()) return;
  POINT p{pt.x, pt.y};
  ScreenToClient(site_->Hwnd(), &p);
  int16_t button = ButtonsFromKeyState(keys), shift = ShiftFromKeyState(keys);
  float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
  // The effect starts as "none": the control names what a drop would do.
  int32_t eff = DROPEFFECT_NONE;
  site_->GetControl().OLEDragOver(data_, eff, button, shift, x, y, state);
  if (effect) *effect = static_cast<DWORD>(eff) & (allowed | DROPEFFECT_SCROLL);
}

// Each method is called by ole32 during a drag. The effect is "none" until
// the control names one, so a handler that throws gives "no drop" for that
// call; the exception is reported and the drag goes on.
DWORD SiteDropTarget::TakeAllowed(DWORD* effect) {
  const DWORD allowed = effect ? *effect : DROPEFFECT_NONE;
  if (effect) *effect = DROPEFFECT_NONE;
  return allowed;
}

HRESULT SiteDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  const DWORD allowed = TakeAllowed(effect);
  data_ = DataObject(data);
  lastKeys_ = keys;
  lastPoint_ = pt;
  return AtSystemBoundary("IDropTarget::DragEnter", S_OK, [&] {
    Over(keys, pt, allowed, effect, 0);
    return S_OK;
  });
}

HRESULT SiteDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
  const DWORD allowed = TakeAllowed(effect);
  lastKeys_ = keys;
  lastPoint_ = pt;
  return AtSystemBoundary("IDropTarget::DragOver", S_OK, [&] {
    Over(keys, pt, allowed, effect, 2);
    return S_OK;
  });
}

HRESULT SiteDropTarget::DragLeave() {
  AtSystemBoundary("IDropTarget::DragLeave", [&] { Over(lastKeys_, lastPoint_, DROPEFFECT_NONE, nullptr, 1); });
  data_ = DataObject();
  return S_OK;
}

HRESULT SiteDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  const DWORD allowed = TakeAllowed(effect);
  data_ = DataObject();
  if (!Active()) return S_OK;
  return AtSystemBoundary("IDropTarget::Drop", S_OK, [&] {
    DataObject dropped(data);
    POINT p{pt.x, pt.y};
    ScreenToClient(site_->Hwnd(), &p);
    int16_t button = ButtonsFromKeyState(keys), shift = ShiftFromKeyState(keys);
    float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
    int32_t eff = static_cast<int32_t>(allowed);
    site_->GetControl().OLEDragDrop(dropped, eff, button, shift, x, y);
    if (effect) *effect = static_cast<DWORD>(eff) & allowed;
    return S_OK;
  });
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
  // Called by ole32 while the drag runs: a handler that throws gets the
  // default cursors.
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    return AtSystemBoundary("IDropSource::GiveFeedback", HRESULT{DRAGDROP_S_USEDEFAULTCURSORS}, [&] {
      int32_t eff = static_cast<int32_t>(effect);
      int16_t defaultCursors = -1;
      control_.OLEGiveFeedback(eff, defaultCursors);
      return defaultCursors ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
    });
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
