// A host form: a top-level window with containers, windowless labels and
// images, hosted controls and native child windows made by the program;
// tab order, focus, default and cancel buttons, access keys, events to
// named handlers, edit and run mode, and saving back to a form text.
//
// Typical use:
//   host::RegisterControlClass("Butt", [] { return std::make_unique<Butt>(); });
//   host::Form form(host::ParseFormText(text));
//   form.On("Butt1", "Click", [&](host::EventArgs&) { ... });
//   form.On("VORN", "Load", [&](host::EventArgs&) { ... });
//   host::Run(form);                         // Load, Show, loop until unloaded
//
// Events the host raises itself (object name, event, arguments):
//   form:      Load (), QueryUnload (Cancel int16, UnloadMode int16),
//              Unload (Cancel int16), Resize (), Activate (), Deactivate (),
//              DpiChanged () after the form was laid out at a new DPI
//   container, label, image and native window:
//              MouseDown/MouseMove/MouseUp (Button, Shift int16, X, Y single px),
//              Click (), DblClick ()
//   native window notifications: Click (button clicked, combo selection),
//              Change (edit or combo text), DropDown (combo list opens)
//   timer:     Timer ()
// A handler that sets Cancel to non-zero keeps the form loaded. Controls
// raise their own events through ControlSite::RaiseEvent. In edit mode
// (UserMode false) no event reaches a handler and controls get no input.
//
// Focus and the default button: the form's default button is the control
// marked Default; while a control whose CanBeDefault() is true has the
// focus, that control is the default button instead (as a focused command
// button is). Each change raises AmbientChanged("DisplayAsDefault") on the
// control that stops and the one that starts being the default. In edit
// mode only the marked Default control displays as default.
//
// Dots per inch: the form is laid out at the DPI of its window (the
// monitor's where the program is per-monitor DPI aware, else the system's),
// at load and again whenever the window's DPI changes (WM_DPICHANGED): the
// window's client area, every twips position and size, the label fonts and
// every control's place and extent. Controls then get
// AmbientChanged("Dpi") and read the DPI through ControlSite::Dpi(); native
// windows are the program's to place again, on the form's DpiChanged event.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/ControlSite.h"
#include "host/EventArgs.h"
#include "host/FormDesc.h"
#include "host/GdiObjects.h"
#include "host/MouseInput.h"
#include "host/UserObjects.h"

namespace host {

class Form;
class FormDropTarget;

using EventHandler = std::function<void(EventArgs& args)>;
// Sees every event raised on the form (after the named handler).
using AnyEventHandler = std::function<void(std::string_view object, std::string_view event, EventArgs& args)>;

class Container {
 public:
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;
  ~Container();

  const std::string& Name() const { return desc_.name; }
  HWND Hwnd() const { return hwnd_.get(); }
  Container* Parent() const { return parent_; }  // nullptr: on the form
  Form& GetForm() const { return *form_; }

  OleColor BackColor() const { return desc_.backColor; }
  // Repaints and tells the controls inside: AmbientChanged("BackColor").
  void SetBackColor(OleColor color);
  OleColor ForeColor() const { return desc_.foreColor; }
  void SetForeColor(OleColor color);
  FontDesc Font() const;
  // Throws host::Error (380) for an unusable font; AmbientChanged("Font").
  void SetFont(const FontDesc& font);
  const Picture& GetPicture() const { return desc_.picture; }
  void SetPicture(const Picture& picture);
  void SetVisible(bool visible);
  // Pixels of the parent's client area.
  void Move(int left, int top, int width, int height);

  const ContainerDesc& Desc() const { return desc_; }

 private:
  friend class Form;
  Container() = default;
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  // The label or image under a client point, else the container's name.
  std::string HitTest(POINT pt) const;
  RECT TargetRect(const std::string& name) const;

  Form* form_ = nullptr;
  Container* parent_ = nullptr;
  ContainerDesc desc_;
  user::Window hwnd_;
  gdi::Brush backBrush_;
  std::string mouseTarget_;  // the object the pressed mouse belongs to
  ClickTracker clicks_;
  int order_ = 0;
};

class Label {
 public:
  const std::string& Name() const { return desc_.name; }
  const std::string& Caption() const { return desc_.caption; }
  void SetCaption(std::string caption);
  OleColor ForeColor() const { return desc_.foreColor; }
  void SetForeColor(OleColor color);
  void SetVisible(bool visible);
  RECT Bounds() const { return rect_; }  // pixels of the container
  const LabelDesc& Desc() const { return desc_; }

 private:
  friend class Form;
  friend class Container;
  void Invalidate() const;
  Form* form_ = nullptr;
  Container* container_ = nullptr;
  LabelDesc desc_;
  RECT rect_{};
  int order_ = 0;
};

class Image {
 public:
  const std::string& Name() const { return desc_.name; }
  const Picture& GetPicture() const { return desc_.picture; }
  void SetPicture(const Picture& picture);
  void SetVisible(bool visible);
  RECT Bounds() const { return rect_; }
  const ImageDesc& Desc() const { return desc_; }

 private:
  friend class Form;
  friend class Container;
  void Invalidate() const;
  Form* form_ = nullptr;
  Container* container_ = nullptr;
  ImageDesc desc_;
  RECT rect_{};
};

// How the host treats a native child window the program made (a combo box,
// an edit, a static...). It joins the tab order, its mouse events reach
// the handlers under its name, and the container colours it.
struct NativeOptions {
  int16_t tabIndex = 0;
  bool tabStop = true;
  OleColor foreColor = kWindowText;
  bool useForeColor = false;  // otherwise the system's text colour
  std::string toolTip;
};

class Form {
 public:
  explicit Form(FormDesc desc = {});
  // Destroys every window without raising Unload (Terminate still reaches
  // the controls).
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Handlers by object name (the form's, a container's, a label's, a
  // control's, a native window's or a timer's) and event name, both
  // case-insensitive. One handler per pair; On replaces it.
  void On(std::string_view object, std::string_view event, EventHandler handler);
  void OnAny(AnyEventHandler handler);
  // Raises an event to its handler (used by sites; the program may raise
  // its own). Does nothing in edit mode.
  void RaiseEvent(std::string_view object, std::string_view event, EventArgs& args);

  // Initialises COM on the thread (once per form, undone when the form
  // goes), then creates the window, containers and controls (each control:
  // InitProperties without a stored bag, else ReadProperties), then raises
  // Load. A control whose ReadProperties throws fails loading: the windows
  // made so far are destroyed and the host::Error reaches the caller with
  // the control's name added. Does nothing when loaded.
  void Load();
  // Load() if needed, then shows the form and gives the focus to the first
  // control in tab order. Drag and drop and the tooltips start once the
  // window is up (see StartDragAndDrop), from the message loop.
  void Show();
  // Initialises OLE for the thread and registers the form's window as the
  // drop target of every control on it (OLEDragOver, OLEDragDrop go to the
  // control under the cursor), later controls included. Show starts it
  // through the message loop, after the window is up; a drag started
  // earlier starts it at once. Once per form.
  void StartDragAndDrop();
  void Hide();
  // QueryUnload then Unload (mode 0 the close box, 1 code); false when a
  // handler cancelled. Terminates the controls and destroys the windows.
  bool Unload(int16_t mode = 1);
  // False from the moment an unload is decided (the windows of a form
  // unloaded from inside one of its own events go when that event returns).
  bool IsLoaded() const { return hwnd_.get() != nullptr && !destroyPending_; }

  const std::string& Name() const { return desc_.form.name; }
  HWND Hwnd() const { return hwnd_.get(); }
  std::string Caption() const { return desc_.form.caption; }
  void SetCaption(const std::string& caption);
  OleColor BackColor() const { return desc_.form.backColor; }
  void SetBackColor(OleColor color);
  const FontDesc& Font() const { return desc_.form.font; }
  void SetFont(const FontDesc& font);  // throws host::Error (380)
  bool IsMdiForm() const { return desc_.form.isMdiForm; }

  // The dots per inch the form is laid out at (see the top of this file).
  int Dpi() const { return dpi_; }
  // Lays the loaded form out again at `dpi`: the window keeps its top-left
  // corner, or moves to the top-left of `suggested` (a window rectangle in
  // screen pixels, as WM_DPICHANGED gives it). Raises DpiChanged.
  void ScaleToDpi(int dpi, const RECT* suggested = nullptr);
  // The window rectangle's size for the form's client area at `dpi`.
  SIZE WindowSizeAt(int dpi) const;

  // Run mode (true, the default) or edit mode. Switching raises
  // AmbientChanged("UserMode") on every control and recomputes the default
  // button (AmbientChanged("DisplayAsDefault") where it changes).
  bool UserMode() const { return userMode_; }
  void SetUserMode(bool userMode);

  // Objects by name (case-insensitive). The Get forms throw host::Error
  // (32002) when the name is unknown; the Find forms return nullptr.
  Container& GetContainer(std::string_view name);
  Container* FindContainer(std::string_view name);
  ControlSite& Site(std::string_view name);
  ControlSite* FindSite(std::string_view name);
  template <typename T>
  T& ControlAs(std::string_view name) {
    return dynamic_cast<T&>(Site(name).GetControl());
  }
  Label& GetLabel(std::string_view name);
  Image& GetImage(std::string_view name);
  HWND NativeHwnd(std::string_view name) const;
  std::vector<ControlSite*> Sites() const;
  // The site whose window is hwnd (nullptr if none).
  ControlSite* SiteFromHwnd(HWND hwnd) const;

  // Adding objects to a loaded form (a control desc without properties is a
  // new instance: InitProperties). Names must be new.
  Container& AddContainer(const ContainerDesc& desc);
  Label& AddLabel(const LabelDesc& desc);
  Image& AddImage(const ImageDesc& desc);
  ControlSite& AddControl(const ControlDesc& desc);
  // With an instance the program made (the class name is only stored).
  ControlSite& AddControl(std::unique_ptr<Control> control, const ControlDesc& desc);
  // A native child window (its parent must be a container's or the form's
  // window). The host subclasses it; it is destroyed with its parent when
  // the form unloads.
  void AddNative(HWND hwnd, std::string name, const NativeOptions& options = {});
  // Destroys one control (Terminate first).
  void RemoveControl(std::string_view name);

  // The windowless label that names a control or native window for
  // assistive technology (nullptr for none), and that name (the caption
  // as read, without "&" markers).
  const Label* LabelFor(HWND hwnd) const;
  std::string AccessibleLabelName(HWND hwnd) const;

  // Default and cancel buttons by control name (empty for none).
  void SetDefaultButton(std::string_view name);
  void SetCancelButton(std::string_view name);
  // The control that displays as default now (nullptr for none).
  ControlSite* CurrentDefault() const { return currentDefault_; }

  // Focus by object name (a control or native window); the name of the
  // object with the focus ("" if none of the form's).
  void SetFocusTo(std::string_view name);
  std::string FocusedName() const;
  // Moves the focus as Tab (forward) or Shift+Tab would.
  void TabNext(bool forward);

  // A window timer that raises (name, "Timer") every intervalMs; 0 stops it.
  void SetTimer(const std::string& name, UINT intervalMs);

  // The description with every control's current properties (each control
  // writes its bag through WriteProperties) and current places; clears the
  // controls' changed keys. SaveText/SaveFile write it as form text.
  FormDesc Save();
  std::string SaveText();
  void SaveFile(const std::string& path);
  // A PropertyChanged happened since the last load or save.
  bool IsDirty() const { return dirty_; }

  // The keyboard interface (called by PreTranslateMessage for messages of
  // this form's windows); true when consumed.
  bool HandleKeyMessage(MSG& msg);

  // The form owning a window (the form itself or any window inside it).
  static Form* FromWindow(HWND hwnd);

 private:
  friend class ControlSite;
  friend class Container;
  friend class Label;
  friend class Image;

  struct Native {
    std::string name;
    HWND hwnd = nullptr;
    NativeOptions options;
    WNDPROC oldProc = nullptr;
    HWND editChild = nullptr;  // the edit inside a combo box, subclassed too
    WNDPROC oldEditProc = nullptr;
    int order = 0;
    ClickTracker clicks;
  };
  // One entry of the tab order: a control, a native window, a focusable
  // container or a label (labels only pass access keys on).
  struct TabItem {
    int16_t tabIndex = 0;
    int order = 0;
    HWND hwnd = nullptr;  // nullptr for a label
    ControlSite* site = nullptr;
    Native* native = nullptr;
    Label* label = nullptr;
    bool tabStop = true;
  };

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SiteWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK NativeWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleSite(ControlSite& site, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleNative(Native& native, HWND hwnd, WNDPROC oldProc, UINT msg, WPARAM wp, LPARAM lp);
  // Colours and notifications of native children (form and containers).
  bool HandleChildMessage(UINT msg, WPARAM wp, LPARAM lp, HBRUSH backBrush, OleColor backColor, LRESULT& result);

  void CreateFormWindow();
  Container& CreateContainer(const ContainerDesc& desc);
  Label& CreateLabel(const LabelDesc& desc);
  Image& CreateImage(const ImageDesc& desc);
  ControlSite& CreateSite(std::unique_ptr<Control> control, const ControlDesc& desc);
  void DestroyAll();
  void CheckNewName(std::string_view name) const;
  Container* ContainerFor(std::string_view containerName);
  HWND ParentHwnd(Container* container) const;
  std::vector<TabItem> TabOrder() const;
  bool LabelCanName(const Label& label) const;
  static int FocusedIndex(const std::vector<TabItem>& items, HWND focus);
  bool CanFocus(const TabItem& item) const;
  void FocusItem(const TabItem& item);
  void FocusChanged(HWND hwnd);
  void UpdateDefault();
  void ShowSites();
  void NotifyAmbient(std::string_view name);
  void NotifyAmbient(Container& container, std::string_view name);
  bool HandleAccessKey(char ch);
  bool PressDefaultOrCancel(bool cancel);
  void RaiseMouse(const std::string& object, std::string_view event, int16_t button, int16_t shift, float x, float y);
  // Tooltips are noted until the form is shown; then the tooltip window
  // is created (loading the common controls) with all of them.
  void AddToolTip(HWND owner, const RECT* rect, UINT_PTR id, const std::string& text);
  void CreateToolTips();
  // A control's drop target, which the form's one registered target hands
  // the drags over the control to.
  void CreateDropTarget(ControlSite& site);
  void ReleaseDropTarget(ControlSite& site);
  Native* FindNative(HWND hwnd);
  void StartTimer(const std::string& name, UINT intervalMs);
  DWORD WindowStyle() const;
  DWORD WindowExStyle() const;
  RECT TwipsRect(int32_t left, int32_t top, int32_t width, int32_t height) const;
  // The twips left and top a control site is at now (its stored ones while
  // they still give its pixel place).
  POINT SiteTwips(const ControlSite& site) const;

  FormDesc desc_;
  user::Window hwnd_;
  gdi::Brush backBrush_;
  user::Icon icon_;  // the form icon copy given to the window
  user::Window toolTip_;
  FormDropTarget* formDropTarget_ = nullptr;  // registered on the form's window
  struct PendingToolTip {
    HWND owner;
    bool hasRect;
    RECT rect;
    UINT_PTR id;
    std::string text;
  };
  std::vector<PendingToolTip> pendingToolTips_;
  bool shown_ = false;            // shown since loading: tooltips and drops start
  bool dragDropStarted_ = false;  // StartDragAndDrop ran since loading
  bool userMode_ = true;
  int dpi_ = 96;
  bool dirty_ = false;
  bool unloading_ = false;
  bool comInitialized_ = false;  // COM, from Load on
  bool oleInitialized_ = false;  // OLE, from StartDragAndDrop on
  bool destroyPending_ = false;  // unloaded inside one of the form's own messages
  int dispatchDepth_ = 0;        // window procedures of this form on the stack
  friend struct DispatchScope;
  int order_ = 0;
  std::vector<std::unique_ptr<Container>> containers_;
  std::vector<std::unique_ptr<Label>> labels_;
  std::vector<std::unique_ptr<Image>> images_;
  std::vector<std::unique_ptr<ControlSite>> sites_;
  std::vector<std::unique_ptr<Native>> natives_;
  // Lookups that run for every control created stay off the lists: the
  // lower-case names of all objects, and the sites by name and by window.
  std::set<std::string> names_;
  std::map<std::string, ControlSite*> siteNames_;
  std::unordered_map<HWND, ControlSite*> siteWindows_;
  std::map<std::string, EventHandler> handlers_;  // key: "object\nevent" in lower case
  AnyEventHandler anyHandler_;
  std::map<std::string, UINT> timerIntervals_;  // by lower-case name
  std::map<std::string, user::Timer> timers_;
  std::map<UINT_PTR, std::string> timerNames_;
  UINT_PTR nextTimerId_ = 1;
  ControlSite* currentDefault_ = nullptr;
  ControlSite* defaultButton_ = nullptr;
  ControlSite* cancelButton_ = nullptr;
  HWND lastFocus_ = nullptr;
};

}  // namespace host
