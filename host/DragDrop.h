// The host's OLE drag-and-drop objects for one control: the drop target
// registered on the control's window (turns IDropTarget calls into
// OLEDragOver/OLEDragDrop) and the drop source of drags the control starts.
// Internal to the host.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "host/DataObject.h"

namespace host {

class ControlSite;

class SiteDropTarget : public IDropTarget {
 public:
  explicit SiteDropTarget(ControlSite* site) : site_(site) {}
  // The site is going away: later calls answer "no drop".
  void Detach() { site_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

 private:
  virtual ~SiteDropTarget() = default;
  // The effects the source allows; `effect` is set to "none" meanwhile.
  static DWORD TakeAllowed(DWORD* effect);
  // Delivers OLEDragOver with the state (0 enter, 1 leave, 2 over) and sets
  // `effect` to what the control names, within `allowed`.
  void Over(DWORD keys, POINTL pt, DWORD allowed, DWORD* effect, int16_t state);
  bool Active() const;
  ULONG refs_ = 1;
  ControlSite* site_;
  DataObject data_;
  DWORD lastKeys_ = 0;
  POINTL lastPoint_{};
};

}  // namespace host
