#include "host/Form.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "host/ControlRegistry.h"
#include "host/Dpi.h"
#include "host/DragDrop.h"
#include "host/Error.h"
#include "host/FormDropTarget.h"
#include "host/FormInternal.h"
#include "host/FormText.h"
#include "host/NativeAccessible.h"
#include "host/Units.h"
#include "host/WindowClasses.h"

namespace host {
namespace {

std::map<HWND, Form*>& Forms() {
  static std::map<HWND, Form*> forms;
  return forms;
}

[[noreturn]] void NoSuch(const char* what, std::string_view name) {
  throw Error(errors::kNoSuchObject, std::string("The form has no ") + what + " named \"" + std::string(name) + "\"");
}

}  // namespace

std::string LowerName(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

char CaptionMnemonic(std::string_view caption) {
  char key = 0;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (i + 1 < caption.size() && caption[i + 1] == '&') {
      ++i;
      continue;
    }
    key = i + 1 < caption.size() ? caption[i + 1] : 0;
  }
  return key;
}

Form::Form(FormDesc desc) : desc_(std::move(desc)) {}

Form::~Form() {
  if (hwnd_) DestroyAll();
  if (oleInitialized_) OleUninitialize();
  if (comInitialized_) CoUninitialize();
}

Form* Form::FromWindow(HWND hwnd) {
  if (!hwnd) return nullptr;
  HWND root = GetAncestor(hwnd, GA_ROOT);
  auto it = Forms().find(root ? root : hwnd);
  return it == Forms().end() ? nullptr : it->second;
}

// ------------------------------------------------------------------ events

void Form::On(std::string_view object, std::string_view event, EventHandler handler) {
  handlers_[LowerName(object) + "\n" + LowerName(event)] = std::move(handler);
}

void Form::OnAny(AnyEventHandler handler) { anyHandler_ = std::move(handler); }

void Form::RaiseEvent(std::string_view object, std::string_view event, EventArgs& args) {
  if (!userMode_ || unloading_) return;  // nothing after Unload
  auto it = handlers_.find(LowerName(object) + "\n" + LowerName(event));
  if (it != handlers_.end() && it->second) {
    EventHandler handler = it->second;  // a handler may replace itself
    handler(args);
  }
  if (anyHandler_) {
    AnyEventHandler any = anyHandler_;
    any(object, event, args);
  }
}

void Form::RaiseMouse(const std::string& object, std::string_view event, int16_t button, int16_t shift, float x,
                      float y) {
  EventArgs args = EventArgs::Of(button, shift, x, y);
  RaiseEvent(object, event, args);
}

// --------------------------------------------------------------- lifetime

void Form::CreateFormWindow() {
  RegisterHostClasses(&Form::WndProc, &Container::WndProc, &Form::SiteWndProc);
  const FormProps& f = desc_.form;
  const DWORD style = WindowStyle(), ex = WindowExStyle();
  // The system's DPI first; once the window exists, the DPI of the monitor
  // it landed on.
  dpi_ = ScreenDpi();
  SIZE size = WindowSizeAt(dpi_);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const bool centred = f.left < 0 || f.top < 0;
  auto place = [&](int dpi, SIZE s) {
    if (centred)
      return POINT{work.left + (work.right - work.left - s.cx) / 2, work.top + (work.bottom - work.top - s.cy) / 2};
    return POINT{TwipsToPixels(f.left, dpi), TwipsToPixels(f.top, dpi)};
  };
  POINT at = place(dpi_, size);
  backBrush_ = gdi::Brush(CreateSolidBrush(ResolveColor(f.backColor)));
  HWND hwnd = CreateWindowExA(ex, kFormClass, f.caption.c_str(), style, at.x, at.y, size.cx, size.cy, nullptr, nullptr,
                              HostInstance(), this);
  if (!hwnd) throw Error(errors::kWindowCreation, "The window of form \"" + f.name + "\" cannot be created");
  Forms()[hwnd] = this;
  const int monitorDpi = WindowDpi(hwnd);
  if (monitorDpi != dpi_) {
    dpi_ = monitorDpi;
    size = WindowSizeAt(dpi_);
    at = place(dpi_, size);
    SetWindowPos(hwnd, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (f.icon && f.icon.Type() == PictureType::Icon) {
    icon_ = user::Icon(static_cast<HICON>(CopyImage(f.icon.Icon(), IMAGE_ICON, 0, 0, 0)), false);
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  }
}

void Form::Load() {
  if (hwnd_) return;
  // COM before the first window: a screen reader asks for the windows'
  // accessible objects (LresultFromObject) as soon as it sees them, and the
  // annotations of native windows go through a COM object. OLE's own part
  // (drag and drop, clipboard) and the tooltips wait until the form is up.
  if (!comInitialized_) comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  try {
    CreateFormWindow();
    for (const ContainerDesc& c : desc_.containers) CreateContainer(c);
    for (const LabelDesc& l : desc_.labels) CreateLabel(l);
    for (const ImageDesc& m : desc_.images) CreateImage(m);
    for (const ControlDesc& c : desc_.controls) {
      std::unique_ptr<Control> control;
      try {
        control = CreateControl(c.className);
      } catch (const Error& e) {
        throw Error(e.Number(), "Control \"" + c.name + "\": " + e.Description());
      }
      CreateSite(std::move(control), c);
    }
  } catch (...) {
    DestroyAll();
    throw;
  }
  for (const auto& [name, interval] : timerIntervals_) StartTimer(name, interval);
  UpdateDefault();
  dirty_ = false;
  EventArgs none;
  RaiseEvent(Name(), "Load", none);
}

void Form::Show() {
  Load();
  if (!IsLoaded()) return;
  ShowWindow(Hwnd(), SW_SHOW);
  UpdateWindow(Hwnd());
  ShowSites();
  HWND focus = GetFocus();
  if (!focus || (focus != Hwnd() && !IsChild(Hwnd(), focus)) || focus == Hwnd()) TabNext(true);
  // The drop targets and the common controls cost a good part of a start
  // under Wine: they start from the message loop, once the window is up.
  if (!shown_) {
    shown_ = true;
    PostMessageA(Hwnd(), kFormShownMessage, 0, 0);
  }
}

void Form::StartDragAndDrop() {
  if (dragDropStarted_ || !Hwnd()) return;
  dragDropStarted_ = true;
  if (!oleInitialized_) oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
  auto* target = new FormDropTarget(this);
  if (RegisterDragDrop(Hwnd(), target) == S_OK) {
    formDropTarget_ = target;
  } else {
    target->Detach();
    target->Release();
  }
  for (auto& s : sites_) {
    if (!s->dropTarget_) CreateDropTarget(*s);
  }
}

void Form::CreateDropTarget(ControlSite& s) { s.dropTarget_ = new SiteDropTarget(&s); }

void Form::ReleaseDropTarget(ControlSite& s) {
  if (!s.dropTarget_) return;
  static_cast<SiteDropTarget*>(s.dropTarget_)->Detach();
  s.dropTarget_->Release();
  s.dropTarget_ = nullptr;
}

void Form::ShowSites() {
  if (!IsWindowVisible(Hwnd())) return;
  for (auto& s : sites_)
    if (s->attached_ && !s->shown_ && s->Visible()) {
      s->shown_ = true;
      s->control_->Show();
    }
}

void Form::Hide() {
  if (Hwnd()) ShowWindow(Hwnd(), SW_HIDE);
}

bool Form::Unload(int16_t mode) {
  if (!IsLoaded() || unloading_) return true;
  int16_t cancel = 0, unloadMode = mode;
  EventArgs query = EventArgs::Of(cancel, unloadMode);
  RaiseEvent(Name(), "QueryUnload", query);
  if (cancel) return false;
  EventArgs unload = EventArgs::Of(cancel);
  RaiseEvent(Name(), "Unload", unload);
  if (cancel) return false;
  if (dispatchDepth_ > 0) {
    // Inside one of the form's own messages: the windows go when it returns.
    destroyPending_ = true;
    ShowWindow(Hwnd(), SW_HIDE);
  } else {
    DestroyAll();
  }
  return true;
}

void Form::DestroyAll() {
  unloading_ = true;
  destroyPending_ = false;
  timers_.clear();
  timerNames_.clear();
  for (auto& s : sites_) {
    if (!s->attached_) continue;
    s->attached_ = false;
    try {
      s->control_->Terminate();
    } catch (...) {
      // A control that fails to terminate must not stop the others.
      ReportCaughtException("Terminate");
    }
  }
  if (formDropTarget_) {
    RevokeDragDrop(Hwnd());
    formDropTarget_->Detach();
    formDropTarget_->Release();
    formDropTarget_ = nullptr;
  }
  for (auto& s : sites_) {
    ReleaseDropTarget(*s);
    s->ReleaseHdc();
    s->hwnd_.reset();
  }
  for (auto& n : natives_) {
    // Its window goes with the form, but its WM_NCDESTROY no longer passes
    // NativeWndProc once the procedure is given back: clear it here.
    if (IsWindow(n->hwnd)) ClearAccessibleAnnotations(n->hwnd);
    if (n->editChild && IsWindow(n->editChild) && n->oldEditProc)
      SetWindowLongPtrA(n->editChild, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(n->oldEditProc));
    if (IsWindow(n->hwnd) && n->oldProc)
      SetWindowLongPtrA(n->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(n->oldProc));
  }
  sites_.clear();
  names_.clear();
  siteNames_.clear();
  siteWindows_.clear();
  labels_.clear();
  images_.clear();
  for (auto it = containers_.rbegin(); it != containers_.rend(); ++it) (*it)->hwnd_.reset();
  containers_.clear();
  natives_.clear();
  toolTip_.reset();
  pendingToolTips_.clear();
  shown_ = false;
  dragDropStarted_ = false;
  if (hwnd_) Forms().erase(hwnd_.get());
  hwnd_.reset();
  backBrush_.reset();
  icon_.reset();
  currentDefault_ = defaultButton_ = cancelButton_ = nullptr;
  lastFocus_ = nullptr;
  unloading_ = false;
}

// ------------------------------------------------------------- properties

void Form::SetCaption(const std::string& caption) {
  desc_.form.caption = caption;
  if (Hwnd()) SetWindowTextA(Hwnd(), caption.c_str());
}

void Form::SetBackColor(OleColor color) {
  desc_.form.backColor = color;
  if (!Hwnd()) return;
  backBrush_ = gdi::Brush(CreateSolidBrush(ResolveColor(color)));
  InvalidateRect(Hwnd(), nullptr, TRUE);
  for (auto& s : sites_)
    if (s->attached_ && !s->container_) s->control_->AmbientChanged("BackColor");
}

void Form::SetFont(const FontDesc& font) {
  CreateGdiFont(font);
  desc_.form.font = Normalized(font);
  for (auto& s : sites_)
    if (s->attached_ && !s->container_) s->control_->AmbientChanged("Font");
}

void Form::SetUserMode(bool userMode) {
  if (userMode == userMode_) return;
  userMode_ = userMode;
  NotifyAmbient("UserMode");
  UpdateDefault();
}

void Form::NotifyAmbient(std::string_view name) {
  for (auto& s : sites_)
    if (s->attached_) s->control_->AmbientChanged(name);
}

void Form::NotifyAmbient(Container& container, std::string_view name) {
  for (auto& s : sites_)
    if (s->attached_ && s->container_ == &container) s->control_->AmbientChanged(name);
}

// ---------------------------------------------------------------- lookups

Container* Form::FindContainer(std::string_view name) {
  for (auto& c : containers_)
    if (KeyEquals(c->Name(), name)) return c.get();
  return nullptr;
}

Container& Form::GetContainer(std::string_view name) {
  if (Container* c = FindContainer(name)) return *c;
  NoSuch("container", name);
}

ControlSite* Form::FindSite(std::string_view name) {
  auto it = siteNames_.find(LowerName(name));
  return it == siteNames_.end() ? nullptr : it->second;
}

ControlSite& Form::Site(std::string_view name) {
  if (ControlSite* s = FindSite(name)) return *s;
  NoSuch("control", name);
}

Label& Form::GetLabel(std::string_view name) {
  for (auto& l : labels_)
    if (KeyEquals(l->Name(), name)) return *l;
  NoSuch("label", name);
}

Image& Form::GetImage(std::string_view name) {
  for (auto& m : images_)
    if (KeyEquals(m->Name(), name)) return *m;
  NoSuch("image", name);
}

HWND Form::NativeHwnd(std::string_view name) const {
  for (auto& n : natives_)
    if (KeyEquals(n->name, name)) return n->hwnd;
  return nullptr;
}

std::vector<ControlSite*> Form::Sites() const {
  std::vector<ControlSite*> out;
  for (auto& s : sites_) out.push_back(s.get());
  return out;
}

ControlSite* Form::SiteFromHwnd(HWND hwnd) const {
  auto it = hwnd ? siteWindows_.find(hwnd) : siteWindows_.end();
  return it == siteWindows_.end() ? nullptr : it->second;
}

Form::Native* Form::FindNative(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (auto& n : natives_)
    if (n->hwnd == hwnd || n->editChild == hwnd) return n.get();
  return nullptr;
}

void Form::CheckNewName(std::string_view name) const {
  const bool taken = KeyEquals(name, Name()) || names_.count(LowerName(name)) != 0;
  if (name.empty()) throw Error(errors::kDuplicateName, "An object of a form needs a name");
  if (taken) throw Error(errors::kDuplicateName, "The form already has an object named \"" + std::string(name) + "\"");
}

Container* Form::ContainerFor(std::string_view containerName) {
  if (containerName.empty() || KeyEquals(containerName, Name())) return nullptr;
  if (Container* c = FindContainer(containerName)) return c;
  NoSuch("container", containerName);
}

HWND Form::ParentHwnd(Container* container) const { return container ? container->Hwnd() : Hwnd(); }

// ------------------------------------------------------------- adding

Container& Form::AddContainer(const ContainerDesc& desc) {
  if (!IsLoaded()) throw Error(errors::kFormNotLoaded, "The form is not loaded");
  return CreateContainer(desc);
}

Label& Form::AddLabel(const LabelDesc& desc) {
  if (!IsLoaded()) throw Error(errors::kFormNotLoaded, "The form is not loaded");
  return CreateLabel(desc);
}

Image& Form::AddImage(const ImageDesc& desc) {
  if (!IsLoaded()) throw Error(errors::kFormNotLoaded, "The form is not loaded");
  return CreateImage(desc);
}

ControlSite& Form::AddControl(const ControlDesc& desc) {
  if (!IsLoaded()) throw Error(errors::kFormNotLoaded, "The form is not loaded");
  std::unique_ptr<Control> control;
  try {
    control = CreateControl(desc.className);
  } catch (const Error& e) {
    throw Error(e.Number(), "Control \"" + desc.name + "\": " + e.Description());
  }
  return AddControl(std::move(control), desc);
}

ControlSite& Form::AddControl(std::unique_ptr<Control> control, const ControlDesc& desc) {
  if (!IsLoaded()) throw Error(errors::kFormNotLoaded, "The form is not loaded");
  ControlSite& site = CreateSite(std::move(control), desc);
  UpdateDefault();
  ShowSites();
  return site;
}

ControlSite& Form::CreateSite(std::unique_ptr<Control> control, const ControlDesc& desc) {
  CheckNewName(desc.name);
  Container* container = ContainerFor(desc.container);
  std::unique_ptr<ControlSite> owned(new ControlSite());
  ControlSite& s = *owned;
  s.form_ = this;
  s.container_ = container;
  s.control_ = std::move(control);
  s.name_ = desc.name;
  s.className_ = desc.className;
  s.font_ = container ? container->Font() : desc_.form.font;
  s.tabIndex_ = desc.tabIndex;
  s.toolTip_ = desc.toolTip;
  s.order_ = ++order_;
  const int dpi = dpi_;
  s.left_ = desc.left;
  s.top_ = desc.top;
  s.extentX_ = desc.extentX;
  s.extentY_ = desc.extentY;
  s.extentPixelsX_ = HimetricToPixels(desc.extentX, dpi);
  s.extentPixelsY_ = HimetricToPixels(desc.extentY, dpi);
  // Made visible at once when it is to be seen: showing it later is one more
  // change of its position, which the window manager pays against every
  // sibling.
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (desc.visible ? WS_VISIBLE : 0);
  HWND hwnd = CreateWindowExA(0, kControlClass, "", style,
                              TwipsToPixels(desc.left, dpi), TwipsToPixels(desc.top, dpi), s.extentPixelsX_,
                              s.extentPixelsY_, ParentHwnd(container), nullptr, HostInstance(), &s);
  if (!hwnd) throw Error(errors::kWindowCreation, "The window of control \"" + desc.name + "\" cannot be created");
  if (dragDropStarted_) CreateDropTarget(s);
  sites_.push_back(std::move(owned));
  names_.insert(LowerName(desc.name));
  siteNames_[LowerName(desc.name)] = &s;
  siteWindows_[hwnd] = &s;
  if (desc.isDefault) defaultButton_ = &s;
  if (desc.isCancel) cancelButton_ = &s;
  try {
    s.control_->SetSite(&s);
    if (desc.properties) {
      PropertyBag bag = *desc.properties;
      s.control_->ReadProperties(bag);
      s.changedKeys_.clear();
    } else {
      s.control_->InitProperties();
    }
  } catch (const Error& e) {
    s.attached_ = true;
    RemoveControl(desc.name);
    throw Error(e.Number(), "Control \"" + desc.name + "\": " + e.Description());
  } catch (...) {
    s.attached_ = true;
    RemoveControl(desc.name);
    throw;
  }
  s.attached_ = true;
  s.control_->Resize();
  // The DC the control drew its first picture with goes back: a form being
  // loaded would otherwise hold one per control while it makes the next.
  s.ReleaseHdc();

  if (!desc.toolTip.empty()) AddToolTip(hwnd, nullptr, reinterpret_cast<UINT_PTR>(hwnd), desc.toolTip);
  return s;
}

void Form::RemoveControl(std::string_view name) {
  ControlSite& s = Site(name);
  if (s.attached_) {
    s.attached_ = false;
    try {
      s.control_->Terminate();
    } catch (...) {
      ReportCaughtException("Terminate");
    }
  }
  ReleaseDropTarget(s);
  if (lastFocus_ == s.Hwnd()) lastFocus_ = nullptr;
  bool wasDefault = currentDefault_ == &s;
  if (currentDefault_ == &s) currentDefault_ = nullptr;
  if (defaultButton_ == &s) defaultButton_ = nullptr;
  if (cancelButton_ == &s) cancelButton_ = nullptr;
  names_.erase(LowerName(s.Name()));
  siteNames_.erase(LowerName(s.Name()));
  siteWindows_.erase(s.Hwnd());
  s.ReleaseHdc();
  s.hwnd_.reset();
  sites_.erase(std::find_if(sites_.begin(), sites_.end(), [&](auto& p) { return p.get() == &s; }));
  if (wasDefault) UpdateDefault();
}

void Form::SetDefaultButton(std::string_view name) {
  defaultButton_ = name.empty() ? nullptr : &Site(name);
  UpdateDefault();
}

void Form::SetCancelButton(std::string_view name) { cancelButton_ = name.empty() ? nullptr : &Site(name); }

// ------------------------------------------------------------------ timers

void Form::SetTimer(const std::string& name, UINT intervalMs) {
  std::string key = LowerName(name);
  timers_.erase(key);
  for (auto it = timerNames_.begin(); it != timerNames_.end();)
    it = LowerName(it->second) == key ? timerNames_.erase(it) : std::next(it);
  if (intervalMs == 0) {
    timerIntervals_.erase(key);
    return;
  }
  timerIntervals_[key] = intervalMs;
  if (IsLoaded()) StartTimer(name, intervalMs);
}

void Form::StartTimer(const std::string& name, UINT intervalMs) {
  UINT_PTR id = nextTimerId_++;
  timers_[LowerName(name)] = user::Timer(Hwnd(), id, intervalMs);
  timerNames_[id] = name;
}

// ------------------------------------------------------------------ saving

FormDesc Form::Save() {
  if (!hwnd_) return desc_;
  const int dpi = dpi_;
  FormDesc d;
  d.form = desc_.form;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  d.form.clientWidth = KeepTwips(desc_.form.clientWidth, client.right, dpi);
  d.form.clientHeight = KeepTwips(desc_.form.clientHeight, client.bottom, dpi);
  for (auto& c : containers_) {
    ContainerDesc cd = c->desc_;
    RECT r = RectInParent(c->Hwnd());
    cd.left = KeepTwips(cd.left, r.left, dpi);
    cd.top = KeepTwips(cd.top, r.top, dpi);
    cd.width = KeepTwips(cd.width, r.right - r.left, dpi);
    cd.height = KeepTwips(cd.height, r.bottom - r.top, dpi);
    d.containers.push_back(cd);
  }
  for (auto& l : labels_) d.labels.push_back(l->desc_);
  for (auto& m : images_) d.images.push_back(m->desc_);
  for (auto& s : sites_) {
    ControlDesc cd;
    cd.className = s->className_;
    cd.name = s->name_;
    cd.container = s->container_ ? s->container_->Name() : std::string();
    const POINT at = SiteTwips(*s);
    cd.left = at.x;
    cd.top = at.y;
    cd.extentX = s->ExtentX();
    cd.extentY = s->ExtentY();
    cd.tabIndex = s->tabIndex_;
    cd.isDefault = defaultButton_ == s.get();
    cd.isCancel = cancelButton_ == s.get();
    cd.visible = s->Visible();
    cd.toolTip = s->toolTip_;
    PropertyBag bag;
    if (s->attached_) s->control_->WriteProperties(bag);
    cd.properties = std::move(bag);
    s->changedKeys_.clear();
    d.controls.push_back(std::move(cd));
  }
  desc_.controls = d.controls;
  dirty_ = false;
  return d;
}

std::string Form::SaveText() { return WriteFormText(Save()); }

void Form::SaveFile(const std::string& path) { SaveFormFile(path, Save()); }

}  // namespace host
