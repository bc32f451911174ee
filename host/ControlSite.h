// What the host gives one control instance: its window and device context,
// the values the host keeps for it (font, colours, pointer, access keys,
// tag), ambient values, property-change notification, event raising and
// message boxes. One site per instance, created and owned by the form; a
// control uses only its own site.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Color.h"
#include "host/Control.h"
#include "host/EventArgs.h"
#include "host/FontDesc.h"
#include "host/GdiObjects.h"
#include "host/MouseInput.h"
#include "host/Picture.h"
#include "host/UserObjects.h"

namespace host {

class Form;
class Container;

// The mouse pointer constants (16-bit). 0 leaves the cursor to the window
// class (arrow); 99 shows MouseIcon.
enum MousePointerKind : int16_t {
  kPointerDefault = 0,
  kPointerArrow = 1,
  kPointerCross = 2,
  kPointerIBeam = 3,
  kPointerIcon = 4,
  kPointerSize = 5,
  kPointerSizeNESW = 6,
  kPointerSizeNS = 7,
  kPointerSizeNWSE = 8,
  kPointerSizeWE = 9,
  kPointerUpArrow = 10,
  kPointerHourglass = 11,
  kPointerNoDrop = 12,
  kPointerArrowHourglass = 13,
  kPointerArrowQuestion = 14,
  kPointerSizeAll = 15,
  kPointerCustom = 99,
};

// The system cursor shown for a pointer constant 1..15 (nullptr for 0, 99
// and unknown values).
HCURSOR SystemCursorFor(int16_t pointer);

// What a control may know about the form that holds it.
struct ParentFormInfo {
  FontDesc font;
  OleColor backColor = kButtonFace;
  bool isMdiForm = false;
};

class ControlSite {
 public:
  ControlSite(const ControlSite&) = delete;
  ControlSite& operator=(const ControlSite&) = delete;
  ~ControlSite();

  // Identity.
  const std::string& Name() const { return name_; }  // e.g. "Butt1"
  const std::string& ClassName() const { return className_; }
  Control& GetControl() const { return *control_; }
  Form& GetForm() const { return *form_; }

  // The control's window (a child of its container, class style
  // CS_DBLCLKS) and a DC of it to draw with: during Paint the paint's own
  // DC, otherwise a window DC that the site gets when asked and gives back
  // once the control is created and after each paint. Ask for it each time
  // you draw rather than keeping it. (The window has no DC of its own:
  // every DC a window holds makes each window of the form that is created,
  // shown, moved or reshaped walk all of them, so a form of many controls
  // holds almost none while idle.)
  HWND Hwnd() const { return hwnd_.get(); }
  HDC Hdc() const;
  int ScaleWidth() const;   // client width in pixels
  int ScaleHeight() const;  // client height in pixels
  // Makes what the control drew on Hdc() visible now (GdiFlush). It never
  // calls Paint, so a control may call it from its own Paint.
  void Refresh();
  // Invalidates the window and paints it now through Paint.
  void Repaint();

  // Values that live in the host.
  const FontDesc& Font() const { return font_; }
  // Throws host::Error (380) when the font cannot be made; the old font stays.
  void SetFont(const FontDesc& font);
  OleColor ForeColor() const { return foreColor_; }
  void SetForeColor(OleColor color) { foreColor_ = color; }
  bool Enabled() const;
  void SetEnabled(bool enabled);
  int16_t MousePointer() const { return mousePointer_; }
  void SetMousePointer(int16_t pointer);
  const Picture& MouseIcon() const { return mouseIcon_; }
  // Accepts an icon, a cursor or none. Any other picture throws
  // host::Error (380) with a description, and the old icon stays.
  void SetMouseIcon(const Picture& icon);
  // The characters that are access keys of the control (any case).
  const std::string& AccessKeys() const { return accessKeys_; }
  void SetAccessKeys(std::string keys) { accessKeys_ = std::move(keys); }
  // The tool-tip text the form shows for the control ("" for none).
  const std::string& ToolTipText() const { return toolTip_; }
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  bool Visible() const;
  void SetVisible(bool visible);

  // Where the control sits.
  HWND ContainerHwnd() const;
  Container& GetContainer() const { return *container_; }
  ParentFormInfo ParentForm() const;
  int16_t TabIndex() const { return tabIndex_; }
  // The stored extent in HIMETRIC (kept exact while the pixel size it
  // stands for does not change).
  int32_t ExtentX() const;
  int32_t ExtentY() const;
  // The dots per inch the form lays the control out at (its font sizes
  // and any lengths it keeps in points or twips turn into pixels at this).
  int Dpi() const;
  // Moves/sizes the control in pixels of its container.
  void Move(int left, int top, int width, int height);

  // Ambient values.
  bool UserMode() const;  // false while editing the form
  const std::string& DisplayName() const { return name_; }
  OleColor AmbientBackColor() const;  // the container's back colour
  OleColor AmbientForeColor() const;
  FontDesc AmbientFont() const;   // the container's font
  bool DisplayAsDefault() const;  // the control is the default button now

  // Property storage: marks the stored state out of date. The keys
  // notified since the last save are kept in order (repeats included).
  void PropertyChanged(std::string_view key);
  const std::vector<std::string>& ChangedKeys() const { return changedKeys_; }
  void ClearChangedKeys() { changedKeys_.clear(); }

  // Raises an event of this control to the form's handlers (for
  // Name()/event); the arguments are references the handler may change.
  // Nothing is raised in edit mode.
  void RaiseEvent(std::string_view event, EventArgs& args);
  void RaiseEvent(std::string_view event) {
    EventArgs none;
    RaiseEvent(event, none);
  }
  template <typename... Ts>
  void RaiseEvent(std::string_view event, Ts&... refs) {
    EventArgs args = EventArgs::Of(refs...);
    RaiseEvent(event, args);
  }

  // A modal message box through the host's one message-box function;
  // style e.g. MB_OK | MB_ICONINFORMATION (64); an empty title takes the
  // application's title. Shown in either mode: the control decides.
  int ShowMessage(std::string_view text, UINT style = MB_OK | MB_ICONINFORMATION, std::string_view title = {});

  // Starts an OLE drag with this control as the source (modal until the
  // drop): OLEStartDrag, OLESetData, OLEGiveFeedback, OLECompleteDrag.
  // Returns the final effect.
  int32_t OLEDrag();
  // The control's drop target, to which the drop target registered on the
  // form's window (RegisterDragDrop) hands the drags over the control.
  IDropTarget* DropTarget() const { return dropTarget_; }

 private:
  friend class Form;
  friend class Container;
  ControlSite() = default;

  Form* form_ = nullptr;
  Container* container_ = nullptr;
  std::unique_ptr<Control> control_;
  std::string name_;
  std::string className_;
  user::Window hwnd_;
  mutable std::optional<gdi::WindowDC> hdc_;  // held from Hdc() until ReleaseHdc()
  HDC paintDc_ = nullptr;                     // the DC of the paint in progress
  void ReleaseHdc() { hdc_.reset(); }
  FontDesc font_;
  OleColor foreColor_ = kButtonText;
  int16_t mousePointer_ = 0;
  Picture mouseIcon_;
  std::string accessKeys_;
  std::string tag_;
  std::string toolTip_;
  int16_t tabIndex_ = 0;
  bool isDefault_ = false;      // the form's Default button
  bool isCancel_ = false;       // the form's Cancel button
  int32_t left_ = 0, top_ = 0;  // the twips it was placed at
  int32_t extentX_ = 0, extentY_ = 0;
  int extentPixelsX_ = 0, extentPixelsY_ = 0;
  std::vector<std::string> changedKeys_;
  bool attached_ = false;  // notifications flow only after loading
  ClickTracker clicks_;
  bool hostCapture_ = false;
  bool inPaint_ = false;
  bool shown_ = false;  // Show was delivered
  int order_ = 0;       // creation order, breaks tab-index ties
  IDropTarget* dropTarget_ = nullptr;
};

}  // namespace host
