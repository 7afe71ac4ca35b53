#pragma once
// How a form looks: its window and controls drawn with Dear ImGui, laid out from their twips at
// the scale of the game picture, in the colours of the title screen's panels (blue frames,
// white headings, yellow entries on a dark ground). Clicks and typing go to the form's logic.
#include <imgui.h>

#include <map>
#include <vector>

class Control;
class Form;
class CheckBox;
class CommandButton;
class Label;
class ListBox;
class TextBox;

// The dialog font's size in picture pixels: 8 points at 96 dots per inch, as the old windows had.
constexpr float FORM_FONT_PIXELS = 12.0f;

// Sets ImGui's style to the game's look at `fScale` screen pixels per picture pixel.
void ApplyFormStyle(float fScale);

class FormView {
 public:
  explicit FormView(Form& frm) : frm_(frm) {}

  // One frame of the window, centred on the 800 x 600 picture whose top-left corner is at
  // `origin` on the screen, scaled by `fScale`. Call between ImGui::NewFrame and ImGui::Render.
  void Draw(ImVec2 origin, float fScale);

  // The text box that has the focus takes typing (its caret is in it). Keys meant for it wait
  // until it does.
  bool TextBoxReady() const { return text_ready_; }
  // Whether the focus is in a text box at all.
  bool FocusInTextBox() const;

 private:
  struct Box {
    ImVec2 Min, Max;
  };
  Box BoxOf(const Control& control) const;
  float Px(int nTwips) const { return nTwips * scale_ / 15.0f; }
  bool Focused(const Control& control) const;

  void DrawControl(Control& control);
  void DrawLabel(Label& label);
  void DrawCheckBox(CheckBox& box);
  void DrawButton(CommandButton& button);
  void DrawTextBox(TextBox& box);
  void DrawListBox(ListBox& list);
  void DrawFocusRect(ImVec2 min, ImVec2 max) const;

  Form& frm_;
  float scale_ = 1;
  ImVec2 client_{0, 0};
  bool first_frame_ = true;
  unsigned focus_moves_seen_ = 0;
  bool text_ready_ = false;
  // What each text box shows while it is edited, as UTF-8.
  std::map<const TextBox*, std::vector<char>> text_buffers_;
};
