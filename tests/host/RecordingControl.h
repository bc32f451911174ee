// A hosted control for the tests that records every notification it gets,
// in order, as short text ("MouseDown 1 0 5 6"), and can raise events and
// store a few properties.
#pragma once

#include <string>
#include <vector>

#include "host/ControlSite.h"
#include "host/Form.h"

namespace hosttest {

class RecordingControl : public host::Control {
 public:
  std::vector<std::string> log;
  bool takesCharacters = false;
  bool canBeDefault = true;
  bool canGetFocus = true;
  int32_t number = 7;   // stored as "Number" (int32, default 7)
  std::string caption;  // stored as "Caption" (text, default "")
  int paints = 0;
  int32_t dropEffect = DROPEFFECT_COPY;  // what OLEDragOver/OLEDragDrop answer
  std::string droppedText;

  bool TakesCharacters() const override { return takesCharacters; }
  bool CanBeDefault() const override { return canBeDefault; }
  bool CanGetFocus() const override { return canGetFocus; }

  void InitProperties() override {
    log.push_back("InitProperties");
    caption = site_->DisplayName();
    site_->PropertyChanged("Caption");
  }
  void ReadProperties(host::PropertyBag& bag) override {
    log.push_back("ReadProperties");
    caption = bag.ReadText("Caption", "");
    number = bag.ReadInt32("Number", 7);
    if (auto font = bag.ReadFont("Font")) site_->SetFont(*font);
    site_->SetForeColor(bag.ReadColor("cFore", host::kButtonText));
    site_->SetMouseIcon(bag.ReadPicture("mIcon"));
    site_->SetMousePointer(bag.ReadInt16("mPointer", 0));
  }
  void WriteProperties(host::PropertyBag& bag) override {
    log.push_back("WriteProperties");
    bag.WriteText("Caption", caption, "");
    bag.WriteInt32("Number", number, 7);
    bag.WriteFont("Font", site_->Font());
    bag.WriteColor("cFore", site_->ForeColor(), host::kButtonText);
    bag.WritePicture("mIcon", site_->MouseIcon());
    bag.WriteInt16("mPointer", site_->MousePointer(), 0);
  }
  void Show() override { log.push_back("Show"); }
  void Hide() override { log.push_back("Hide"); }
  void Paint() override {
    ++paints;
    RECT r{0, 0, site_->ScaleWidth(), site_->ScaleHeight()};
    HBRUSH b = CreateSolidBrush(RGB(0, 128, 255));
    FillRect(site_->Hdc(), &r, b);
    DeleteObject(b);
    site_->Refresh();
  }
  void Resize() override { log.push_back("Resize"); }
  void Terminate() override { log.push_back("Terminate"); }
  void AmbientChanged(std::string_view name) override { log.push_back("AmbientChanged " + std::string(name)); }
  void EnterFocus() override { log.push_back("EnterFocus"); }
  void GotFocus() override { log.push_back("GotFocus"); }
  void LostFocus() override { log.push_back("LostFocus"); }
  void ExitFocus() override { log.push_back("ExitFocus"); }
  void AccessKeyPress(int16_t key) override { log.push_back("AccessKeyPress " + std::to_string(key)); }
  void MouseDown(int16_t b, int16_t s, float x, float y) override { log.push_back(Mouse("MouseDown", b, s, x, y)); }
  void MouseMove(int16_t b, int16_t s, float x, float y) override { log.push_back(Mouse("MouseMove", b, s, x, y)); }
  void MouseUp(int16_t b, int16_t s, float x, float y) override { log.push_back(Mouse("MouseUp", b, s, x, y)); }
  void Click() override {
    log.push_back("Click");
    site_->RaiseEvent("Click");
  }
  void DblClick() override { log.push_back("DblClick"); }
  void KeyDown(int16_t& k, int16_t& s) override {
    log.push_back("KeyDown " + std::to_string(k) + " " + std::to_string(s));
  }
  void KeyPress(int16_t& k) override {
    log.push_back("KeyPress " + std::to_string(k));
    site_->RaiseEvent("KeyPress", k);
    log.push_back("KeyPress after handler " + std::to_string(k));
  }
  void KeyUp(int16_t& k, int16_t& s) override { log.push_back("KeyUp " + std::to_string(k) + " " + std::to_string(s)); }
  void OLEDragOver(host::DataObject& data, int32_t& effect, int16_t& button, int16_t& shift, float& x, float& y,
                   int16_t& state) override {
    log.push_back("OLEDragOver " + std::to_string(state) + " " + std::to_string(static_cast<int>(x)) + " " +
                  std::to_string(static_cast<int>(y)) + " " + std::to_string(button) + " " + std::to_string(shift) +
                  (data.GetFormat(CF_TEXT) ? " text" : ""));
    effect = dropEffect;
  }
  void OLEDragDrop(host::DataObject& data, int32_t& effect, int16_t& button, int16_t& shift, float& x,
                   float& y) override {
    droppedText = data.GetText();
    log.push_back("OLEDragDrop " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)) +
                  " " + std::to_string(button) + " " + std::to_string(shift));
    effect = dropEffect;
  }

  void OLEStartDrag(host::DataObject& data, int32_t& allowed) override {
    log.push_back("OLEStartDrag " + std::to_string(allowed));
    data.OfferFormat(CF_TEXT);
    allowed = DROPEFFECT_COPY;
  }
  void OLESetData(host::DataObject& data, int16_t& format) override {
    log.push_back("OLESetData " + std::to_string(format));
    data.SetText("from " + site_->Name());
  }
  void OLEGiveFeedback(int32_t& effect, int16_t& defaultCursors) override {
    if (log.empty() || log.back().rfind("OLEGiveFeedback", 0) != 0)
      log.push_back("OLEGiveFeedback " + std::to_string(effect) + " " + std::to_string(defaultCursors));
  }
  void OLECompleteDrag(int32_t& effect) override { log.push_back("OLECompleteDrag " + std::to_string(effect)); }

  // The entries of the log that start with one of the prefixes.
  std::vector<std::string> Only(std::initializer_list<const char*> prefixes) const {
    std::vector<std::string> out;
    for (const auto& e : log)
      for (const char* p : prefixes)
        if (e.rfind(p, 0) == 0) {
          out.push_back(e);
          break;
        }
    return out;
  }

 private:
  static std::string Mouse(const char* what, int16_t b, int16_t s, float x, float y) {
    return std::string(what) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
           std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y));
  }
};

}  // namespace hosttest
