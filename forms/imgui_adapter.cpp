#include "forms/imgui_adapter.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_freetype.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/error_log.h"
#include "base/failure.h"
#include "base/text_encoding.h"
#include "engines/display.h"
#include "engines/font.h"
#include "forms/form.h"

namespace {

// The title screen's colours: blue frames, white headings, yellow entries.
constexpr ImU32 kBlue = IM_COL32(0, 0, 255, 255);
constexpr ImU32 kWhite = IM_COL32(255, 255, 255, 255);
constexpr ImU32 kYellow = IM_COL32(255, 255, 0, 255);
constexpr ImU32 kGrey = IM_COL32(128, 128, 128, 255);
constexpr ImU32 kBlack = IM_COL32(0, 0, 0, 255);
constexpr ImU32 kButton = IM_COL32(0, 0, 136, 255);
constexpr ImU32 kButtonHovered = IM_COL32(0, 0, 200, 255);
constexpr ImU32 kBoxHovered = IM_COL32(0, 0, 72, 255);

ImVec4 Colour(int r, int g, int b, int a = 255) {
  return ImVec4(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
}

// What a text box may take: what the game's 8-bit texts can hold, within its length.
int TextBoxCallback(ImGuiInputTextCallbackData* data) {
  const auto* box = static_cast<const TextBox*>(data->UserData);
  if (data->EventFlag == ImGuiInputTextFlags_CallbackCharFilter) {
    const auto byte = Cp1252Byte(data->EventChar);
    return !byte || *byte < 32 || *byte == 127 ? 1 : 0;
  }
  if (data->EventFlag == ImGuiInputTextFlags_CallbackEdit && box->MaxLength > 0) {
    // A full box takes nothing more: what was just typed or pasted before the caret beyond the
    // limit is taken out again.
    size_t count = 0;
    for (size_t at = 0; at < static_cast<size_t>(data->BufTextLen);)
      if (NextUtf8(std::string_view(data->Buf, data->BufTextLen), at))
        ++count;
      else
        ++at;
    while (count > box->MaxLength && data->CursorPos > 0) {
      int start = data->CursorPos - 1;
      while (start > 0 && (static_cast<unsigned char>(data->Buf[start]) & 0xC0) == 0x80) --start;
      data->DeleteChars(start, data->CursorPos - start);
      --count;
    }
  }
  return 0;
}

// The tick of a ticked box: two strokes, as ImGui draws its own.
void DrawCheckMark(ImDrawList* draw, ImVec2 pos, ImU32 colour, float size) {
  const float thickness = std::max(size / 5.0f, 1.0f);
  size -= thickness * 0.5f;
  pos = ImVec2(pos.x + thickness * 0.25f, pos.y + thickness * 0.25f);
  const float third = size / 3.0f;
  const float bx = pos.x + third;
  const float by = pos.y + size - third * 0.5f;
  draw->PathLineTo(ImVec2(bx - third, by - third));
  draw->PathLineTo(ImVec2(bx, by));
  draw->PathLineTo(ImVec2(bx + third * 2.0f, by - third * 2.0f));
  // The tick is the one slanted line of the windows: it alone is smoothed.
  const ImDrawListFlags flags = draw->Flags;
  draw->Flags = (flags | ImDrawListFlags_AntiAliasedLines) & ~ImDrawListFlags_AntiAliasedLinesUseTex;
  draw->PathStroke(colour, 0, thickness);
  draw->Flags = flags;
}

// A frame `width` pixels wide inside the box from `min` to `max`.
void DrawEdges(ImDrawList* draw, ImVec2 min, ImVec2 max, ImU32 colour, float width) {
  draw->AddRectFilled(min, ImVec2(max.x, min.y + width), colour);
  draw->AddRectFilled(ImVec2(min.x, max.y - width), max, colour);
  draw->AddRectFilled(ImVec2(min.x, min.y + width), ImVec2(min.x + width, max.y - width), colour);
  draw->AddRectFilled(ImVec2(max.x - width, min.y + width), ImVec2(max.x, max.y - width), colour);
}

// Sets ImGui's style to the game's look at `fScale` screen pixels per picture pixel.
void ApplyFormStyle(float fScale) {
  ImGuiStyle style;
  style.WindowPadding = ImVec2(0, 0);
  style.FramePadding = ImVec2(4, 3);
  style.ItemSpacing = ImVec2(0, 0);
  style.ItemInnerSpacing = ImVec2(4, 4);
  style.ScrollbarSize = 16;
  style.GrabMinSize = 10;
  style.WindowTitleAlign = ImVec2(0, 0.5f);
  style.WindowRounding = style.ChildRounding = style.FrameRounding = style.PopupRounding =
      style.ScrollbarRounding = style.GrabRounding = style.TabRounding = 0;
  style.ScaleAllSizes(fScale);
  // The windows draw their edges themselves, as boxes of whole pixels (DrawEdges). The toolkit's
  // smoothed lines put a straight line's pixels wherever sampling its texture of smoothed lines
  // happens to round, which is not the same on every machine.
  style.WindowBorderSize = style.ChildBorderSize = style.FrameBorderSize = 0;
  style.PopupBorderSize = 0;
  style.AntiAliasedLines = false;
  style.AntiAliasedLinesUseTex = false;
  style.WindowMinSize = ImVec2(1, 1);

  ImVec4* c = style.Colors;
  c[ImGuiCol_Text] = Colour(255, 255, 255);
  c[ImGuiCol_TextDisabled] = Colour(128, 128, 128);
  c[ImGuiCol_WindowBg] = Colour(6, 6, 34);
  c[ImGuiCol_ChildBg] = Colour(0, 0, 0, 0);
  c[ImGuiCol_Border] = Colour(0, 0, 255);
  c[ImGuiCol_BorderShadow] = Colour(0, 0, 0, 0);
  c[ImGuiCol_FrameBg] = Colour(0, 0, 0);
  c[ImGuiCol_FrameBgHovered] = Colour(0, 0, 40);
  c[ImGuiCol_FrameBgActive] = Colour(0, 0, 0);
  c[ImGuiCol_TitleBg] = Colour(0, 0, 160);
  c[ImGuiCol_TitleBgActive] = Colour(0, 0, 200);
  c[ImGuiCol_TitleBgCollapsed] = Colour(0, 0, 160);
  c[ImGuiCol_ScrollbarBg] = Colour(0, 0, 24);
  c[ImGuiCol_ScrollbarGrab] = Colour(0, 0, 160);
  c[ImGuiCol_ScrollbarGrabHovered] = Colour(0, 0, 220);
  c[ImGuiCol_ScrollbarGrabActive] = Colour(0, 0, 255);
  c[ImGuiCol_CheckMark] = Colour(255, 255, 0);
  // The close box of the caption.
  c[ImGuiCol_Button] = Colour(0, 0, 0, 0);
  c[ImGuiCol_ButtonHovered] = Colour(60, 60, 255);
  c[ImGuiCol_ButtonActive] = Colour(120, 120, 255);
  // List entries: the chosen one blue, as the title screen's frames.
  c[ImGuiCol_Header] = Colour(0, 0, 255);
  c[ImGuiCol_HeaderHovered] = Colour(0, 0, 120);
  c[ImGuiCol_HeaderActive] = Colour(0, 0, 200);
  c[ImGuiCol_TextSelectedBg] = Colour(0, 0, 255, 200);
  c[ImGuiCol_NavHighlight] = Colour(255, 255, 255);
  ImGui::GetStyle() = style;
}

}  // namespace

// One opening of a form as ImGui draws it.
class FormView {
 public:
  // `ids` counts the text boxes' edits over every opening (see DrawTextBox).
  FormView(Form& frm, unsigned& ids) : frm_(frm), ids_(&ids) {}

  // One frame of the window, centred on the 800 x 600 picture whose top-left corner is at
  // `origin` on the screen, scaled by `fScale`. Call between ImGui::NewFrame and ImGui::Render.
  void Draw(ImVec2 origin, float fScale);

  bool TextBoxReady() const { return text_ready_; }
  bool FocusInTextBox() const;

 private:
  struct Box {
    ImVec2 Min, Max;
  };
  // A text box as it is edited: the id its widget has now, whether it had the focus and was
  // being edited in the last frame, and its text as UTF-8.
  struct TextState {
    unsigned id = 0;
    bool focused = false;
    bool editing = false;
    std::vector<char> buffer;
  };
  Box BoxOf(const Control& control) const;
  float Px(int nTwips) const { return nTwips * scale_ / 15.0f; }
  // One pixel of the picture on the screen, in whole screen pixels.
  float Unit() const { return std::max(1.0f, std::round(scale_)); }
  bool Focused(const Control& control) const;

  void DrawControl(Control& control);
  void DrawLabel(Label& label);
  void DrawCheckBox(CheckBox& box);
  void DrawButton(CommandButton& button);
  void DrawTextBox(TextBox& box);
  void DrawListBox(ListBox& list);
  void DrawFocusRect(ImVec2 min, ImVec2 max) const;

  Form& frm_;
  unsigned* ids_;
  float scale_ = 1;
  ImVec2 client_{0, 0};
  bool first_frame_ = true;
  unsigned focus_moves_seen_ = 0;
  bool text_ready_ = false;
  std::map<const TextBox*, TextState> text_;
};

bool FormView::Focused(const Control& control) const {
  return frm_.Focused() == &control;
}

bool FormView::FocusInTextBox() const {
  return frm_.Focused() != nullptr && frm_.Focused()->Kind == ControlKind::TextBox;
}

FormView::Box FormView::BoxOf(const Control& control) const {
  const ImVec2 min(std::round(client_.x + Px(control.Place.Left)),
                   std::round(client_.y + Px(control.Place.Top)));
  return {min, ImVec2(std::round(min.x + Px(control.Place.Width)),
                      std::round(min.y + Px(control.Place.Height)))};
}

void FormView::Draw(ImVec2 origin, float fScale) {
  scale_ = fScale;
  const float title = ImGui::GetFrameHeight();
  const float border = Unit();
  const ImVec2 size(std::round(Px(frm_.ClientWidth) + 2 * border),
                    std::round(Px(frm_.ClientHeight) + title + border));
  // Centred on the picture, as the windows were centred on the screen.
  const ImVec2 pos(std::floor(origin.x + (800 * fScale - size.x) / 2),
                   std::floor(origin.y + (600 * fScale - size.y) / 2));
  ImGui::SetNextWindowPos(pos);
  ImGui::SetNextWindowSize(size);
  if (first_frame_) ImGui::SetNextWindowFocus();

  bool open = true;
  const std::string caption = Cp1252ToUtf8(frm_.Caption) + "###" + frm_.Caption;
  ImGui::Begin(caption.c_str(), &open,
               ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoCollapse |
                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoScrollbar |
                   ImGuiWindowFlags_NoScrollWithMouse);
  // The window's edge, and the caption's lower edge.
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 end(pos.x + size.x, pos.y + size.y);
  draw->PushClipRect(pos, end);
  DrawEdges(draw, pos, end, kBlue, 2 * border);
  draw->AddRectFilled(ImVec2(pos.x + border, pos.y + title - border),
                      ImVec2(end.x - border, pos.y + title), kBlue);
  draw->PopClipRect();
  client_ = ImVec2(pos.x + border, pos.y + title);
  text_ready_ = false;
  for (Control* control : frm_.Controls()) DrawControl(*control);
  ImGui::End();
  if (!open) frm_.CloseBox();
  focus_moves_seen_ = frm_.FocusMoves();
  first_frame_ = false;
}

void FormView::DrawControl(Control& control) {
  ImGui::PushID(&control);
  switch (control.Kind) {
    case ControlKind::Label:
      DrawLabel(static_cast<Label&>(control));
      break;
    case ControlKind::CheckBox:
      DrawCheckBox(static_cast<CheckBox&>(control));
      break;
    case ControlKind::CommandButton:
      DrawButton(static_cast<CommandButton&>(control));
      break;
    case ControlKind::TextBox:
      DrawTextBox(static_cast<TextBox&>(control));
      break;
    case ControlKind::ListBox:
      DrawListBox(static_cast<ListBox&>(control));
      break;
  }
  ImGui::PopID();
}

// The dotted frame a desktop dialog draws around what has the keyboard focus.
void FormView::DrawFocusRect(ImVec2 min, ImVec2 max) const {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float dot = std::max(1.0f, std::round(scale_));
  for (float x = min.x; x < max.x; x += 2 * dot) {
    draw->AddRectFilled(ImVec2(x, min.y), ImVec2(std::min(x + dot, max.x), min.y + dot), kWhite);
    draw->AddRectFilled(ImVec2(x, max.y - dot), ImVec2(std::min(x + dot, max.x), max.y), kWhite);
  }
  for (float y = min.y; y < max.y; y += 2 * dot) {
    draw->AddRectFilled(ImVec2(min.x, y), ImVec2(min.x + dot, std::min(y + dot, max.y)), kWhite);
    draw->AddRectFilled(ImVec2(max.x - dot, y), ImVec2(max.x, std::min(y + dot, max.y)), kWhite);
  }
}

void FormView::DrawLabel(Label& label) {
  const Box box = BoxOf(label);
  const std::string text = Cp1252ToUtf8(label.Caption);
  ImGui::PushClipRect(box.Min, box.Max, true);
  ImGui::SetCursorScreenPos(box.Min);
  ImGui::PushTextWrapPos(box.Max.x - ImGui::GetWindowPos().x);
  ImGui::TextUnformatted(text.c_str());
  ImGui::PopTextWrapPos();
  ImGui::PopClipRect();
}

void FormView::DrawCheckBox(CheckBox& box) {
  const Box place = BoxOf(box);
  ImGui::SetCursorScreenPos(place.Min);
  ImGui::BeginDisabled(!box.Enabled);
  const bool clicked =
      ImGui::InvisibleButton("check", ImVec2(place.Max.x - place.Min.x, place.Max.y - place.Min.y));
  const bool hovered = ImGui::IsItemHovered();
  ImGui::EndDisabled();
  if (clicked) frm_.ClickControl(box);

  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float side = std::round(13 * scale_);
  const ImVec2 min(place.Min.x, std::round((place.Min.y + place.Max.y - side) / 2));
  const ImVec2 max(min.x + side, min.y + side);
  draw->AddRectFilled(min, max, hovered && box.Enabled ? kBoxHovered : kBlack);
  DrawEdges(draw, min, max, box.Enabled ? kBlue : kGrey, 2 * Unit());
  if (box.Value) {
    const float pad = std::round(2.5f * scale_);
    DrawCheckMark(draw, ImVec2(min.x + pad, min.y + pad), box.Enabled ? kYellow : kGrey,
                  side - 2 * pad);
  }

  const std::string caption = Cp1252ToUtf8(box.Caption);
  const ImVec2 textSize = ImGui::CalcTextSize(caption.c_str());
  const ImVec2 text(max.x + std::round(5 * scale_),
                    std::round((place.Min.y + place.Max.y - textSize.y) / 2));
  draw->AddText(text, box.Enabled ? kYellow : kGrey, caption.c_str());
  if (Focused(box)) {
    const float pad = std::round(1.5f * scale_);
    DrawFocusRect(ImVec2(text.x - pad, text.y - pad),
                  ImVec2(text.x + textSize.x + pad, text.y + textSize.y + pad));
  }
}

void FormView::DrawButton(CommandButton& button) {
  const Box place = BoxOf(button);
  ImGui::SetCursorScreenPos(place.Min);
  ImGui::BeginDisabled(!button.Enabled);
  const bool clicked = ImGui::InvisibleButton(
      "button", ImVec2(place.Max.x - place.Min.x, place.Max.y - place.Min.y));
  const bool hovered = ImGui::IsItemHovered();
  const bool held = ImGui::IsItemActive();
  ImGui::EndDisabled();
  if (clicked) frm_.ClickControl(button);

  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float line = Unit();
  const bool focused = Focused(button);
  draw->AddRectFilled(place.Min, place.Max,
                      held && hovered ? kBlue : (hovered ? kButtonHovered : kButton));
  DrawEdges(draw, place.Min, place.Max, focused ? kWhite : kBlue, 2 * line);
  const std::string caption = Cp1252ToUtf8(button.Caption);
  const ImVec2 textSize = ImGui::CalcTextSize(caption.c_str());
  const float sink = held && hovered ? line : 0;
  draw->AddText(ImVec2(std::round((place.Min.x + place.Max.x - textSize.x) / 2) + sink,
                       std::round((place.Min.y + place.Max.y - textSize.y) / 2) + sink),
                button.Enabled ? kWhite : kGrey, caption.c_str());
  if (focused) {
    const float inset = std::round(3 * scale_);
    DrawFocusRect(ImVec2(place.Min.x + inset, place.Min.y + inset),
                  ImVec2(place.Max.x - inset, place.Max.y - inset));
  }
}

// The text box that has the focus is edited by ImGui's text widget. Each time the focus comes to
// the box it is given a new id, so the widget starts from the box's text with no state of an
// earlier edit (of this opening or the last); and when the focus leaves, the id changes again, so
// the widget being edited is no longer drawn and ImGui lets it go.
void FormView::DrawTextBox(TextBox& box) {
  const Box place = BoxOf(box);
  const bool focused = Focused(box);
  TextState& state = text_[&box];
  if (focused != state.focused && !(focused && state.editing)) state.id = ++*ids_;
  state.focused = focused;
  // Room for every character as up to three bytes of UTF-8; a box without a limit takes a line.
  const size_t characters = box.MaxLength > 0 ? box.MaxLength : 255;
  state.buffer.resize(characters * 3 + 1);
  if (!state.editing) {
    // Between edits the box shows what the window's logic holds.
    const std::string text = Cp1252ToUtf8(box.Text());
    std::memset(state.buffer.data(), 0, state.buffer.size());
    std::memcpy(state.buffer.data(), text.data(), std::min(text.size(), state.buffer.size() - 1));
  }
  ImGui::PushID(static_cast<int>(state.id));
  // The caret goes where the focus is: at once when the focus has just moved here, and back
  // after a click beside the controls, but never while another control is being pressed.
  if (focused && !state.editing &&
      (first_frame_ || frm_.FocusMoves() != focus_moves_seen_ || !ImGui::IsAnyItemActive()))
    ImGui::SetKeyboardFocusHere();

  ImGui::SetCursorScreenPos(place.Min);
  const float height = place.Max.y - place.Min.y;
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding,
                      ImVec2(std::round(3 * scale_), (height - ImGui::GetFontSize()) / 2));
  ImGui::PushStyleColor(ImGuiCol_Text, Colour(255, 255, 0));
  ImGui::SetNextItemWidth(place.Max.x - place.Min.x);
  ImGui::BeginDisabled(!box.Enabled);
  if (ImGui::InputText("##text", state.buffer.data(), state.buffer.size(),
                       ImGuiInputTextFlags_CallbackCharFilter | ImGuiInputTextFlags_CallbackEdit,
                       TextBoxCallback, &box))
    box.SetText(Utf8ToCp1252(state.buffer.data()));
  state.editing = ImGui::IsItemActive();
  if (ImGui::IsItemActivated()) frm_.SetFocus(box);
  ImGui::EndDisabled();
  DrawEdges(ImGui::GetWindowDrawList(), place.Min, place.Max, focused ? kWhite : kBlue, 2 * Unit());
  ImGui::PopStyleColor();
  ImGui::PopStyleVar();
  ImGui::PopID();
  if (focused && state.editing) text_ready_ = true;
}

void FormView::DrawListBox(ListBox& list) {
  const Box place = BoxOf(list);
  const float row = std::round(Px(LIST_ROW_TWIPS));
  const bool focused = Focused(list);
  ImGui::SetCursorScreenPos(place.Min);
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(0, 0));
  ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(0, 0));
  if (ImGui::BeginListBox("##list", ImVec2(place.Max.x - place.Min.x, place.Max.y - place.Min.y))) {
    const float indent = std::round(3 * scale_);
    for (int i = 0; i < static_cast<int>(list.Items.size()); ++i) {
      const bool selected = i == list.ListIndex;
      const std::string text = Cp1252ToUtf8(list.Items[i].Text);
      ImGui::PushID(i);
      ImGui::PushStyleColor(ImGuiCol_Text, selected ? Colour(255, 255, 255) : Colour(255, 255, 0));
      const ImVec2 at = ImGui::GetCursorScreenPos();
      if (ImGui::Selectable("##entry", selected, 0, ImVec2(0, row))) frm_.ChooseListEntry(list, i);
      const ImVec2 min = ImGui::GetItemRectMin(), max = ImGui::GetItemRectMax();
      ImGui::GetWindowDrawList()->AddText(
          ImVec2(at.x + indent, std::round(at.y + (row - ImGui::GetFontSize()) / 2)),
          ImGui::GetColorU32(ImGuiCol_Text), text.c_str());
      // The focus sits on the chosen entry, or on the first while none is chosen.
      if (focused && i == std::max(0, list.ListIndex)) DrawFocusRect(min, max);
      ImGui::PopStyleColor();
      ImGui::PopID();
    }
    ImGui::EndListBox();
  }
  DrawEdges(ImGui::GetWindowDrawList(), place.Min, place.Max, focused ? kWhite : kBlue, 2 * Unit());
  ImGui::PopStyleVar(2);
}

// The face of the windows' text: a plain sans serif, as the old dialogs had.
namespace {
constexpr const char* kDialogFontFamily = "Liberation Sans";

// Every character Windows-1252 holds, so a name can be typed in any of them.
constexpr ImWchar kGlyphRanges[] = {
    0x0020, 0x00FF, 0x0152, 0x0153, 0x0160, 0x0161, 0x0178, 0x0178, 0x017D, 0x017E, 0x0192, 0x0192,
    0x02C6, 0x02C6, 0x02DC, 0x02DC, 0x2013, 0x2014, 0x2018, 0x201A, 0x201C, 0x201E, 0x2020, 0x2022,
    0x2026, 0x2026, 0x2030, 0x2030, 0x2039, 0x203A, 0x20AC, 0x20AC, 0x2122, 0x2122, 0,
};
}  // namespace

struct ImGuiAdapter::Impl {
  explicit Impl(Display& display) : display(display) {}
  void UseScale(float fScale);
  // No key, character or button held: what a window was given stays with it.
  void ForgetInput();

  Display& display;
  ImGuiContext* context = nullptr;
  std::string font_file;
  float scale = 0;
  SDL_Rect picture{0, 0, 800, 600};
  std::unique_ptr<FormView> view;
  unsigned text_ids = 0;
  // The pointer where the events put it, on the screen, and the buttons held.
  ImVec2 mouse{-FLT_MAX, -FLT_MAX};
  std::array<bool, 3> buttons{};
};

ImGuiAdapter::ImGuiAdapter(Display& display) : impl_(std::make_unique<Impl>(display)) {
  if (display.Window() == nullptr || display.Renderer() == nullptr)
    throw GameError(ERR_NOT_INITIALIZED, "The screen is not set up for windows.");
  IMGUI_CHECKVERSION();
  impl_->context = ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  // Nothing of the windows is kept in files.
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  io.Fonts->FontBuilderIO = ImGuiFreeType::GetBuilderForFreeType();
  io.Fonts->FontBuilderFlags = ImGuiFreeTypeBuilderFlags_LightHinting;
  impl_->font_file = Font::ResolveFile(kDialogFontFamily);
  ImGui_ImplSDL2_InitForSDLRenderer(display.Window());
  ImGui_ImplSDLRenderer_Init(display.Renderer());
}

ImGuiAdapter::~ImGuiAdapter() {
  ImGui::SetCurrentContext(impl_->context);
  ImGui_ImplSDLRenderer_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext(impl_->context);
}

void ImGuiAdapter::Begin(Form& frm) {
  ImGui::SetCurrentContext(impl_->context);
  impl_->view = std::make_unique<FormView>(frm, impl_->text_ids);
  impl_->ForgetInput();
  // Where the pointer is before it first moves over the window.
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  if (SDL_GetMouseFocus() == impl_->display.Window())
    impl_->mouse = ImVec2(static_cast<float>(x), static_cast<float>(y));
}

void ImGuiAdapter::End() {
  ImGui::SetCurrentContext(impl_->context);
  impl_->view.reset();
  impl_->ForgetInput();
  // The picture without the window, until the game draws its next one.
  impl_->display.PresentWithOverlay([](SDL_Renderer*, const SDL_Rect&) {});
  SDL_SetCursor(SDL_GetDefaultCursor());
}

void ImGuiAdapter::TakeEvent(const SDL_Event& event) {
  ImGui::SetCurrentContext(impl_->context);
  ImGui_ImplSDL2_ProcessEvent(&event);
}

// Events give the pointer in the picture's pixels; the windows live in the screen's.
void ImGuiAdapter::MovePointer(int x, int y) {
  const SDL_Rect& picture = impl_->picture;
  impl_->mouse =
      ImVec2(picture.x + (x + 0.5f) * impl_->scale, picture.y + (y + 0.5f) * impl_->scale);
}

void ImGuiAdapter::SetButton(int nIndex, bool bDown) {
  if (nIndex >= 0 && nIndex < static_cast<int>(impl_->buttons.size()))
    impl_->buttons[nIndex] = bDown;
}

bool ImGuiAdapter::FocusInTextBox() const {
  return impl_->view != nullptr && impl_->view->FocusInTextBox();
}

bool ImGuiAdapter::TextBoxReady() const {
  return impl_->view != nullptr && impl_->view->TextBoxReady();
}

void ImGuiAdapter::Impl::ForgetInput() {
  ImGuiIO& io = ImGui::GetIO();
  for (bool& key : io.KeysDown) key = false;
  io.KeyCtrl = io.KeyShift = io.KeyAlt = io.KeySuper = false;
  io.InputQueueCharacters.resize(0);
  buttons.fill(false);
}

// The font is made for the size the picture is shown at, so the text is sharp at any scale.
void ImGuiAdapter::Impl::UseScale(float fScale) {
  if (fScale == scale) return;
  scale = fScale;
  ImGuiIO& io = ImGui::GetIO();
  ImGui_ImplSDLRenderer_DestroyFontsTexture();
  io.Fonts->Clear();
  ImFontConfig config;
  config.OversampleH = config.OversampleV = 1;
  config.PixelSnapH = true;
  const float pixels = std::round(FORM_FONT_PIXELS * fScale);
  if (font_file.empty() ||
      io.Fonts->AddFontFromFileTTF(font_file.c_str(), pixels, &config, kGlyphRanges) == nullptr) {
    static bool logged = false;
    if (!logged)
      LogError(std::string("FormScreen - UseScale - No font file for ") + kDialogFontFamily);
    logged = true;
    config.SizePixels = pixels;
    io.Fonts->AddFontDefault(&config);
  }
  ApplyFormStyle(fScale);
}

void ImGuiAdapter::Draw() {
  if (impl_->view == nullptr) return;
  ImGui::SetCurrentContext(impl_->context);
  Impl& a = *impl_;
  a.display.PresentWithOverlay([&](SDL_Renderer* renderer, const SDL_Rect& shown) {
    a.picture = shown;
    a.UseScale(std::max(0.25f, a.picture.w / 800.0f));
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    // The windows live in the screen's own pixels; the pointer is what the events said.
    ImGuiIO& io = ImGui::GetIO();
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    io.DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
    io.DisplayFramebufferScale = ImVec2(1, 1);
    io.MousePos = a.mouse;
    for (size_t i = 0; i < a.buttons.size(); ++i) io.MouseDown[i] = a.buttons[i];
    ImGui::NewFrame();
    a.view->Draw(ImVec2(static_cast<float>(a.picture.x), static_cast<float>(a.picture.y)), a.scale);
    ImGui::Render();
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  });
}
