#include "app/VORN.h"

#include <string_view>

#include "app/AboutBox.h"
#include "app/ApplySet.h"
#include "app/CommandLine.h"
#include "app/Elevation.h"
#include "app/FileSystemObject.h"
#include "app/InfoViewer.h"
#include "app/InstallFolder.h"
#include "app/InstalledSet.h"
#include "app/PostProcessSets.h"
#include "app/Utf8.h"
#include "app/VersionResource.h"
#include "app/VirtualStore.h"
#include "app/VornLayout.h"
#include "app/VornResources.h"
#include "app/WindowArt.h"
#include "effects/WindowEffects.h"
#include "host/Error.h"
#include "host/FormText.h"
#include "host/MessageBox.h"
#include "host/MessageLoop.h"

namespace vorn {
namespace {

// The text of an RCDATA resource.
std::string ResourceText(HMODULE module, int id) {
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!info) return std::string();
  HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::string();
  return std::string(static_cast<const char*>(data), SizeofResource(module, info));
}

// True when the window in front belongs to this process: the main window
// or one of its message boxes.
bool ThisProcessInFront() {
  HWND front = GetForegroundWindow();
  DWORD process = 0;
  return front && GetWindowThreadProcessId(front, &process) && process == GetCurrentProcessId();
}

template <typename Desc>
Desc* FindByName(std::vector<Desc>& list, std::string_view name) {
  for (Desc& d : list) {
    if (host::KeyEquals(d.name, name)) return &d;
  }
  return nullptr;
}

}  // namespace

host::FormDesc LoadVornFormDesc(HMODULE module) {
  if (!module) module = GetModuleHandleA(nullptr);
  const std::string text = ResourceText(module, IDR_VORN_FORM);
  if (text.empty()) throw host::Error(host::errors::kBadFormText, "The stored form VORN is missing.");
  host::FormDesc desc = host::ParseFormText(text);
  // The pictures travel as resources of their own rather than inside the
  // form text.
  desc.form.icon = host::Picture::LoadIconResource(module, MAKEINTRESOURCEA(IDI_VORN));
  if (auto* banner = FindByName(desc.containers, "Picture1")) {
    banner->picture = host::Picture::LoadBitmapResource(module, MAKEINTRESOURCEA(IDB_BANNER));
  }
  if (auto* line = FindByName(desc.images, "Image1")) {
    line->picture = host::Picture::LoadBitmapResource(module, MAKEINTRESOURCEA(IDB_LINE));
  }
  return desc;
}

VORN::VORN(host::FormDesc desc) : form_(std::move(desc)) {
  host::SetAppTitle(kAppTitle);
  form_.On("VORN", "Load", [this](host::EventArgs&) { Form_Load(); });
  form_.On("VORN", "Unload", [this](host::EventArgs&) { Form_Unload(); });
  form_.On("Butt1", "Click", [this](host::EventArgs&) { Butt1_Click(); });
  form_.On("Butt2", "Click", [this](host::EventArgs&) { Butt2_Click(); });
  form_.On("Butt3", "Click", [this](host::EventArgs&) { Butt3_Click(); });
  form_.On("VORN", "DpiChanged", [this](host::EventArgs&) { Form_DpiChanged(); });
  form_.On("Timer1", "Timer", [this](host::EventArgs&) { Timer1_Timer(); });
  for (const char* dragHandle : {"Label1", "Label8", "Picture1", "Picture3"}) {
    form_.On(dragHandle, "MouseMove", [this](host::EventArgs& args) { DragOnMouseMove(args); });
  }
}

VORN::~VORN() = default;

int VORN::Run() { return host::Run(form_); }

// ------------------------------------------------------------- start-up

void VORN::CreateCombo1() {
  host::Container& panel = form_.GetContainer("Picture3");
  combo1_.Create(panel.Hwnd(), ToPixels(kCombo1, form_.Dpi()), form_.Font(), form_.Dpi());
  host::NativeOptions options;
  options.tabIndex = 1;
  form_.AddNative(combo1_.Handle(), "Combo1", options);
}

// The form lays out everything it knows at the window's DPI; the selector
// and the drawn art are the window's own.
void VORN::ShowArtForDpi() {
  HMODULE module = GetModuleHandleA(nullptr);
  const int dpi = form_.Dpi();
  // The banner is shown unstretched, the line stretched to its image.
  if (host::Picture banner = LoadArt(module, IDB_BANNER, dpi, true)) form_.GetContainer("Picture1").SetPicture(banner);
  if (host::Picture line = LoadArt(module, IDB_LINE, dpi, false)) form_.GetImage("Image1").SetPicture(line);
}

void VORN::Form_DpiChanged() {
  combo1_.Place(ToPixels(kCombo1, form_.Dpi()), form_.Font(), form_.Dpi());
  ShowArtForDpi();
}

void VORN::Form_Load() {
  CreateCombo1();
  ShowArtForDpi();
  // The key poll runs from the start, also during the fade-in.
  form_.SetTimer("Timer1", 1);

  combo1_.AddItem("Full");
  combo1_.AddItem("None");

  FadeIn(form_.Hwnd(), 255, kFadeStep);
  if (closing_) return;

  host::Label& ret = form_.GetLabel("ret");
  // The caption holds the folder as UTF-8, like every path of the tool.
  ret.SetCaption(ReadInstallFolder());
  ret.SetCaption(ret.Caption() + kFolderSuffix);

  combo1_.SetText("Full");
  // An unknown installation folder is not looked for relative to the
  // current drive: it shows as "None", like a folder without the file.
  const std::string folder = TargetFolder();
  if (InstallFolderMissing(folder)) {
    combo1_.SetText(InstalledSetName(std::nullopt));
    return;
  }
  // The list shows what the game reads: a per-user copy of type1.xml, where
  // Windows keeps one, comes before the game's own file, and the player is
  // told.
  const std::string copies = PerUserCopiesOf(folder);
  if (const auto copyLength = copies.empty() ? std::nullopt : FileLength(copies + kDetectionFile)) {
    combo1_.SetText(InstalledSetName(copyLength));
    ShowMessage(PerUserCopyMessage(copies, combo1_.Text()), MB_OK | MB_ICONINFORMATION, kAppTitle);
    return;
  }
  combo1_.SetText(InstalledSetName(FileLength(folder + kDetectionFile)));
}

// ------------------------------------------------------------- buttons

void VORN::Butt1_Click() { ApplySelected(); }

void VORN::ApplySelected() {
  const std::string selection = combo1_.Text();
  const PostProcessSet* set = SetForSelection(selection);
  if (!set) {
    ShowMessage(UnknownSelectionMessage(selection), MB_OK | MB_ICONEXCLAMATION, kAppTitle);
    return;
  }
  if (InstallFolderMissing(TargetFolder())) {
    ShowMessage(MissingInstallMessage(selection), MB_OK | MB_ICONEXCLAMATION, kAppTitle);
    return;
  }
  WriteOptions options;
  options.perUserCopies = PerUserCopiesOf(TargetFolder());
  const WriteOutcome outcome = WriteSet(
      *set, [this] { return TargetFolder(); }, options);
  if (outcome.Written()) {
    ShowMessage(DoneMessage(outcome, ErrorText), outcome.copiesLeft.empty() ? MB_OK : MB_OK | MB_ICONEXCLAMATION,
                kAppTitle);
    form_.Unload();
    return;
  }
  const std::string message = FailureMessage(selection, outcome, ErrorText);
  if (!OfferElevation(outcome.failures, ProcessIsElevated())) {
    ShowMessage(message, MB_OK | MB_ICONEXCLAMATION, kAppTitle);
    return;
  }
  if (ShowMessage(message + "\r\n\r\n" + ElevationQuestion(), MB_YESNO | MB_ICONEXCLAMATION, kAppTitle) == IDYES) {
    ApplyAsAdministrator(selection);
  }
}

void VORN::ApplyAsAdministrator(const std::string& setName) {
  // The copy shows its own "DONE!" or failure list, from the rights it has;
  // this window waits, drawn but closed to input, and goes once the set is
  // written.
  EnableWindow(form_.Hwnd(), FALSE);
  waitingForCopy_ = true;
  const ElevatedRun run = RunElevated(form_.Hwnd(), ApplyArguments(setName), [](HANDLE process) {
    host::PumpUntil([process] { return WaitForSingleObject(process, 0) != WAIT_TIMEOUT; }, INFINITE);
  });
  waitingForCopy_ = false;
  EnableWindow(form_.Hwnd(), TRUE);
  if (run.startError == 0) {
    if (run.exitCode == kExitDone) form_.Unload();
    return;
  }
  // A "no" to Windows' question needs no answer of ours.
  if (run.startError == ERROR_CANCELLED) return;
  ShowMessage("VORN could not be started as administrator:\r\n    " + ErrorText(static_cast<int32_t>(run.startError)) +
                  "\r\n\r\nThe files named before were not written.",
              MB_OK | MB_ICONEXCLAMATION, kAppTitle);
}

void VORN::Butt2_Click() { FadeOutAndUnload(); }

void VORN::Butt3_Click() {
  const FileVersion v = ModuleFileVersion().value_or(FileVersion{});
  ShowMessage(AboutText(), MB_OK | MB_ICONINFORMATION, AboutTitle(v.major, v.minor, v.revision));
}

// ------------------------------------------------------------- keys

void VORN::Timer1_Timer() {
  if (closing_) return;
  // Keys pressed for other programs are theirs; so are the keys while the
  // elevated copy shows its own messages.
  const bool inFront = !waitingForCopy_ && ThisProcessInFront();
  if (f1_.Update(GetAsyncKeyState(VK_F1), inFront)) OpenInfoFile();
  if (escape_.Update(GetAsyncKeyState(VK_ESCAPE), inFront)) FadeOutAndUnload();
}

// ------------------------------------------------------------- closing

void VORN::FadeOutAndUnload() {
  if (closing_) return;
  closing_ = true;
  FadeOut(form_.Hwnd(), 0, kFadeStep);
  form_.Unload();
}

void VORN::Form_Unload() {
  // Nothing runs after the window goes: end the process here.
  ExitProcess(0);
}

// ------------------------------------------------------------- dragging

void VORN::DragOnMouseMove(host::EventArgs& args) {
  // Only with the left button held: the system's move loop would otherwise
  // carry the window along with a pointer that merely passes over it.
  if (args.Count() > 0 && (args.Int16(0) & 1)) DragForm(form_.Hwnd());
}

// ------------------------------------------------------------- helpers

std::string VORN::TargetFolder() { return form_.GetLabel("ret").Caption(); }

int VORN::ShowMessage(const std::string& text, UINT style, const std::string& title) {
  return vorn::ShowMessage(form_.Hwnd(), text, style, title);
}

}  // namespace vorn
