// The logic of the game's modal windows, without a screen: focus and tab order, and the keys a
// desktop dialog answers itself.
#include "forms/form.h"

#include <gtest/gtest.h>

namespace {

// Two check boxes, a text box and two buttons, added out of tab order on purpose.
class TestForm : public Form {
 public:
  TestForm() : Form("Test", 3000, 2000) {
    Add(cmdSecond);
    Add(chkA);
    Add(txtName);
    Add(label);
    Add(cmdFirst);
    Add(chkB);
    cmdFirst.Click = [this] { ++first_clicks; };
    cmdSecond.Click = [this] { ++second_clicks; };
  }
  void Load() { BeginLoad(); }
  void OnCloseBox() override { ++close_boxes; }

  CommandButton cmdSecond{"cmdSecond", {}, 4, "Second"};
  CheckBox chkA{"chkA", {}, 0, "A"};
  TextBox txtName{"txtName", {}, 2, 5};
  Label label{"label", {}, 1, "A label"};
  CommandButton cmdFirst{"cmdFirst", {}, 3, "First"};
  CheckBox chkB{"chkB", {}, 5, "B"};
  int first_clicks = 0, second_clicks = 0, close_boxes = 0;
};

}  // namespace

TEST(Form, TabMovesThroughTheControlsInTabOrderSkippingLabelsAndDisabledOnes) {
  TestForm frm;
  frm.Load();
  frm.chkB.Enabled = false;
  frm.Activate();
  ASSERT_EQ(frm.Focused(), &frm.chkA) << "tab index 0 has the focus first";
  std::vector<Control*> seen;
  for (int i = 0; i < 4; ++i) {
    frm.PressKey(FormKey::Tab);
    seen.push_back(frm.Focused());
  }
  EXPECT_EQ(seen, (std::vector<Control*>{&frm.txtName, &frm.cmdFirst, &frm.cmdSecond, &frm.chkA}))
      << "round the end, past the label and the disabled box";
  frm.PressKey(FormKey::ShiftTab);
  EXPECT_EQ(frm.Focused(), &frm.cmdSecond) << "Shift+Tab goes back round the start";
  EXPECT_EQ(frm.first_clicks + frm.second_clicks, 0) << "moving the focus presses nothing";
}

TEST(Form, SpaceEnterAndEscapeActAsInADesktopDialog) {
  TestForm frm;
  frm.Load();
  frm.Activate();
  EXPECT_TRUE(frm.PressKey(FormKey::Space));
  EXPECT_TRUE(frm.chkA.Value) << "Space ticks the focused box";
  frm.PressKey(FormKey::Space);
  EXPECT_FALSE(frm.chkA.Value) << "and clears it again";

  frm.SetFocus(frm.txtName);
  EXPECT_FALSE(frm.PressKey(FormKey::Space)) << "in a text box Space types a blank";
  EXPECT_FALSE(frm.PressKey(FormKey::Left)) << "and the caret keys are the text box's";
  frm.PressKey(FormKey::Enter);
  EXPECT_EQ(frm.first_clicks, 1) << "Enter in a text box presses the first button";
  EXPECT_EQ(frm.Focused(), &frm.cmdFirst);

  frm.SetFocus(frm.cmdSecond);
  frm.PressKey(FormKey::Space);
  frm.PressKey(FormKey::Enter);
  EXPECT_EQ(frm.second_clicks, 2) << "Space and Enter press the focused button";

  frm.cmdFirst.Enabled = false;
  frm.ClickControl(frm.cmdFirst);
  EXPECT_EQ(frm.first_clicks, 1) << "a disabled button cannot be pressed";

  frm.PressKey(FormKey::Escape);
  EXPECT_EQ(frm.close_boxes, 1) << "Esc is the close box";
  EXPECT_FALSE(frm.IsLoaded());
  EXPECT_FALSE(frm.PressKey(FormKey::Space)) << "an unloaded window takes no keys";

  // A window with a Cancel button: Esc presses it (while it can be pressed) instead.
  frm.Load();
  frm.Activate();
  frm.cmdSecond.Cancel = true;
  frm.PressKey(FormKey::Escape);
  EXPECT_EQ(frm.second_clicks, 3);
  EXPECT_EQ(frm.close_boxes, 1);
  frm.cmdSecond.Enabled = false;
  frm.PressKey(FormKey::Escape);
  EXPECT_EQ(frm.second_clicks, 3) << "a disabled Cancel button cannot be pressed";
  EXPECT_EQ(frm.close_boxes, 2) << "so Esc is the close box again";
}

TEST(Form, ATextBoxHoldsNoMoreThanItsLength) {
  TextBox box{"txt", {}, 0, 5};
  box.SetText("abcdefgh");
  EXPECT_EQ(box.Text(), "abcde");
  TextBox unlimited{"txt", {}, 0, 0};
  unlimited.SetText(std::string(300, 'x'));
  EXPECT_EQ(unlimited.Text().size(), 300u);
}

TEST(Form, ListKeysChooseAnEntryEachTimeTheSelectionMoves) {
  class ListForm : public Form {
   public:
    ListForm() : Form("List", 3000, 3000) {
      Add(list);
      list.Click = [this] { chosen.push_back(list.ListIndex); };
    }
    void Load() { BeginLoad(); }
    ListBox list{"lst", {0, 0, 2000, 4 * LIST_ROW_TWIPS}, 0};
    std::vector<int> chosen;
  } frm;
  for (int i = 0; i < 10; ++i) frm.list.Items.push_back({"entry", i});
  frm.Activate();  // never loaded: nothing is chosen
  frm.PressKey(FormKey::Down);
  EXPECT_TRUE(frm.chosen.empty());

  frm.Load();
  frm.Activate();
  frm.PressKey(FormKey::Up);        // nothing selected: the first entry
  frm.PressKey(FormKey::Up);        // already at the top: no change, no click
  frm.PressKey(FormKey::Down);      // 1
  frm.PressKey(FormKey::PageDown);  // four rows show: on by three, as a desktop list does
  frm.PressKey(FormKey::End);
  frm.PressKey(FormKey::PageDown);  // at the end already
  frm.PressKey(FormKey::Home);
  EXPECT_EQ(frm.chosen, (std::vector<int>{0, 1, 4, 9, 0}));
}
