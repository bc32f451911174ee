// Option groups: the registry of option buttons in window properties of the
// container window, selection across a group, and leaving it.
#include <string>

#include "tests/button/ButtBehaviourFixture.h"

namespace {

using butt_test::ButtAt;
using butt_test::StoredBag;

class ButtBehaviourOptionGroup : public butt_test::ButtFormTest {
 protected:
  void SetUp() override {
    butt_test::MoveCursor(butt_test::Elsewhere());
    host::FormDesc desc = butt_test::BaseForm();
    desc.containers.push_back(butt_test::Box("Box1", 10, 10));
    desc.containers.push_back(butt_test::Box("Box2", 330, 10));
    desc.controls.push_back(ButtAt("O1", "Box1", 10, 10, 0, StoredBag(butt::ModeOptionButton, false, "O1")));
    desc.controls.push_back(ButtAt("O2", "Box1", 10, 40, 1, StoredBag(butt::ModeOptionButton, false, "O2")));
    desc.controls.push_back(ButtAt("O3", "Box1", 10, 70, 2, StoredBag(butt::ModeOptionButton, false, "O3")));
    desc.controls.push_back(ButtAt("P1", "Box2", 10, 10, 3, StoredBag(butt::ModeOptionButton, false, "P1")));
    desc.controls.push_back(ButtAt("Cmd", "Box2", 10, 40, 4, StoredBag(butt::ModeCommand, false, "Cmd")));
    Open(desc);
    log_.clear();
  }

  HWND Box(const char* name) { return Form().GetContainer(name).Hwnd(); }
  static INT_PTR Count(HWND box) { return reinterpret_cast<INT_PTR>(GetPropA(box, "kt_OptCount")); }
  static HANDLE Slot(HWND box, int slot) { return GetPropA(box, ("kt_Obj" + std::to_string(slot)).c_str()); }
  HANDLE Ptr(const char* name) { return static_cast<HANDLE>(&B(name)); }
};

TEST_F(ButtBehaviourOptionGroup, EachContainerRegistersItsOptionButtons) {
  EXPECT_EQ(Count(Box("Box1")), 3);
  EXPECT_EQ(Slot(Box("Box1"), 1), Ptr("O1"));
  EXPECT_EQ(Slot(Box("Box1"), 2), Ptr("O2"));
  EXPECT_EQ(Slot(Box("Box1"), 3), Ptr("O3"));
  EXPECT_EQ(Slot(Box("Box1"), 4), nullptr);
  EXPECT_EQ(Count(Box("Box2")), 1);
  EXPECT_EQ(Slot(Box("Box2"), 1), Ptr("P1"));
}

TEST_F(ButtBehaviourOptionGroup, ClickingSelectsOneAndClearsTheOthersOfItsContainer) {
  Click("P1");
  Click("O1");
  EXPECT_TRUE(B("O1").Value());
  Click("O3");
  EXPECT_FALSE(B("O1").Value());
  EXPECT_FALSE(B("O2").Value());
  EXPECT_TRUE(B("O3").Value());
  EXPECT_TRUE(B("P1").Value());  // another container, another group
  EXPECT_EQ(Named("O3", "Click").size(), 1u);
  Click("O3");  // a selected option button raises no Click
  EXPECT_EQ(Named("O3", "Click").size(), 1u);
  EXPECT_TRUE(B("O3").Value());
}

TEST_F(ButtBehaviourOptionGroup, TheMiddleButtonLeavingShiftsTheSlots) {
  B("O2").Mode(butt::ModeCheckBox);
  HWND box = Box("Box1");
  EXPECT_EQ(Count(box), 2);
  EXPECT_EQ(Slot(box, 1), Ptr("O1"));
  EXPECT_EQ(Slot(box, 2), Ptr("O3"));
  EXPECT_EQ(Slot(box, 3), nullptr);
  B("O1").Mode(butt::ModeCommand);
  B("O3").Mode(butt::ModeCommand);
  EXPECT_EQ(Count(box), 0);
  EXPECT_TRUE(butt_test::WindowPropNames(box).empty());
  // Rejoining takes the next free slot.
  B("O2").Mode(butt::ModeOptionButton);
  EXPECT_EQ(Count(box), 1);
  EXPECT_EQ(Slot(box, 1), Ptr("O2"));
}

TEST_F(ButtBehaviourOptionGroup, JoiningWhileSelectedClearsTheGroup) {
  Click("O1");
  B("Cmd").Mode(butt::ModeCheckBox);
  B("Cmd").Value(true);
  Click("P1");
  B("Cmd").Mode(butt::ModeOptionButton);  // joins Box2's group selected
  EXPECT_FALSE(B("P1").Value());
  EXPECT_TRUE(B("Cmd").Value());
  EXPECT_EQ(Count(Box("Box2")), 2);
  EXPECT_TRUE(B("O1").Value());
}

TEST_F(ButtBehaviourOptionGroup, ADestroyedButtonLeavesItsGroup) {
  Click("O3");
  HWND box = Box("Box1");
  Form().RemoveControl("O1");
  EXPECT_EQ(Count(box), 2);
  EXPECT_EQ(Slot(box, 1), Ptr("O2"));
  EXPECT_EQ(Slot(box, 2), Ptr("O3"));
  EXPECT_EQ(Slot(box, 3), nullptr);
  Click("O2");  // the group no longer reaches the destroyed one
  EXPECT_FALSE(B("O3").Value());
  Form().RemoveControl("O2");
  Form().RemoveControl("O3");
  EXPECT_TRUE(butt_test::WindowPropNames(box).empty());
}

TEST_F(ButtBehaviourOptionGroup, TabbingIntoAGroupWithoutSelectionSelects) {
  Form().SetFocusTo("Cmd");
  host::DoEvents();
  // Showing the form focused O1, which selected it: start without a selection.
  B("O1").Value(false);
  host::DoEvents();
  log_.clear();
  Form().SetFocusTo("O2");
  host::DoEvents();
  EXPECT_TRUE(B("O2").Value());
  EXPECT_EQ(Named("O2", "Click").size(), 1u);
  Form().SetFocusTo("O3");
  host::DoEvents();
  EXPECT_FALSE(B("O3").Value());
  EXPECT_TRUE(Named("O3", "Click").empty());
}

TEST_F(ButtBehaviourOptionGroup, TheButtonLoadedLaterKeepsTheSelection) {
  form_.reset();
  host::FormDesc desc = butt_test::BaseForm();
  desc.containers.push_back(butt_test::Box("Box1", 10, 10));
  desc.controls.push_back(ButtAt("First", "Box1", 10, 10, 0, StoredBag(butt::ModeOptionButton, true, "First")));
  desc.controls.push_back(ButtAt("Second", "Box1", 10, 40, 1, StoredBag(butt::ModeOptionButton, true, "Second")));
  Open(desc);
  EXPECT_FALSE(B("First").Value());
  EXPECT_TRUE(B("Second").Value());
}

TEST_F(ButtBehaviourOptionGroup, AGroupEmptiedByOthersIsLeftAlone) {
  // Someone else removed the registry: leaving must not invent or drop slots.
  HWND box = Box("Box1");
  for (const char* name : {"kt_OptCount", "kt_Obj1", "kt_Obj2", "kt_Obj3"}) RemovePropA(box, name);
  B("O2").Mode(butt::ModeCommand);
  EXPECT_TRUE(butt_test::WindowPropNames(box).empty());
  B("O1").Mode(butt::ModeOptionButton);  // already in mode 2: no change
  EXPECT_TRUE(butt_test::WindowPropNames(box).empty());
}

TEST_F(ButtBehaviourOptionGroup, LeavingWhenNotRegisteredKeepsTheOthers) {
  HWND box = Box("Box1");
  // O3's slot is lost (as if it never joined): its leaving must not drop
  // another button's slot.
  RemovePropA(box, "kt_Obj3");
  SetPropA(box, "kt_OptCount", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(2)));
  B("O3").Mode(butt::ModeCommand);
  EXPECT_EQ(Count(box), 2);
  EXPECT_EQ(Slot(box, 1), Ptr("O1"));
  EXPECT_EQ(Slot(box, 2), Ptr("O2"));
}

}  // namespace
