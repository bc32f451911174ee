// The one drop target OLE knows for a form. It is registered on the form's
// window and hands each drag to the drop target of the control under the
// cursor, entering and leaving as the cursor crosses from one control to
// another. One registration per form rather than one per control window:
// registering a window marshals its target, which costs as much again as
// creating the window, and a form of a thousand controls would pay it a
// thousand times. Internal to the host.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace host {

class Form;

class FormDropTarget : public IDropTarget {
 public:
  explicit FormDropTarget(Form* form) : form_(form) {}
  // The form's windows are going: later calls answer "no drop".
  void Detach();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

 private:
  virtual ~FormDropTarget();
  // The drop target of the control whose window is under the screen point
  // (or holds the window there); nullptr for none.
  IDropTarget* TargetAt(POINTL pt) const;
  // Makes `next` the target the drag is over: the old one gets DragLeave,
  // the new one DragEnter. True when `next` was already the target.
  bool MoveTo(IDropTarget* next, DWORD keys, POINTL pt, DWORD* effect);
  void SetData(IDataObject* data);

  ULONG refs_ = 1;
  Form* form_;
  IDataObject* data_ = nullptr;     // the drag's data, held while it lasts
  IDropTarget* current_ = nullptr;  // held while the drag is over it
};

}  // namespace host
