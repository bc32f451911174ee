// Butt's life with its host: creation, the host values it mirrors for
// drawing, paint, resize and termination, messages and change
// notifications, and the class registration.
#include "button/Butt.h"

#include <memory>
#include <unordered_set>

#include "button/ButtCore.h"
#include "button/ButtLooks.h"
#include "host/ControlRegistry.h"
#include "host/ControlSite.h"

namespace {

// Every Butt alive in this process. Pointers read back from window
// properties are trusted only when they are in here.
std::unordered_set<const Butt*>& LiveButts() {
  static std::unordered_set<const Butt*> live;
  return live;
}

}  // namespace

Butt::Butt() { LiveButts().insert(this); }

Butt::~Butt() {
  Terminate();
  LiveButts().erase(this);
}

Butt* Butt::FromHandle(HANDLE handle) {
  auto* candidate = static_cast<Butt*>(handle);
  return candidate && LiveButts().count(candidate) ? candidate : nullptr;
}

void Butt::SetSite(host::ControlSite* site) {
  host::Control::SetSite(site);
  if (site_)
    s_.refreshHost = [this] {
      if (site_ && !terminated_) site_->Refresh();
    };
  SyncHostMirrors();
}

bool Butt::EditMode() const { return site_ ? !site_->UserMode() : !s_.userMode; }

void Butt::Message(std::string_view text, std::string_view title) {
  if (site_ && EditMode()) site_->ShowMessage(text, MB_OK | MB_ICONINFORMATION, title);
}

void Butt::SyncHostMirrors() {
  if (!site_ || terminated_) return;
  s_.hwnd = site_->Hwnd();
  s_.hdc = site_->Hdc();
  s_.containerHwnd = site_->ContainerHwnd();
  s_.clientWidth = site_->ScaleWidth();
  s_.clientHeight = site_->ScaleHeight();
  s_.dpi = site_->Dpi();
  s_.hostFont = site_->Font();
  s_.hostForeColor = static_cast<ButtColor>(site_->ForeColor());
  s_.hostEnabled = site_->Enabled() ? kTrue : kFalse;
  s_.userMode = site_->UserMode();
  s_.displayAsDefault = site_->DisplayAsDefault();
}

void Butt::Redraw() {
  SyncHostMirrors();
  RedrawButton(s_);
  accessibility_.Announce(*this);
}

void Butt::RunResize() {
  SyncHostMirrors();
  ResizeButton(s_);
  accessibility_.Announce(*this);
}

void Butt::Paint() {
  s_.drawingDelayed = false;
  Redraw();
}

void Butt::Resize() {
  // CustomClick's one-pixel displacement is not a new size of the control.
  if (s_.customMoving || terminated_) return;
  RunResize();
}

void Butt::Terminate() {
  if (terminated_) return;
  // Clients of the IAccessible get no answer from a button that is going.
  accessibility_.Disconnect();
  // No timer tick and no option-group slot may lead to a control that is
  // going away: stop both before any drawing resource is released.
  if (s_.hoverTracking) hoverTimer_.reset();
  s_.hoverTracking = false;
  hoverTimer_.reset();
  classIdProp_.reset();
  timerIdProp_.reset();
  if (s_.Mode == butt::ModeOptionButton) OptionToggle(-1);
  terminated_ = true;
  // Regions, back buffer (with everything selected into it put back
  // first), caption font, picture copy.
  s_.look.shapeInnerRegion.reset();
  s_.look.shapeOuterRegion.reset();
  ReleaseBuffer(s_);
  s_.look = ButtLook{};
  s_.refreshHost = nullptr;
  s_.hdc = nullptr;
  s_.hwnd = nullptr;
}

void Butt::Refresh() {
  SyncHostMirrors();
  RefreshButton(s_);
  accessibility_.Announce(*this);
}

void Butt::DelayDrawing(bool bDelay) {
  SyncHostMirrors();
  ::DelayDrawing(s_, bDelay);
  accessibility_.Announce(*this);
}

bool Butt::WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  return !terminated_ && accessibility_.HandleMessage(*this, msg, wp, lp, result);
}

void RegisterButtClass() {
  host::RegisterControlClass(Butt::kClassName, [] { return std::make_unique<Butt>(); });
}
