#include "forms/form.h"

#include <algorithm>

void TextBox::SetText(std::string_view sText) {
  text_ = MaxLength > 0 ? sText.substr(0, MaxLength) : sText;
}

int ListBox::PageRows() const {
  return std::max(1, Place.Height / LIST_ROW_TWIPS);
}

void Form::BeginLoad() {
  loaded_ = true;
  focus_ = nullptr;
}

void Form::Add(Control& control) {
  // Kept in tab order; controls with the same index stay in the order they were added.
  const auto at = std::upper_bound(
      controls_.begin(), controls_.end(), control.TabIndex,
      [](int nTabIndex, const Control* other) { return nTabIndex < other->TabIndex; });
  controls_.insert(at, &control);
}

void Form::Activate() {
  focus_ = nullptr;
  MoveFocus(1);
  OnActivate();
  // Activation may have disabled the control that was to get the focus.
  if (focus_ != nullptr && !focus_->CanTakeFocus()) MoveFocus(1);
}

void Form::SetFocus(Control& control) {
  if (!control.CanTakeFocus() || focus_ == &control) return;
  focus_ = &control;
  ++focus_moves_;
}

// The next (nStep 1) or previous (-1) control in tab order that can take the focus, round the end.
void Form::MoveFocus(int nStep) {
  const int count = static_cast<int>(controls_.size());
  int at = -1;
  for (int i = 0; i < count; ++i)
    if (controls_[i] == focus_) at = i;
  if (at < 0 && nStep < 0) at = count;
  for (int k = 1; k <= count; ++k) {
    Control* candidate = controls_[((at + nStep * k) % count + count) % count];
    if (candidate->CanTakeFocus()) {
      SetFocus(*candidate);
      return;
    }
  }
}

CommandButton* Form::FirstButton() const {
  for (Control* control : controls_)
    if (control->Kind == ControlKind::CommandButton && control->Enabled &&
        static_cast<CommandButton*>(control)->Default)
      return static_cast<CommandButton*>(control);
  for (Control* control : controls_)
    if (control->Kind == ControlKind::CommandButton && control->Enabled)
      return static_cast<CommandButton*>(control);
  return nullptr;
}

void Form::ClickControl(Control& control) {
  if (!loaded_ || !control.Enabled) return;
  OnClickControl(control);
  SetFocus(control);
  if (control.Kind == ControlKind::CheckBox) {
    auto& box = static_cast<CheckBox&>(control);
    box.Value = !box.Value;
  }
  if (control.Click) control.Click();
}

void Form::ChooseListEntry(ListBox& list, int nIndex) {
  if (!loaded_ || !list.Enabled || nIndex < 0 || nIndex >= static_cast<int>(list.Items.size()))
    return;
  OnClickControl(list);
  SetFocus(list);
  list.ListIndex = nIndex;
  if (list.Click) list.Click();
}

void Form::CloseBox() {
  if (!loaded_) return;
  OnCloseBox();
  Unload();
}

bool Form::PressKey(FormKey key) {
  if (!loaded_) return false;
  switch (key) {
    case FormKey::Tab:
      MoveFocus(1);
      return true;
    case FormKey::ShiftTab:
      MoveFocus(-1);
      return true;
    case FormKey::Escape:
      if (CommandButton* cancel = CancelButton())
        ClickControl(*cancel);
      else
        CloseBox();
      return true;
    default:
      break;
  }
  if (focus_ != nullptr && focus_->Kind == ControlKind::ListBox)
    return PressListKey(static_cast<ListBox&>(*focus_), key);
  const bool inTextBox = focus_ != nullptr && focus_->Kind == ControlKind::TextBox;
  switch (key) {
    case FormKey::Space:
      // In a text box a blank is typed; a focused button or check box is pressed.
      if (inTextBox) return false;
      if (focus_ != nullptr) ClickControl(*focus_);
      return true;
    case FormKey::Enter:
      // A focused button is pressed; anywhere else Enter presses the window's first button.
      if (focus_ != nullptr && focus_->Kind == ControlKind::CommandButton) {
        ClickControl(*focus_);
      } else if (CommandButton* button = FirstButton()) {
        ClickControl(*button);
      }
      return true;
    case FormKey::Left:
    case FormKey::Right:
    case FormKey::Home:
    case FormKey::End:
      // The caret keys of a text box.
      if (inTextBox) return false;
      if (key == FormKey::Left) MoveFocus(-1);
      if (key == FormKey::Right) MoveFocus(1);
      return true;
    case FormKey::Up:
      if (!inTextBox) MoveFocus(-1);
      return true;
    case FormKey::Down:
      if (!inTextBox) MoveFocus(1);
      return true;
    default:
      return true;
  }
}

CommandButton* Form::CancelButton() const {
  for (Control* control : controls_)
    if (control->Kind == ControlKind::CommandButton && control->Enabled &&
        static_cast<CommandButton*>(control)->Cancel)
      return static_cast<CommandButton*>(control);
  return nullptr;
}

// A list box moves its selection; every move chooses the entry, as a click on it would.
bool Form::PressListKey(ListBox& list, FormKey key) {
  const int count = static_cast<int>(list.Items.size());
  if (count == 0) return true;
  const int at = list.ListIndex;
  const int page = list.PageRows() - 1;
  int to = at;
  switch (key) {
    case FormKey::Up:
    case FormKey::Left:
      to = at < 0 ? 0 : at - 1;
      break;
    case FormKey::Down:
    case FormKey::Right:
      to = at < 0 ? 0 : at + 1;
      break;
    case FormKey::Home:
      to = 0;
      break;
    case FormKey::End:
      to = count - 1;
      break;
    case FormKey::PageUp:
      to = at < 0 ? 0 : at - page;
      break;
    case FormKey::PageDown:
      to = at < 0 ? 0 : at + page;
      break;
    default:
      return true;
  }
  to = std::clamp(to, 0, count - 1);
  if (to != at) ChooseListEntry(list, to);
  return true;
}
