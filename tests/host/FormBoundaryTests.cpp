// A control's code that throws where ole32 and oleacc call into the host (a
// drop, a data request of a drop target, a screen reader's question): the
// exception stops at that boundary, is reported through the host's hook,
// and the process and the form go on.
#include <oleacc.h>

#include <stdexcept>

#include "FormFixture.h"
#include "host/CaughtExceptions.h"
#include "host/WindowAccessible.h"

using namespace hosttest;

namespace {

// Its name throws, as a control author's faulty override would.
class FaultyAccessible final : public host::WindowAccessible {
 public:
  explicit FaultyAccessible(HWND hwnd) : WindowAccessible(hwnd) {}

 private:
  HRESULT AccName(VARIANT, BSTR*) override { throw std::runtime_error("name fault"); }
};

// A recorder whose drop handler (after asking for the dropped text) and
// data handler throw, and whose window answers screen readers with a
// FaultyAccessible.
class FaultyControl : public RecordingControl {
 public:
  void OLEDragDrop(host::DataObject& data, int32_t& effect, int16_t& button, int16_t& shift, float& x,
                   float& y) override {
    RecordingControl::OLEDragDrop(data, effect, button, shift, x, y);
    throw std::runtime_error("drop fault");
  }
  void OLESetData(host::DataObject& data, int16_t& format) override {
    RecordingControl::OLESetData(data, format);
    throw std::runtime_error("data fault");
  }
  bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg != WM_GETOBJECT || static_cast<LONG>(lp) != OBJID_CLIENT) return false;
    auto* object = new FaultyAccessible(site_->Hwnd());
    result = object->Answer(wp);
    object->Release();
    return true;
  }
};

}  // namespace

TEST_F(HostInput, ExceptionsThroughOleAndOleaccAreReportedAndTheFormGoesOn) {
  host::RegisterControlClass("Faulty", [] { return std::make_unique<FaultyControl>(); });
  std::string text = kThreeRecorders;
  for (size_t at = text.find(" Recorder\n"); at != std::string::npos; at = text.find(" Recorder\n", at))
    text.replace(at, 9, " Faulty");
  Open(text);
  std::vector<std::string> reports;
  host::CaughtExceptionHook failing = host::SetCaughtExceptionHook([&](const std::string& r) { reports.push_back(r); });

  // R2 drags onto R1 with no button held: ole32 drops at once where the
  // cursor is. R1's drop asks for the text, which runs R2's OLESetData.
  SendMouse(MOUSEEVENTF_LEFTUP);
  MoveTo(Hwnd("R1"), 10, 8);
  const int32_t effect = form->Site("R2").OLEDrag();
  Pump();
  // A screen reader's question, through oleacc.
  void* object = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(Hwnd("R3"), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), &object),
            S_OK);
  auto* accessible = static_cast<IAccessible*>(object);
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  EXPECT_EQ(accessible->get_accName(self, &name), E_UNEXPECTED);
  VARIANT role;
  VariantInit(&role);
  EXPECT_EQ(accessible->get_accRole(self, &role), S_OK) << "the object goes on answering";
  accessible->Release();
  host::SetCaughtExceptionHook(failing);

  EXPECT_EQ(effect, DROPEFFECT_NONE) << "a drop whose handler failed did nothing";
  EXPECT_EQ(Rec("R2").Only({"OLESetData", "OLECompleteDrag"}), V({"OLESetData 1", "OLECompleteDrag 0"}));
  EXPECT_EQ(Rec("R1").Only({"OLEDragDrop"}).size(), 1u);
  EXPECT_EQ(Rec("R1").droppedText, "") << "the failed data request gave no data";
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_NE(reports[0].find("IDataObject::GetData: data fault"), std::string::npos) << reports[0];
  EXPECT_NE(reports[1].find("IDropTarget::Drop: drop fault"), std::string::npos) << reports[1];
  EXPECT_NE(reports[2].find("IAccessible::get_accName: name fault"), std::string::npos) << reports[2];
  EXPECT_TRUE(form->IsLoaded());
}

namespace {
// Whether COM is initialised on this thread: a second CoInitializeEx then
// answers S_FALSE (and is undone at once).
bool ComReady() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(hr)) CoUninitialize();
  return hr == S_FALSE;
}

// Notes in its first notification, while the form's windows are being
// made, whether COM was ready.
class ComProbeControl : public RecordingControl {
 public:
  static inline bool comAtCreation = false;
  void InitProperties() override {
    comAtCreation = ComReady();
    RecordingControl::InitProperties();
  }
};
}  // namespace

// A screen reader asks as soon as it sees a window, before the form's own
// message loop has run: COM must be ready while the windows are made, and
// it goes with the form.
TEST_F(HostForm, ComIsReadyWhileTheWindowsAreMadeAndGoesWithTheForm) {
  host::RegisterControlClass("ComProbe", [] { return std::make_unique<ComProbeControl>(); });
  std::string text = kThreeRecorders;
  text.replace(text.find("Begin Control R3 Recorder"), 25, "Begin Control R3 ComProbe");
  ASSERT_FALSE(ComReady());
  Open(text, false);  // loaded, not shown: no message has been handled
  EXPECT_TRUE(ComProbeControl::comAtCreation);
  EXPECT_TRUE(ComReady());
  form.reset();
  EXPECT_FALSE(ComReady());
}
