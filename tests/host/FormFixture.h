// A form built from text with recording controls, for the form tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/ControlRegistry.h"
#include "host/Form.h"
#include "host/FormText.h"
#include "host/MessageLoop.h"
#include "RecordingControl.h"
#include "TestInput.h"

namespace hosttest {

// Three recorders in one container, tab indexes 2, 0, 1 (so the tab order
// is R2, R3, R1); R1 is the default button, R3 the cancel button.
inline const char* kThreeRecorders =
    "VornForm 1\n"
    "Begin Form Main\n"
    "  @Caption = \"Host test\"\n"
    "  @Left = 1500\n"
    "  @Top = 1500\n"
    "  @ClientWidth = 6000\n"
    "  @ClientHeight = 3000\n"
    "  @BorderStyle = 1\n"
    "End\n"
    "Begin Container Panel\n"
    "  @Left = 0\n"
    "  @Top = 0\n"
    "  @Width = 6000\n"
    "  @Height = 3000\n"
    "  @BackColor = 0x00302010\n"
    "End\n"
    "Begin Container Other\n"
    "  @Container = \"Panel\"\n"
    "  @Left = 4500\n"
    "  @Top = 1500\n"
    "  @Width = 1200\n"
    "  @Height = 1200\n"
    "End\n"
    "Begin Label Caption1\n"
    "  @Container = \"Panel\"\n"
    "  @Left = 150\n"
    "  @Top = 2400\n"
    "  @Width = 1500\n"
    "  @Height = 300\n"
    "  @Caption = \"&Name\"\n"
    "  @TabIndex = 5\n"
    "End\n"
    "Begin Control R1 Recorder\n"
    "  @Container = \"Panel\"\n"
    "  @Left = 150\n"
    "  @Top = 150\n"
    "  @ExtentX = 1667\n"
    "  @ExtentY = 688\n"
    "  @TabIndex = 2\n"
    "  @Default = -1\n"
    "  Caption = text \"One\"\n"
    "  Number = int32 11\n"
    "End\n"
    "Begin Control R2 Recorder\n"
    "  @Container = \"Panel\"\n"
    "  @Left = 1500\n"
    "  @Top = 150\n"
    "  @ExtentX = 1667\n"
    "  @ExtentY = 688\n"
    "  @TabIndex = 0\n"
    "  Caption = text \"Two\"\n"
    "End\n"
    "Begin Control R3 Recorder\n"
    "  @Container = \"Other\"\n"
    "  @Left = 0\n"
    "  @Top = 0\n"
    "  @ExtentX = 1667\n"
    "  @ExtentY = 688\n"
    "  @TabIndex = 1\n"
    "  @Cancel = -1\n"
    "  @New = -1\n"
    "End\n";

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::RegisterControlClass("Recorder", [] { return std::make_unique<RecordingControl>(); });
  }
  void TearDown() override {
    form.reset();
    Pump();
  }

  // Loads (and optionally shows) a form from text and brings it to the front.
  host::Form& Open(const std::string& text = kThreeRecorders, bool show = true) {
    form = std::make_unique<host::Form>(host::ParseFormText(text));
    form->OnAny([this](std::string_view object, std::string_view event, host::EventArgs&) {
      events.push_back(std::string(object) + "." + std::string(event));
    });
    if (show) {
      form->Show();
      SetForegroundWindow(form->Hwnd());
      WaitFor([&] { return GetForegroundWindow() == form->Hwnd(); }, 2000);
      Pump();
    } else {
      form->Load();
    }
    return *form;
  }

  RecordingControl& Rec(const char* name) { return form->ControlAs<RecordingControl>(name); }
  HWND Hwnd(const char* name) { return form->Site(name).Hwnd(); }

  std::unique_ptr<host::Form> form;
  std::vector<std::string> events;  // "object.event" as raised
};

class HostForm : public FormTest {};
class HostInput : public FormTest {};

inline std::vector<std::string> V(std::initializer_list<const char*> items) {
  return std::vector<std::string>(items.begin(), items.end());
}

}  // namespace hosttest
