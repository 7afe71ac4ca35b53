#pragma once
// The game's small modal windows (options, name entry, stage password, the editor's palette) are
// forms in the old desktop sense: a caption, a client area and a few controls placed in twips,
// with a keyboard focus that Tab moves through the controls in their tab order.
//
// This is their logic and nothing else: which control has the focus, what a key does, what a
// click does. It needs no screen, so a test can drive a window with it directly; FormScreen
// draws a form over the game picture and feeds it the player's keys and clicks.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The windows were laid out in twips; 15 of them are one pixel of the 800 x 600 picture.
constexpr int TWIPS_PER_PIXEL = 15;
// One row of a list box: the height of a line of the dialog font (13 pixels).
constexpr int LIST_ROW_TWIPS = 195;

struct TwipsRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

enum class ControlKind { Label, CheckBox, CommandButton, TextBox, ListBox };

class Control {
 public:
  Control(ControlKind kind, std::string sName, TwipsRect place, int nTabIndex)
      : Kind(kind), Name(std::move(sName)), Place(place), TabIndex(nTabIndex) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlKind Kind;
  const std::string Name;
  const TwipsRect Place;
  const int TabIndex;
  std::string Caption;  // Windows-1252, like every text of the game
  bool Enabled = true;
  // A button pressed, a check box ticked or cleared, a list entry chosen.
  std::function<void()> Click;

  bool CanTakeFocus() const { return Kind != ControlKind::Label && Enabled; }
};

class Label : public Control {
 public:
  Label(std::string sName, TwipsRect place, int nTabIndex, std::string sCaption)
      : Control(ControlKind::Label, std::move(sName), place, nTabIndex) {
    Caption = std::move(sCaption);
  }
};

class CheckBox : public Control {
 public:
  CheckBox(std::string sName, TwipsRect place, int nTabIndex, std::string sCaption)
      : Control(ControlKind::CheckBox, std::move(sName), place, nTabIndex) {
    Caption = std::move(sCaption);
  }
  bool Value = false;  // ticked
};

class CommandButton : public Control {
 public:
  CommandButton(std::string sName, TwipsRect place, int nTabIndex, std::string sCaption)
      : Control(ControlKind::CommandButton, std::move(sName), place, nTabIndex) {
    Caption = std::move(sCaption);
  }
  // Esc presses this button instead of closing the window with its close box.
  bool Cancel = false;
  // Enter presses this button wherever the focus is not on another button (without one, the
  // window's first button).
  bool Default = false;
};

class TextBox : public Control {
 public:
  TextBox(std::string sName, TwipsRect place, int nTabIndex, size_t nMaxLength)
      : Control(ControlKind::TextBox, std::move(sName), place, nTabIndex), MaxLength(nMaxLength) {}
  // The text, cut to MaxLength characters: a box that is full takes nothing more.
  void SetText(std::string_view sText);
  const std::string& Text() const { return text_; }
  const size_t MaxLength;  // 0: no limit

 private:
  std::string text_;
};

class ListBox : public Control {
 public:
  struct Item {
    std::string Text;
    int32_t ItemData = 0;
  };
  ListBox(std::string sName, TwipsRect place, int nTabIndex)
      : Control(ControlKind::ListBox, std::move(sName), place, nTabIndex) {}
  std::vector<Item> Items;
  int ListIndex = -1;  // the selected entry, -1 for none
  // Entries the list shows at once, what Page Up and Page Down move by.
  int PageRows() const;
};

// The keys a dialog answers itself; everything else goes to the text box that has the focus.
enum class FormKey {
  Tab,
  ShiftTab,
  Space,
  Enter,
  Escape,
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  PageUp,
  PageDown
};

class Form {
 public:
  Form(std::string sCaption, int nClientWidth, int nClientHeight)
      : Caption(std::move(sCaption)), ClientWidth(nClientWidth), ClientHeight(nClientHeight) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string Caption;
  const int ClientWidth;  // twips
  const int ClientHeight;

  // The window is loaded from Load until Unload; a modal window is shown until it is unloaded.
  bool IsLoaded() const { return loaded_; }
  void Unload() { loaded_ = false; }

  // The window has become the active window: the focus goes to the first control in tab order
  // that can take it, then the window's own activation runs.
  void Activate();

  // A key pressed while the window is active. False when the window has no use for the key, which
  // then belongs to the text box that has the focus (a blank, the caret keys).
  bool PressKey(FormKey key);
  // The caption's close box (Esc too, unless the window has a Cancel button).
  void CloseBox();
  // A click on a control: it takes the focus, a check box changes, then its Click runs.
  void ClickControl(Control& control);
  // An entry of a list box chosen by mouse or keyboard: it is selected and the list's Click runs.
  void ChooseListEntry(ListBox& list, int nIndex);

  // A window that binds keys takes the next key or pad button pressed as it is, whatever it is,
  // while it waits for one: a key by its DirectInput number (0 for a key the game does not read), a
  // button by its SDL game-controller number.
  virtual bool WaitsForAnyKey() const { return false; }
  virtual void TakeAnyKey(int /*nKey*/) {}
  virtual void TakeAnyPadButton(int /*nButton*/) {}

  Control* Focused() const { return focus_; }
  void SetFocus(Control& control);
  // Counts the moves of the focus, so the screen notices one even between two text boxes.
  unsigned FocusMoves() const { return focus_moves_; }
  // The controls in tab order.
  const std::vector<Control*>& Controls() const { return controls_; }

 protected:
  // Marks the window loaded, with no control focused yet. Each window's Load calls it and then
  // gives its controls their designed values again; its public variables keep theirs.
  void BeginLoad();
  void Add(Control& control);
  // Several controls, in any order (the tab order is theirs).
  void Add(std::initializer_list<Control*> controls) {
    for (Control* control : controls) Add(*control);
  }
  virtual void OnActivate() {}
  virtual void OnCloseBox() {}
  // Runs before a click on a control (or the choice of a list entry) takes effect.
  virtual void OnClickControl(Control& /*control*/) {}

 private:
  void MoveFocus(int nStep);
  CommandButton* FirstButton() const;
  CommandButton* CancelButton() const;
  bool PressListKey(ListBox& list, FormKey key);

  std::vector<Control*> controls_;
  Control* focus_ = nullptr;
  unsigned focus_moves_ = 0;
  bool loaded_ = false;
};
