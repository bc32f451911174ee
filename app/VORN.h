// The main window VORN: shows which post-process set the game has, writes
// the chosen one, and closes by its buttons or the Escape key.
//
// The form's layout, colours, fonts and its three Butt buttons come from
// the stored form text VORN.frm carried in the executable; the window adds
// its pictures (from the executable's resources), the editable selector
// Combo1 and the key-polling timer Timer1, and handles the events.
#pragma once

#include <windows.h>

#include <string>

#include "app/KeyPress.h"
#include "app/NativeControls.h"
#include "host/Form.h"

namespace vorn {

inline constexpr float kFadeStep = 15.0f;

// The stored form of the window with its pictures filled in from the
// executable's resources. Throws host::Error when the form text is missing
// or cannot be read.
host::FormDesc LoadVornFormDesc(HMODULE module = nullptr);

class VORN {
 public:
  explicit VORN(host::FormDesc desc);
  ~VORN();
  VORN(const VORN&) = delete;
  VORN& operator=(const VORN&) = delete;

  // Loads and shows the window and runs the message loop. The process ends
  // when the window unloads, so this returns only if the loop ends by
  // other means.
  int Run();

  host::Form& Form() { return form_; }

 private:
  void Form_Load();
  void Form_Unload();
  void Butt1_Click();
  void Butt2_Click();
  void Butt3_Click();
  void Timer1_Timer();
  void DragOnMouseMove(host::EventArgs& args);

  void CreateCombo1();
  void Form_DpiChanged();
  void ShowArtForDpi();
  void ApplySelected();
  void ApplyAsAdministrator(const std::string& setName);
  void FadeOutAndUnload();
  std::string TargetFolder();
  int ShowMessage(const std::string& text, UINT style, const std::string& title);

  host::Form form_;
  DropDownCombo combo1_;
  KeyPressEdge f1_;
  KeyPressEdge escape_;
  bool closing_ = false;
  bool waitingForCopy_ = false;  // the elevated copy runs; its boxes take the keys
};

}  // namespace vorn
