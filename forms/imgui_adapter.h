#pragma once
// Every use of Dear ImGui in the game, in one place: its context and its SDL backends, the
// windows' look (the title screen's blue frames, white headings and yellow entries, a desktop font
// made sharp for the size the picture is shown at), the player's input handed to it, and a form
// drawn with it over the game picture: its caption bar and close box, and each control laid out
// from its twips.
//
// The form keeps the keyboard focus: it decides what Tab, Space, Enter and Esc do. The toolkit
// only follows it, putting the caret into the text box that has the focus, and reports clicks and
// typing back to the form.
#include <memory>

class Display;
class Form;
union SDL_Event;

// The dialog font's size in picture pixels: 8 points at 96 dots per inch, as the old windows had.
constexpr float FORM_FONT_PIXELS = 12.0f;

class ImGuiAdapter {
 public:
  // The screen must be set up (Display::SetMode). Throws GameError when it is not.
  explicit ImGuiAdapter(Display& display);
  ~ImGuiAdapter();
  ImGuiAdapter(const ImGuiAdapter&) = delete;
  ImGuiAdapter& operator=(const ImGuiAdapter&) = delete;

  // Starts drawing `frm`, a window just opened: no key or button held, no text box being edited
  // (ImGui keeps the text of the box it edits, and would write the last window's text into the new
  // one).
  void Begin(Form& frm);
  // The window has closed: nothing of it is held any more, and the picture shows without it.
  void End();

  // An event for ImGui's own widgets: a key or a character for the text box, the wheel, the
  // window being resized.
  void TakeEvent(const SDL_Event& event);
  // The pointer, in the picture's pixels, and a button held (0 left, 1 right, 2 middle) or let go.
  void MovePointer(int x, int y);
  void SetButton(int nIndex, bool bDown);

  // One frame: the last picture with the window over it, centred and at the picture's scale.
  // Clicks on its controls reach the form while it is drawn.
  void Draw();

  // Whether the focus is in a text box at all, and whether that box takes typing (its caret is in
  // it). Keys meant for it wait until it does.
  bool FocusInTextBox() const;
  bool TextBoxReady() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
