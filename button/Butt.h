// Butt: a custom-drawn button control for host forms. Eight face styles,
// nine shapes, gradients, hover colours, pictures, and command-button,
// check-box and option-button modes with option groups per container.
//
// Property accessors follow one convention: the getter is the property name
// without arguments, the setter the same name with the new value, e.g.
//   int32_t style = butt.ButtonStyle();   butt.ButtonStyle(7);
// Booleans are plain bool here; they are stored and handed to the host as
// 16-bit -1/0. Setters never throw for out-of-range enumerated values (they
// ignore them); errors the host raises (an unusable font) reach the caller
// as host::Error. Messages about rejected values appear only while the form
// is being edited (ambient UserMode false).
//
// Events reach the form through ControlSite::RaiseEvent with their
// parameters by reference: MouseDown/MouseUp/MouseMove (Button, Shift: int16,
// X, Y: float), KeyDown/KeyUp (KeyCode, Shift: int16), KeyPress (KeyAscii:
// int16), MouseOnButton (OnButton: int16 -1/0), Click, DoubleClick (Button:
// int16), OLECompleteDrag, OLEDragDrop, OLEDragOver, OLEGiveFeedback,
// OLESetData, OLEStartDrag.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "button/ButtAccessibility.h"
#include "button/ButtState.h"
#include "host/Control.h"
#include "host/FontDesc.h"
#include "host/Picture.h"
#include "host/UserObjects.h"

namespace host {
class ControlSite;
}

class Butt : public host::Control {
 public:
  // The class name forms store and create the control under.
  static constexpr const char* kClassName = "Butt";

  Butt();
  ~Butt() override;
  Butt(const Butt&) = delete;
  Butt& operator=(const Butt&) = delete;

  // --- Properties, in their declaration order ---
  int32_t ButtonStyle() const { return s_.ButtonStyle; }
  void ButtonStyle(int32_t Style);
  int32_t Mode() const { return s_.Mode; }
  void Mode(int32_t nMode);
  const std::string& Caption() const { return s_.Caption; }
  void Caption(const std::string& sCaption);
  int32_t CaptionAlign() const { return s_.CaptionAlign; }
  void CaptionAlign(int32_t nAlign);
  int32_t CaptionStyle() const { return s_.CaptionStyle; }
  void CaptionStyle(int32_t nStyle);
  int32_t CustomClick() const { return s_.CustomClick; }
  void CustomClick(int32_t nOpt);
  int32_t ButtonShape() const { return s_.ButtonShape; }
  void ButtonShape(int32_t nShape);
  const host::Picture& Picture() const { return picture_; }
  void Picture(const host::Picture& xPic);
  int32_t PictureAlign() const { return s_.PictureAlign; }
  void PictureAlign(int32_t ImgAlign);
  bool Enabled() const;
  void Enabled(bool bEnabled);
  bool ShowFocusRect() const { return s_.ShowFocusRect != 0; }
  void ShowFocusRect(bool bShow);
  bool Value() const { return s_.Value != 0; }
  void Value(bool bValue);
  int32_t PictureSize();  // maps a stored 0 to 16 first
  void PictureSize(int32_t nSize);
  int16_t MousePointer() const;
  void MousePointer(int16_t nPointer);
  host::Picture MouseIcon() const;
  void MouseIcon(const host::Picture& nIcon);
  host::FontDesc Font() const;
  void Font(const host::FontDesc& nFont);
  int32_t FontStyle() const;
  void FontStyle(int32_t nStyle);
  ButtColor ForeColor() const;
  void ForeColor(ButtColor nColor);
  ButtColor BackColor() const { return s_.BackColor; }
  void BackColor(ButtColor nColor);
  ButtColor GradientColor() const { return s_.GradientColor; }
  void GradientColor(ButtColor nColor);
  int32_t GradientMode() const { return s_.GradientMode; }
  void GradientMode(int32_t nMode);
  bool ResetDefaultColors() const { return false; }
  void ResetDefaultColors(bool nDefault);
  int32_t HoverColorLocks() const { return s_.HoverColorLocks; }
  void HoverColorLocks(int32_t nLock);
  ButtColor HoverForeColor() const { return s_.HoverForeColor; }
  void HoverForeColor(ButtColor nColor);
  ButtColor HoverBackColor() const { return s_.HoverBackColor; }
  void HoverBackColor(ButtColor nColor);
  HDC hdc() const { return s_.hdc; }
  HWND hWnd() const { return s_.hwnd; }  // the property HWND

  // --- Methods ---
  // Ends any delay and redraws (no new layout or shape).
  void Refresh();
  // While true, redraws and the work of resizes are skipped; false redraws.
  void DelayDrawing(bool bDelay);

  // --- For programs and tests that look inside ---
  const ButtState& State() const { return s_; }
  // Redraw passes composed so far (a delayed redraw does not count).
  uint32_t RedrawCount() const { return s_.redrawCount; }
  // Back-buffer copies to the control so far.
  uint32_t PresentCount() const { return s_.presentCount; }

  // --- Host notifications ---
  void SetSite(host::ControlSite* site) override;
  bool CanBeDefault() const override { return true; }
  void InitProperties() override;
  void ReadProperties(host::PropertyBag& bag) override;
  void WriteProperties(host::PropertyBag& bag) override;
  void Show() override;
  void Paint() override;
  void Resize() override;
  void Terminate() override;
  void AmbientChanged(std::string_view name) override;
  void GotFocus() override;
  void LostFocus() override;
  void AccessKeyPress(int16_t keyAscii) override;
  void MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void Click() override;
  void DblClick() override;
  void KeyDown(int16_t& keyCode, int16_t& shift) override;
  void KeyPress(int16_t& keyAscii) override;
  void KeyUp(int16_t& keyCode, int16_t& shift) override;
  void OLEDragOver(host::DataObject& data, int32_t& effect, int16_t& button, int16_t& shift, float& x, float& y,
                   int16_t& state) override;
  void OLEDragDrop(host::DataObject& data, int32_t& effect, int16_t& button, int16_t& shift, float& x,
                   float& y) override;
  void OLEStartDrag(host::DataObject& data, int32_t& allowedEffects) override;
  void OLESetData(host::DataObject& data, int16_t& dataFormat) override;
  void OLEGiveFeedback(int32_t& effect, int16_t& defaultCursors) override;
  void OLECompleteDrag(int32_t& effect) override;
  // WM_GETOBJECT and the default action of assistive technology.
  bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  // The hover timer's callback module reaches the control here: ends
  // hovering once the window under the cursor is no longer this control's.
  void CheckHoverExit(UINT_PTR timerId);

  // Whether a pointer read back from a window property is a live Butt.
  static Butt* FromHandle(HANDLE handle);

 private:
  // Host access.
  bool EditMode() const;
  void Notify(std::string_view key);
  void Message(std::string_view text, std::string_view title = {});
  void SyncHostMirrors();
  void Redraw();  // RedrawButton with fresh host values
  void RunResize();

  // Input and hover.
  void PressDown(int16_t button, int16_t shift, float x, float y);
  void ClickProcessing();
  bool StartHoverTracking(int16_t button);
  void StopHoverTracking();

  // Option groups through the container window's properties.
  bool OptionToggle(int op);
  HWND GroupContainer() const;

  ButtState s_;
  host::Picture picture_;
  bool terminated_ = false;
  // The hover timer and the two properties that lead its callback here.
  user::Timer hoverTimer_;
  user::WindowProp classIdProp_;
  user::WindowProp timerIdProp_;
  // The IAccessible and the WinEvents that follow the state.
  ButtAccessibility accessibility_;
};

// Makes "Butt" creatable by the host's control factory.
void RegisterButtClass();
