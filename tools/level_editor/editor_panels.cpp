// The editor window's parts, built with Dear ImGui each picture: the menus, the tool bar, the
// levels, the palette, the checks, the status bar, the File menu's modal windows and the marks
// drawn over the level.
#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/paths.h"
#include "base/text_encoding.h"
#include "data/cell_codes.h"
#include "tools/level_editor/editor_app.h"
#include "tools/level_editor/palette.h"

namespace level_editor {

namespace {

constexpr float kToolBarHeight = 38;
constexpr float kStatusHeight = 26;
constexpr float kRulerTop = 18;   // column numbers above the level
constexpr float kRulerLeft = 24;  // row numbers left of it
// Bombs leave the level through the sides below this height, and come back in from the top.
constexpr int kBombExitTop = 480, kBombExitBottom = 580;

constexpr ImU32 kCanvasBack = IM_COL32(24, 26, 30, 255);
constexpr ImU32 kChosen = IM_COL32(255, 220, 0, 255);
constexpr ImU32 kUnreachable = IM_COL32(255, 40, 40, 255);
constexpr ImU32 kRuleBreak = IM_COL32(255, 150, 0, 255);
constexpr ImU32 kStart = IM_COL32(80, 255, 120, 255);
constexpr ImU32 kBombs = IM_COL32(255, 110, 60, 255);

ImVec2 Vec(float x, float y) {
  return ImVec2(x, y);
}

const ImGuiWindowFlags kPanelFlags = ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                                     ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings |
                                     ImGuiWindowFlags_NoBringToFrontOnFocus;

void BeginPanel(const char* name, float x, float y, float w, float h, ImGuiWindowFlags extra = 0) {
  ImGui::SetNextWindowPos(Vec(x, y));
  ImGui::SetNextWindowSize(Vec(w, h));
  ImGui::Begin(name, nullptr, kPanelFlags | extra);
}

// A line of text in a dimmer colour.
void Hint(const char* text) {
  ImGui::PushStyleColor(ImGuiCol_Text, ImGui::GetStyleColorVec4(ImGuiCol_TextDisabled));
  ImGui::TextWrapped("%s", text);
  ImGui::PopStyleColor();
}

std::string LevelLabel(const LevelDocument& doc, int nLevel) {
  const std::string& name = doc.Names()[static_cast<size_t>(nLevel - 1)];
  return std::to_string(nLevel) + "  " + Cp1252ToUtf8(name);
}

// The stage a level belongs to in a set of nCount levels, as play counts it.
int StageOf(int nLevel, int nCount) {
  if (nLevel > 30) return 4;
  const int perStage = std::max(nCount / 5, 1);
  return std::min((nLevel - 1) / perStage + 1, 5);
}

// A number of a ruler; the pointer's column and row stand out over their neighbours.
void RulerLabel(ImDrawList* draw, ImVec2 at, const std::string& text, bool bHovered) {
  if (bHovered) {
    const ImVec2 size = ImGui::CalcTextSize(text.c_str());
    draw->AddRectFilled(Vec(at.x - 2, at.y), Vec(at.x + size.x + 2, at.y + size.y),
                        IM_COL32(30, 32, 38, 255));
  }
  draw->AddText(at, bHovered ? kChosen : IM_COL32(150, 155, 170, 255), text.c_str());
}

void CopyField(std::array<char, 1024>& field, const std::string& text) {
  std::snprintf(field.data(), field.size(), "%s", text.c_str());
}

}  // namespace

// The levels down the left; the level across the rest, as wide as it can be; under it the palette
// and the checks, in the height the level leaves.
void EditorApp::Layout() {
  SDL_GetWindowSize(display_.Window(), &window_width_, &window_height_);
  const float w = static_cast<float>(window_width_), h = static_cast<float>(window_height_);
  menu_height_ = ImGui::GetFrameHeight();
  tool_height_ = kToolBarHeight;
  status_height_ = kStatusHeight;
  const float top = menu_height_ + tool_height_;
  const float height = h - top - status_height_;
  const float left = std::clamp(std::round(w * 0.17f), 200.0f, 260.0f);
  const float canvasWidth = w - left - kRulerLeft;
  const float levelHeight = kRulerTop + (canvasWidth - 16) * LEVEL_HEIGHT / LEVEL_WIDTH + 16;
  const float dock = std::clamp(height - levelHeight, std::min(220.0f, height * 0.45f),
                                std::max(340.0f, height * 0.3f));
  levels_box_ = CanvasRect{0, top, left, height};
  const float paletteWidth = std::round(std::max((w - left) * 0.58f, std::min(w - left, 380.0f)));
  palette_box_ = CanvasRect{left, top + height - dock, paletteWidth, dock};
  checks_box_ = CanvasRect{left + paletteWidth, top + height - dock, w - left - paletteWidth, dock};
  const CanvasRect area{left + kRulerLeft, top + kRulerTop, canvasWidth,
                        height - dock - kRulerTop};
  const CanvasRect& now = session_.Canvas.Area();
  if (area.X != now.X || area.Y != now.Y || area.W != now.W || area.H != now.H)
    session_.Canvas.SetArea(area);
  if (!fitted_) {
    session_.Canvas.Fit();
    fitted_ = true;
  }
  play_area_ = CanvasRect{0, menu_height_, w, h - menu_height_ - status_height_};
}

void EditorApp::DrawWindow() {
  ImGui::SetCurrentContext(imgui_);
  RefreshLevelPicture();
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  Layout();
  DrawMenuBar();
  ImDrawList* back = ImGui::GetBackgroundDrawList();
  if (play_) {
    DrawPlayOverlay(back);
  } else {
    DrawToolBar();
    DrawLevelsPanel();
    DrawPalettePanel();
    DrawChecksPanel();
    DrawCanvasOverlays(back);
  }
  DrawStatusBar();
  DrawDialogs();
  popup_open_ = ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId | ImGuiPopupFlags_AnyPopupLevel);
  ImGui::Render();
  // What the panels changed this picture is drawn at once.
  RefreshLevelPicture();

  SDL_SetRenderDrawColor(renderer_, 16, 17, 20, 255);
  SDL_RenderClear(renderer_);
  if (play_) {
    const float scale = std::min(play_area_.W / 800, play_area_.H / 600);
    const float whole = std::floor(scale);
    const float s = whole >= 1 && whole >= 0.8f * scale ? whole : scale;
    const SDL_FRect dest{std::round(play_area_.X + (play_area_.W - 800 * s) / 2),
                         std::round(play_area_.Y + (play_area_.H - 600 * s) / 2), 800 * s,
                         600 * s};
    SDL_SetTextureScaleMode(play_texture_, s == whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_RenderCopyF(renderer_, play_texture_, nullptr, &dest);
  } else {
    const LevelCanvas& canvas = session_.Canvas;
    const CanvasRect& area = canvas.Area();
    const SDL_Rect clip{static_cast<int>(area.X), static_cast<int>(area.Y),
                        static_cast<int>(area.W), static_cast<int>(area.H)};
    SDL_SetRenderDrawColor(renderer_, 24, 26, 30, 255);
    SDL_RenderFillRect(renderer_, &clip);
    SDL_RenderSetClipRect(renderer_, &clip);
    const SDL_FRect dest{std::round(canvas.WindowX(0)), std::round(canvas.WindowY(0)),
                         std::round(LEVEL_WIDTH * canvas.Zoom()),
                         std::round(LEVEL_HEIGHT * canvas.Zoom())};
    SDL_SetTextureScaleMode(level_texture_,
                            canvas.Zoom() < 1 ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    SDL_RenderCopyF(renderer_, level_texture_, nullptr, &dest);
    SDL_RenderSetClipRect(renderer_, nullptr);
  }
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  SDL_RenderPresent(renderer_);
}

void EditorApp::OpenDialog(Dialog dialog) {
  dialog_ = dialog;
  dialog_opening_ = true;
  dialog_error_.clear();
  const auto& files = session_.Files();
  const std::string where =
      files ? PathText(files->IsPack() ? files->PackFolder : files->LevelFile) : std::string();
  CopyField(path_field_, dialog == Dialog::Import || dialog == Dialog::Export ? std::string()
                                                                               : where);
  names_field_[0] = 0;
}

void EditorApp::DrawMenuBar() {
  if (!ImGui::BeginMainMenuBar()) return;
  LevelDocument& doc = session_.Doc();
  const bool editing = !play_;
  if (ImGui::BeginMenu("File", editing)) {
    if (ImGui::MenuItem("New", "Ctrl+N")) Ask(Pending::New);
    if (ImGui::MenuItem("Open...", "Ctrl+O")) Ask(Pending::Open);
    if (ImGui::MenuItem("Save", "Ctrl+S")) SaveCommand();
    if (ImGui::MenuItem("Save As...", "Ctrl+Shift+S")) OpenDialog(Dialog::SaveAs);
    ImGui::Separator();
    if (ImGui::MenuItem("Import level sources...")) Ask(Pending::Import);
    if (ImGui::MenuItem("Export level sources...")) OpenDialog(Dialog::Export);
    ImGui::Separator();
    if (ImGui::MenuItem("Quit", "Ctrl+Q")) Ask(Pending::Quit);
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Edit", editing)) {
    const std::string undo = doc.CanUndo() ? "Undo " + doc.UndoLabel() : std::string("Undo");
    const std::string redo = doc.CanRedo() ? "Redo " + doc.RedoLabel() : std::string("Redo");
    if (ImGui::MenuItem(undo.c_str(), "Ctrl+Z", false, doc.CanUndo())) UndoCommand();
    if (ImGui::MenuItem(redo.c_str(), "Ctrl+Y", false, doc.CanRedo())) RedoCommand();
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("View", editing)) {
    LevelCanvas& canvas = session_.Canvas;
    if (ImGui::MenuItem("Zoom in", "+")) canvas.StepZoom(+1);
    if (ImGui::MenuItem("Zoom out", "-")) canvas.StepZoom(-1);
    if (ImGui::MenuItem("Whole level", "0")) canvas.Fit();
    if (ImGui::MenuItem("Actual size", "1"))
      canvas.ZoomAround(canvas.Area().X + canvas.Area().W / 2,
                        canvas.Area().Y + canvas.Area().H / 2, 1);
    ImGui::Separator();
    ImGui::MenuItem("Grid", "G", &show_grid_);
    ImGui::MenuItem("Display, start and bombs", "O", &show_overlays_);
    ImGui::MenuItem("Check marks", "C", &show_marks_);
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Tools", editing)) {
    for (Tool tool : AllTools()) {
      const ToolInfo& info = InfoOf(tool);
      if (ImGui::MenuItem(info.Name, info.Key, session_.Tools.Current() == tool))
        session_.Tools.Choose(tool);
    }
    ImGui::Separator();
    ImGui::MenuItem("Filled rectangles", "Shift+R", &session_.Tools.bFilled);
    if (ImGui::MenuItem("Previous code", "[")) 
      session_.Tools.SetCode(StepPaletteCode(session_.Tools.Code(), -1));
    if (ImGui::MenuItem("Next code", "]"))
      session_.Tools.SetCode(StepPaletteCode(session_.Tools.Code(), +1));
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Level", editing)) {
    if (ImGui::MenuItem("Previous level", "PgUp", false, session_.Level() > 1))
      session_.SelectLevel(session_.Level() - 1);
    if (ImGui::MenuItem("Next level", "PgDn", false, session_.Level() < LEVEL_SLOTS))
      session_.SelectLevel(session_.Level() + 1);
    ImGui::Separator();
    if (ImGui::MenuItem("Play from the start", "F6")) StartPlayTest(std::nullopt);
    if (ImGui::MenuItem("Play from a cell...", "F5")) session_.Tools.Choose(Tool::PlayTest);
    ImGui::Separator();
    if (ImGui::MenuItem("Clear level")) {
      if (doc.Clear(session_.Level()))
        session_.Message = "Level " + std::to_string(session_.Level()) +
                           " cleared; Ctrl+Z brings it back";
    }
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Help", editing)) {
    if (ImGui::MenuItem("Keys and mouse...")) OpenDialog(Dialog::Keys);
    ImGui::EndMenu();
  }
  if (play_) {
    ImGui::SameLine(0, 30);
    ImGui::TextColored(ImVec4(1, 0.86f, 0, 1), "Play-test");
  }
  ImGui::EndMainMenuBar();
}

void EditorApp::DrawToolBar() {
  BeginPanel("##tools", 0, menu_height_, static_cast<float>(window_width_), tool_height_,
             ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoScrollbar);
  ImGui::SetCursorPosY(6);
  EditTools& tools = session_.Tools;
  for (Tool tool : AllTools()) {
    const ToolInfo& info = InfoOf(tool);
    const bool chosen = tools.Current() == tool;
    if (chosen) ImGui::PushStyleColor(ImGuiCol_Button, ImGui::GetStyleColorVec4(ImGuiCol_Header));
    if (ImGui::Button(info.Name)) tools.Choose(tool);
    if (chosen) ImGui::PopStyleColor();
    if (ImGui::IsItemHovered())
      ImGui::SetTooltip("%s (%s): %s", info.Name, info.Key, info.Hint);
    ImGui::SameLine();
  }
  ImGui::Checkbox("Filled", &tools.bFilled);
  ImGui::SameLine(0, 24);
  LevelCanvas& canvas = session_.Canvas;
  if (ImGui::Button("-")) canvas.StepZoom(-1);
  ImGui::SameLine();
  ImGui::Text("%3d %%", static_cast<int>(std::lround(canvas.Zoom() * 100)));
  ImGui::SameLine();
  if (ImGui::Button("+")) canvas.StepZoom(+1);
  ImGui::SameLine();
  if (ImGui::Button("Fit")) canvas.Fit();
  ImGui::SameLine();
  ImGui::Checkbox("Grid", &show_grid_);
  ImGui::SameLine(0, 24);
  // The code painted, as the palette shows it.
  const ImVec2 at = ImGui::GetCursorScreenPos();
  const ImVec2 swatch(44, 26);
  ImGui::Dummy(swatch);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  draw->AddRectFilled(at, Vec(at.x + swatch.x, at.y + swatch.y), kCanvasBack);
  DrawCodeSwatch(draw, tools.PaintCode(), at, swatch);
  ImGui::SameLine();
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted(CodeCaption(tools.PaintCode()).c_str());
  ImGui::End();
}

void EditorApp::DrawLevelsPanel() {
  LevelDocument& doc = session_.Doc();
  const float height = levels_box_.H;
  BeginPanel("Levels", levels_box_.X, levels_box_.Y, levels_box_.W, height);
  const int count = doc.LevelCount();
  const float controls = 7 * ImGui::GetFrameHeightWithSpacing() + 30;
  ImGui::BeginChild("##list", Vec(0, std::max(height - controls - 40, 80.0f)), true);
  for (int level = 1; level <= LEVEL_SLOTS; ++level) {
    const bool played = level <= count;
    if (!played) ImGui::PushStyleColor(ImGuiCol_Text, ImGui::GetStyleColorVec4(ImGuiCol_TextDisabled));
    const std::string label = LevelLabel(doc, level) + "##" + std::to_string(level);
    if (ImGui::Selectable(label.c_str(), level == session_.Level())) session_.SelectLevel(level);
    // A level shown from elsewhere (the keys, an undo) is scrolled into the list's view.
    if (level == session_.Level() && listed_level_ != level) {
      ImGui::SetScrollHereY();
      listed_level_ = level;
    }
    if (!played) ImGui::PopStyleColor();
    if (ImGui::IsItemHovered()) {
      const std::string name = Cp1252ToUtf8(doc.Names()[static_cast<size_t>(level - 1)]);
      if (played)
        ImGui::SetTooltip("Level %d, stage %d: %s", level, StageOf(level, count), name.c_str());
      else
        ImGui::SetTooltip("Slot %d: past the level count, not played", level);
    }
    if (level == count && count < LEVEL_SLOTS) ImGui::Separator();
  }
  ImGui::EndChild();

  const int level = session_.Level();
  ImGui::Text("Level %d%s", level, level > count ? " (not played)" : "");
  // The name field follows the level shown, and what undo and redo do to the name.
  if (name_field_level_ != level || name_field_revision_ != doc.Revision()) {
    std::snprintf(name_field_.data(), name_field_.size(), "%s",
                  Cp1252ToUtf8(doc.Names()[static_cast<size_t>(level - 1)]).c_str());
    name_field_level_ = level;
    name_field_revision_ = doc.Revision();
  }
  ImGui::SetNextItemWidth(-1);
  const bool entered = ImGui::InputTextWithHint("##name", "name", name_field_.data(),
                                                name_field_.size(),
                                                ImGuiInputTextFlags_EnterReturnsTrue);
  if (entered || ImGui::IsItemDeactivatedAfterEdit()) {
    if (doc.Rename(level, Utf8ToCp1252(name_field_.data())))
      session_.Message = "Level " + std::to_string(level) + " renamed";
    name_field_revision_ = ~0ull;  // shows the name as the document keeps it (cut to length)
  }
  if (ImGui::IsItemHovered()) ImGui::SetTooltip("The level's name: Enter renames it");

  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted("Other slot");
  ImGui::SameLine();
  ImGui::SetNextItemWidth(-1);
  other_slot_ = std::clamp(other_slot_, 1, LEVEL_SLOTS);
  if (ImGui::BeginCombo("##other", LevelLabel(doc, other_slot_).c_str())) {
    for (int slot = 1; slot <= LEVEL_SLOTS; ++slot)
      if (ImGui::Selectable(LevelLabel(doc, slot).c_str(), slot == other_slot_)) other_slot_ = slot;
    ImGui::EndCombo();
  }
  const float half = (ImGui::GetContentRegionAvail().x - ImGui::GetStyle().ItemSpacing.x) / 2;
  if (ImGui::Button("Copy over it", Vec(half, 0)) && doc.Duplicate(level, other_slot_))
    session_.Message = "Level " + std::to_string(level) + " copied over slot " +
                       std::to_string(other_slot_);
  if (ImGui::IsItemHovered())
    ImGui::SetTooltip("Copies this level's cells and name over the other slot");
  ImGui::SameLine();
  if (ImGui::Button("Swap", Vec(half, 0)) && doc.Swap(level, other_slot_)) {
    session_.Message = "Levels " + std::to_string(level) + " and " + std::to_string(other_slot_) +
                       " swapped";
    session_.SelectLevel(other_slot_);
  }
  if (ImGui::IsItemHovered()) ImGui::SetTooltip("Swaps this level with the other slot");
  if (ImGui::Button("Clear level", Vec(-1, 0)) && doc.Clear(level))
    session_.Message = "Level " + std::to_string(level) + " cleared; Ctrl+Z brings it back";

  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted("Levels played");
  ImGui::SameLine();
  ImGui::SetNextItemWidth(-1);
  count_field_ = count;
  if (ImGui::InputInt("##count", &count_field_, 1, 5)) {
    count_field_ = std::clamp(count_field_, LEVEL_COUNT_MIN, LEVEL_COUNT_MAX);
    if (doc.SetLevelCount(count_field_))
      session_.Message = "The set now plays " + std::to_string(count_field_) + " levels";
  }
  ImGui::End();
}

// A code as the palette shows it in the box at `at`: the game's picture of it, a crossed empty
// cell for the eraser, or the number of a code play ignores.
void EditorApp::DrawCodeSwatch(ImDrawList* draw, uint8_t nCode, ImVec2 at, ImVec2 size) {
  const PaletteEntry* entry = FindPaletteEntry(nCode);
  const ImVec2 end(at.x + size.x, at.y + size.y);
  if (entry != nullptr && entry->Picture) {
    const float pw = static_cast<float>(entry->Source.Right - entry->Source.Left);
    const float ph = static_cast<float>(entry->Source.Bottom - entry->Source.Top);
    const float s = std::min({(size.x - 6) / pw, (size.y - 6) / ph, 1.0f});
    DrawPicture(draw, *entry->Picture, entry->Source, std::round(at.x + (size.x - pw * s) / 2),
                std::round(at.y + (size.y - ph * s) / 2), pw * s, ph * s);
  } else if (nCode == NOTHING) {
    const float inset = std::min(8.0f, size.y / 4);
    const ImVec2 a(at.x + inset, at.y + inset), b(end.x - inset, end.y - inset);
    draw->AddRect(a, b, IM_COL32(200, 80, 80, 255), 0, 0, 1.5f);
    draw->AddLine(a, b, IM_COL32(200, 80, 80, 255), 1.5f);
  } else {
    const std::string text = std::to_string(nCode);
    const ImVec2 t = ImGui::CalcTextSize(text.c_str());
    draw->AddText(Vec(at.x + (size.x - t.x) / 2, at.y + (size.y - t.y) / 2),
                  IM_COL32(170, 170, 170, 255), text.c_str());
  }
}

// One entry of the palette: its picture as the game draws it, framed when it is the code chosen.
bool EditorApp::PaletteButton(uint8_t nCode, float w, float h) {
  ImGui::PushID(nCode);
  const ImVec2 at = ImGui::GetCursorScreenPos();
  const bool clicked = ImGui::InvisibleButton("##code", Vec(w, h));
  const bool hovered = ImGui::IsItemHovered();
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 end(at.x + w, at.y + h);
  draw->AddRectFilled(at, end, hovered ? IM_COL32(45, 60, 95, 255) : IM_COL32(34, 37, 44, 255));
  DrawCodeSwatch(draw, nCode, at, Vec(w, h));
  if (session_.Tools.Code() == nCode)
    draw->AddRect(Vec(at.x + 1, at.y + 1), Vec(end.x - 1, end.y - 1), kChosen, 0, 0, 2.5f);
  if (hovered) ImGui::SetTooltip("%s", CodeCaption(nCode).c_str());
  ImGui::PopID();
  return clicked;
}

// The platforms in one flow, then the power-ups, the gems and the eraser in another, each entry
// at the size the game draws it; then a field for any code at all.
void EditorApp::DrawPalettePanel() {
  BeginPanel("Palette", palette_box_.X, palette_box_.Y, palette_box_.W, palette_box_.H);
  EditTools& tools = session_.Tools;
  const float gap = ImGui::GetStyle().ItemSpacing.x;
  const auto flow = [&](std::initializer_list<PaletteGroup> groups, float w, float h) {
    const float avail = ImGui::GetContentRegionAvail().x;
    const int columns = std::max(1, static_cast<int>((avail + gap) / (w + gap)));
    int at = 0;
    for (const PaletteEntry& entry : PaletteEntries()) {
      if (std::find(groups.begin(), groups.end(), entry.Group) == groups.end()) continue;
      if (at % columns != 0) ImGui::SameLine();
      if (PaletteButton(entry.Code, w, h)) {
        tools.SetCode(entry.Code);
        if (tools.Current() == Tool::Eraser || tools.Current() == Tool::Picker ||
            tools.Current() == Tool::PlayTest)
          tools.Choose(Tool::Pencil);
      }
      ++at;
    }
  };
  flow({PaletteGroup::Platforms}, 58, 28);
  ImGui::Spacing();
  flow({PaletteGroup::PowerUps, PaletteGroup::Others}, 46, 41);
  ImGui::Spacing();
  // Any code at all, named or not.
  int code = tools.Code();
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted("Code");
  ImGui::SameLine();
  ImGui::SetNextItemWidth(110);
  if (ImGui::InputInt("##code", &code, 1, 10))
    tools.SetCode(static_cast<uint8_t>(std::clamp(code, 0, 255)));
  ImGui::SameLine();
  ImGui::TextUnformatted(CodeCaption(tools.Code()).c_str());
  ImGui::End();
}

void EditorApp::DrawChecksPanel() {
  BeginPanel("Checks", checks_box_.X, checks_box_.Y, checks_box_.W, checks_box_.H);
  const LevelCheck* check = ShownCheck();
  const bool sameVersion = check != nullptr && check->Revision == session_.Doc().Revision();
  const ImVec4 busy(1, 0.86f, 0.3f, 1);
  if (check == nullptr) {
    ImGui::TextColored(busy, "checking...");
    ImGui::End();
    return;
  }
  if (!sameVersion) {
    ImGui::TextColored(busy, "checking...");
    ImGui::SameLine();
    Hint("(the marks are of an earlier version)");
  }
  if (check->GemsTotal == 0)
    ImGui::TextUnformatted("No gem in the level");
  else if (!check->Complete)
    ImGui::TextColored(busy, "%d gems: checking which the hero can reach...", check->GemsTotal);
  else
    ImGui::Text("Gems the hero can reach: %d of %d", check->GemsReached, check->GemsTotal);
  if (check->SurvivesAll)
    ImGui::TextWrapped("A hero standing at the start outlasts the bombs for the %.0f s tried",
                       SURVIVE_SECONDS_MAX);
  else if (check->SurviveSeconds >= 0 && check->FirstHitSeconds >= 0)
    ImGui::TextWrapped("A hero standing at the start survives %.1f s (first hit after %.1f s)",
                       check->SurviveSeconds, check->FirstHitSeconds);
  else if (check->SurviveSeconds >= 0)
    ImGui::TextWrapped("A hero standing at the start survives %.1f s", check->SurviveSeconds);
  else
    Hint("Bomb pressure: not yet known");
  ImGui::Separator();
  if (check->Complete && check->Unreachable.empty() && check->Breaks.empty()) {
    ImGui::TextColored(ImVec4(0.45f, 0.9f, 0.5f, 1), "Nothing to mend");
  }
  ImGui::BeginChild("##found");
  int id = 0;
  const auto goTo = [&](CellPos at) {
    if (!LevelCanvas::InLevel(at)) return;
    session_.Canvas.CenterOn(at);
    flash_cell_ = at;
    flash_until_ = SDL_GetTicks() + 1500;
  };
  for (const ItemMark& item : check->Unreachable) {
    ImGui::PushID(id++);
    const PaletteEntry* entry = FindPaletteEntry(item.Code);
    const std::string text = std::string(item.Gem ? "Unreachable gem" : "Unreachable ") +
                             (item.Gem || entry == nullptr ? "" : entry->Label) + " at column " +
                             std::to_string(item.At.Col) + ", row " + std::to_string(item.At.Row);
    ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(1, 0.45f, 0.45f, 1));
    if (ImGui::Selectable(text.c_str())) goTo(item.At);
    ImGui::PopStyleColor();
    ImGui::PopID();
  }
  for (const RuleBreak& rule : check->Breaks) {
    ImGui::PushID(id++);
    ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(1, 0.7f, 0.3f, 1));
    ImGui::PushTextWrapPos(ImGui::GetContentRegionAvail().x);
    if (ImGui::Selectable(rule.Message.c_str())) goTo(rule.At);
    ImGui::PopTextWrapPos();
    ImGui::PopStyleColor();
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", rule.Message.c_str());
    ImGui::PopID();
  }
  ImGui::EndChild();
  ImGui::End();
}

void EditorApp::DrawStatusBar() {
  const float y = static_cast<float>(window_height_) - status_height_;
  BeginPanel("##status", 0, y, static_cast<float>(window_width_), status_height_,
             ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoScrollbar);
  ImGui::SetCursorPosY(4);
  if (play_) {
    const PlayState& play = play_->Play();
    const std::optional<CellPos> from = play_->From();
    const std::string where = from ? "from column " + std::to_string(from->Col) + ", row " +
                                         std::to_string(from->Row)
                                   : std::string("from the start");
    ImGui::Text("Level %d %s   %.1f s   health %d   gems %d of %d", play_->Level(), where.c_str(),
                play_->Frames() * 0.03, play.CharHealth, play.GemsCollected, play.GemCount);
    ImGui::SameLine(0, 30);
    Hint("Esc: back to editing    F5: again from the same cell");
  } else {
    if (const std::optional<CellPos> cell = session_.Hover()) {
      const uint8_t code = session_.Doc().Levels().Cell(session_.Level(), cell->Col, cell->Row);
      ImGui::Text("Column %2d, row %2d: %s", cell->Col, cell->Row, CodeCaption(code).c_str());
    } else {
      ImGui::TextDisabled("%s", InfoOf(session_.Tools.Current()).Hint);
    }
    ImGui::SameLine(std::max(ImGui::GetCursorPosX() + 30, static_cast<float>(window_width_) * 0.45f));
    ImGui::TextUnformatted(session_.Message.c_str());
  }
  ImGui::End();
}

// The modal window of dialog_, in the middle of the window; false once it has closed.
bool EditorApp::BeginDialog(const char* title) {
  if (dialog_opening_) {
    ImGui::OpenPopup(title);
    dialog_opening_ = false;
  }
  ImGui::SetNextWindowPos(Vec(window_width_ / 2.0f, window_height_ / 2.0f), ImGuiCond_Appearing,
                          Vec(0.5f, 0.5f));
  if (ImGui::BeginPopupModal(title, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return true;
  dialog_ = Dialog::None;
  return false;
}

void EditorApp::DrawDialogs() {
  if (dialog_ == Dialog::None) return;
  if (dialog_ == Dialog::Unsaved) {
    DrawUnsavedDialog();
    return;
  }
  const char* titles[] = {"", "Open a level set", "Save the level set as",
                          "Import level sources", "Export level sources", "", "Keys and mouse"};
  if (!BeginDialog(titles[static_cast<int>(dialog_)])) return;
  bool done = false;
  if (dialog_ == Dialog::Keys) {
    static const char* const kKeys[][2] = {
        {"Left button", "paint with the tool chosen (drag: a stroke, one undo step)"},
        {"Right button, Alt+left", "take the code of the cell (picker)"},
        {"Middle button, Space+left", "drag the view"},
        {"Wheel / Shift+wheel", "zoom around the pointer / scroll sideways"},
        {"P L R Shift+R F E I", "pencil, line, rectangle, filled rectangle, fill, eraser, picker"},
        {"F5 / F6", "play from a cell (click it) / play from the level's start"},
        {"[  ]  Shift+[  Shift+]", "previous / next code, previous / next group"},
        {"+  -  0  1", "zoom in, out, whole level, actual size"},
        {"Arrows (Shift: faster)", "scroll the view"},
        {"PgUp / PgDn", "previous / next level"},
        {"G  O  C", "grid, display/start/bomb marks, check marks"},
        {"Ctrl+Z, Ctrl+Y / Ctrl+Shift+Z", "undo, redo"},
        {"Ctrl+N  Ctrl+O  Ctrl+S  Ctrl+Shift+S", "new, open, save, save as"},
        {"Esc", "drop a line or rectangle being dragged; end a play-test"},
        {"In a play-test", "arrows run, Up or Space jumps, Down drops, Ctrl fires, Shift "
                           "changes balls, Enter plays again after the end"},
    };
    if (ImGui::BeginTable("##keys", 2, ImGuiTableFlags_RowBg | ImGuiTableFlags_BordersInnerV)) {
      for (const auto& row : kKeys) {
        ImGui::TableNextRow();
        ImGui::TableNextColumn();
        ImGui::TextUnformatted(row[0]);
        ImGui::TableNextColumn();
        ImGui::TextUnformatted(row[1]);
      }
      ImGui::EndTable();
    }
    done = ImGui::Button("Close", Vec(120, 0)) || ImGui::IsKeyPressed(SDL_SCANCODE_ESCAPE);
  } else {
    const bool open = dialog_ == Dialog::Open;
    const bool folderOnly = dialog_ == Dialog::Import || dialog_ == Dialog::Export;
    if (open)
      ImGui::TextUnformatted("A level file (its names file beside it), or a level pack folder:");
    else if (dialog_ == Dialog::SaveAs)
      ImGui::TextUnformatted(
          "A path ending in .dat saves a level file with its names file beside it;\n"
          "any other path saves a level pack folder (Levels.dat + LevelNames_zt.txt).");
    else
      ImGui::TextUnformatted("A folder of level text sources (set.txt, level01.txt ... level31.txt):");
    if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
    ImGui::SetNextItemWidth(560);
    bool go = ImGui::InputText("##path", path_field_.data(), path_field_.size(),
                               ImGuiInputTextFlags_EnterReturnsTrue);
    if (open) {
      ImGui::TextUnformatted("Names file (empty: the one beside the level file):");
      ImGui::SetNextItemWidth(560);
      go |= ImGui::InputText("##names", names_field_.data(), names_field_.size(),
                             ImGuiInputTextFlags_EnterReturnsTrue);
    }
    if (!dialog_error_.empty())
      ImGui::TextColored(ImVec4(1, 0.4f, 0.4f, 1), "%s", dialog_error_.c_str());
    const char* verb = open                        ? "Open"
                       : dialog_ == Dialog::SaveAs ? "Save"
                       : folderOnly && dialog_ == Dialog::Import ? "Import"
                                                                 : "Export";
    go |= ImGui::Button(verb, Vec(120, 0));
    ImGui::SameLine();
    const bool cancel = ImGui::Button("Cancel", Vec(120, 0)) ||
                        ImGui::IsKeyPressed(SDL_SCANCODE_ESCAPE);
    const std::filesystem::path path = PathFromText(path_field_.data());
    if (go && path.empty()) {
      dialog_error_ = "Type a path first";
    } else if (go) {
      std::string error;
      if (open)
        error = session_.Open(names_field_[0] != 0
                                  ? LevelFilesAt(path, PathFromText(names_field_.data()))
                                  : LevelFilesAt(path));
      else if (dialog_ == Dialog::SaveAs)
        error = session_.SaveAs(LevelFilesAt(path));
      else if (dialog_ == Dialog::Import)
        error = session_.Import(path);
      else
        error = session_.Export(path);
      dialog_error_ = error;
      if (error.empty()) {
        done = true;
        UpdateTitle();
        if (open || dialog_ == Dialog::Import) fitted_ = false;
      }
    }
    done |= cancel;
    if (done && dialog_ == Dialog::SaveAs && dialog_error_.empty() && !cancel &&
        pending_ != Pending::None) {
      // Saved on the way to quitting, or to another set.
      ImGui::CloseCurrentPopup();
      ImGui::EndPopup();
      Proceed(pending_);
      return;
    }
    if (cancel) pending_ = Pending::None;
  }
  if (done) {
    ImGui::CloseCurrentPopup();
    dialog_ = Dialog::None;
  }
  ImGui::EndPopup();
}

void EditorApp::DrawUnsavedDialog() {
  if (!BeginDialog("Unsaved changes")) return;
  const auto& files = session_.Files();
  ImGui::Text("Save the changes to %s first?",
              files ? files->Title().c_str() : "the new level set");
  if (!session_.Message.empty() && session_.Message.starts_with("Not saved"))
    ImGui::TextColored(ImVec4(1, 0.4f, 0.4f, 1), "%s", session_.Message.c_str());
  const Pending pending = pending_;
  if (ImGui::Button("Save", Vec(120, 0)) || ImGui::IsKeyPressed(SDL_SCANCODE_RETURN)) {
    ImGui::CloseCurrentPopup();
    if (!files) {
      OpenDialog(Dialog::SaveAs);  // the question is answered there
    } else if (session_.Save().empty()) {
      dialog_ = Dialog::None;
      Proceed(pending);
    } else {
      OpenDialog(Dialog::Unsaved);
    }
    UpdateTitle();
  }
  ImGui::SameLine();
  if (ImGui::Button("Don't save (N)", Vec(120, 0)) || ImGui::IsKeyPressed(SDL_SCANCODE_N)) {
    ImGui::CloseCurrentPopup();
    dialog_ = Dialog::None;
    Proceed(pending);
  }
  ImGui::SameLine();
  if (ImGui::Button("Cancel", Vec(120, 0)) || ImGui::IsKeyPressed(SDL_SCANCODE_ESCAPE)) {
    ImGui::CloseCurrentPopup();
    dialog_ = Dialog::None;
    pending_ = Pending::None;
  }
  ImGui::EndPopup();
}

void EditorApp::DrawPicture(ImDrawList* draw, PictureId picture, const Rect& source, float x,
                            float y, float w, float h, float alpha) {
  SDL_Texture* texture = pictures_[static_cast<size_t>(picture)];
  if (texture == nullptr) return;
  int tw = 1, th = 1;
  SDL_QueryTexture(texture, nullptr, nullptr, &tw, &th);
  const ImVec2 uv0(static_cast<float>(source.Left) / tw, static_cast<float>(source.Top) / th);
  const ImVec2 uv1(static_cast<float>(source.Right) / tw, static_cast<float>(source.Bottom) / th);
  draw->AddImage(texture, Vec(x, y), Vec(x + w, y + h), uv0, uv1,
                 IM_COL32(255, 255, 255, static_cast<int>(alpha * 255)));
}

void EditorApp::DrawCodeGhost(ImDrawList* draw, uint8_t nCode, CellPos cell, float alpha) {
  const LevelCanvas& canvas = session_.Canvas;
  const float z = canvas.Zoom();
  const CanvasRect r = canvas.CellRect(cell);
  const PaletteEntry* entry = FindPaletteEntry(nCode);
  if (entry != nullptr && entry->Picture && entry->Group == PaletteGroup::Platforms) {
    DrawPicture(draw, *entry->Picture, entry->Source, r.X, r.Y, r.W, r.H, alpha);
  } else if (entry != nullptr && entry->Picture) {
    // Items stand 17 pixels up into the row above, as the game draws them.
    DrawPicture(draw, *entry->Picture, entry->Source, r.X + 5 * z, r.Y - 17 * z, 40 * z, 35 * z,
                alpha);
  } else {
    const ImU32 colour = nCode == NOTHING ? IM_COL32(255, 90, 90, 200) : IM_COL32(200, 200, 255, 200);
    draw->AddRectFilled(Vec(r.X, r.Y), Vec(r.X + r.W, r.Y + r.H),
                        nCode == NOTHING ? IM_COL32(0, 0, 0, 110) : IM_COL32(60, 60, 120, 140));
    draw->AddLine(Vec(r.X + 2, r.Y + 2), Vec(r.X + r.W - 2, r.Y + r.H - 2), colour, 1.5f);
    draw->AddLine(Vec(r.X + r.W - 2, r.Y + 2), Vec(r.X + 2, r.Y + r.H - 2), colour, 1.5f);
  }
}

void EditorApp::DrawCanvasOverlays(ImDrawList* draw) {
  const LevelCanvas& canvas = session_.Canvas;
  const CanvasRect& area = canvas.Area();
  const float z = canvas.Zoom();
  const float x0 = canvas.WindowX(0), y0 = canvas.WindowY(0);
  const float x1 = canvas.WindowX(LEVEL_WIDTH), y1 = canvas.WindowY(LEVEL_HEIGHT);

  // The rulers: column numbers above the level, row numbers left of it.
  const ImVec2 rulerMin(area.X - kRulerLeft, area.Y - kRulerTop);
  draw->AddRectFilled(rulerMin, Vec(area.X + area.W, area.Y), IM_COL32(30, 32, 38, 255));
  draw->AddRectFilled(rulerMin, Vec(area.X, area.Y + area.H), IM_COL32(30, 32, 38, 255));
  const std::optional<CellPos> hover = session_.Hover();
  const int columnStep = CELL_WIDTH * z >= 22 ? 1 : CELL_WIDTH * z >= 9 ? 5 : 10;
  const int rowStep = CELL_HEIGHT * z >= 15 ? 1 : CELL_HEIGHT * z >= 6 ? 5 : 10;
  const auto columnLabel = [&](int c, bool bHovered) {
    const std::string text = std::to_string(c);
    const float w = ImGui::CalcTextSize(text.c_str()).x;
    RulerLabel(draw, Vec(std::round(canvas.WindowX((c + 0.5f) * CELL_WIDTH) - w / 2),
                         area.Y - kRulerTop + 1), text, bHovered);
  };
  const auto rowLabel = [&](int r, bool bHovered) {
    const std::string text = std::to_string(r);
    const ImVec2 size = ImGui::CalcTextSize(text.c_str());
    RulerLabel(draw, Vec(area.X - size.x - 4,
                         std::round(canvas.WindowY((r + 0.5f) * CELL_HEIGHT) - size.y / 2)),
               text, bHovered);
  };
  // The pointer's column and row last, over their neighbours.
  draw->PushClipRect(Vec(area.X, area.Y - kRulerTop), Vec(area.X + area.W, area.Y), true);
  for (int c = 0; c < LEVEL_COLUMNS; c += columnStep) columnLabel(c, false);
  if (hover) columnLabel(hover->Col, true);
  draw->PopClipRect();
  draw->PushClipRect(Vec(area.X - kRulerLeft, area.Y), Vec(area.X, area.Y + area.H), true);
  for (int r = 0; r < LEVEL_ROWS; r += rowStep) rowLabel(r, false);
  if (hover) rowLabel(hover->Row, true);
  draw->PopClipRect();

  draw->PushClipRect(Vec(area.X, area.Y), Vec(area.X + area.W, area.Y + area.H), true);
  const auto lx = [&](float x) { return canvas.WindowX(x); };
  const auto ly = [&](float y) { return canvas.WindowY(y); };

  // The grid, every fifth line stronger.
  if (show_grid_ && CELL_HEIGHT * z >= 5) {
    for (int c = 0; c <= LEVEL_COLUMNS; ++c) {
      const float x = std::round(lx(static_cast<float>(c * CELL_WIDTH))) + 0.5f;
      draw->AddLine(Vec(x, y0), Vec(x, y1),
                    c % 5 == 0 ? IM_COL32(255, 255, 255, 70) : IM_COL32(255, 255, 255, 32));
    }
    for (int r = 0; r <= LEVEL_ROWS; ++r) {
      const float y = std::round(ly(static_cast<float>(r * CELL_HEIGHT))) + 0.5f;
      draw->AddLine(Vec(x0, y), Vec(x1, y),
                    r % 5 == 0 ? IM_COL32(255, 255, 255, 70) : IM_COL32(255, 255, 255, 32));
    }
  }

  if (show_overlays_) {
    // Cells the game draws nothing for though they are not empty: codes without a name and the
    // inert GEM_VALUABLE, shown by their number.
    const LevelSet& levels = session_.Doc().Levels();
    for (int c = 0; c < LEVEL_COLUMNS; ++c)
      for (int r = 0; r < LEVEL_ROWS; ++r) {
        const uint8_t code = levels.Cell(session_.Level(), c, r);
        if (IsPlatformCode(code) || IsPowerUpCode(code) || IsGemCode(code) || code == NOTHING)
          continue;
        const CanvasRect cell = canvas.CellRect(CellPos{c, r});
        draw->AddRectFilled(Vec(cell.X + 1, cell.Y + 1), Vec(cell.X + cell.W - 1, cell.Y + cell.H - 1),
                            IM_COL32(60, 40, 90, 200));
        if (cell.H >= 12) {
          const std::string text = std::to_string(code);
          const ImVec2 size = ImGui::CalcTextSize(text.c_str());
          draw->AddText(Vec(cell.X + (cell.W - size.x) / 2, cell.Y + (cell.H - size.y) / 2),
                        IM_COL32(220, 200, 255, 255), text.c_str());
        }
      }
    // The heads-up display covers the top of the screen wherever the view is.
    const float hudBottom = ly(static_cast<float>(DISPLAY_ROWS * CELL_HEIGHT));
    draw->AddRectFilled(Vec(x0, y0), Vec(x1, hudBottom), IM_COL32(40, 120, 255, 45));
    draw->AddLine(Vec(x0, hudBottom), Vec(x1, hudBottom), IM_COL32(90, 160, 255, 160), 1.5f);
    if (z >= 0.3f)
      draw->AddText(Vec(x0 + 6, hudBottom - ImGui::GetFontSize() - 2),
                    IM_COL32(170, 205, 255, 220), "heads-up display");
    // Bombs drop in anywhere along the top, and roll out through the sides low in the level.
    for (int x = 50; x < LEVEL_WIDTH; x += 100) {
      const float cx = lx(static_cast<float>(x));
      const float s = std::max(4.0f, 7 * z);
      draw->AddTriangleFilled(Vec(cx - s, y0 + 1), Vec(cx + s, y0 + 1), Vec(cx, y0 + 1 + s * 1.2f),
                              IM_COL32(255, 110, 60, 150));
    }
    const float exitTop = ly(kBombExitTop), exitBottom = ly(kBombExitBottom);
    const float band = std::max(4.0f, 10 * z);
    draw->AddRectFilled(Vec(x0, exitTop), Vec(x0 + band, exitBottom), IM_COL32(255, 110, 60, 90));
    draw->AddRectFilled(Vec(x1 - band, exitTop), Vec(x1, exitBottom), IM_COL32(255, 110, 60, 90));
    draw->AddRect(Vec(x0, exitTop), Vec(x0 + band, exitBottom), kBombs, 0, 0, 1.5f);
    draw->AddRect(Vec(x1 - band, exitTop), Vec(x1, exitBottom), kBombs, 0, 0, 1.5f);
    if (z >= 0.45f) {
      draw->AddText(Vec(x0 + band + 3, exitTop + 2), kBombs, "bomb exit");
      const float w = ImGui::CalcTextSize("bomb exit").x;
      draw->AddText(Vec(x1 - band - 3 - w, exitTop + 2), kBombs, "bomb exit");
      draw->AddText(Vec(lx(LEVEL_WIDTH / 2.0f) - 80, y0 + 10 * z + 4), kBombs,
                    "bombs drop in from the top");
    }
    // The hero's place at the start of the level.
    const PlayState& started = art_.LevelPlay();
    const float hx = lx(started.CharX), hy = ly(started.CharY);
    DrawPicture(draw, PictureId::Character, Rect{560, 36, 600, 72}, hx, hy, 40 * z, 36 * z, 0.6f);
    draw->AddRect(Vec(hx, hy), Vec(hx + 40 * z, hy + 36 * z), kStart, 0, 0, 1.5f);
    if (z >= 0.45f) draw->AddText(Vec(hx + 40 * z + 3, hy), kStart, "start");
  }

  // The live checks' marks: a red ring round each item the hero cannot reach, an orange frame
  // round each place that breaks a rule. Marks of an older version of the level are paler.
  if (const LevelCheck* check = ShownCheck(); check != nullptr && show_marks_) {
    const int alpha = CheckIsCurrent() ? 255 : 110;
    for (const ItemMark& item : check->Unreachable) {
      const ImVec2 centre(lx(item.At.Col * 50.0f + 25), ly(item.At.Row * 20.0f + 0.5f));
      const ImU32 colour = (kUnreachable & ~IM_COL32_A_MASK) | (static_cast<ImU32>(alpha) << 24);
      draw->AddCircle(centre, std::max(8.0f, 25 * z), colour, 28, std::max(2.0f, 3 * z));
    }
    for (const RuleBreak& rule : check->Breaks) {
      if (!LevelCanvas::InLevel(rule.At)) continue;
      const CanvasRect r = canvas.CellRect(rule.At);
      const ImU32 colour = (kRuleBreak & ~IM_COL32_A_MASK) | (static_cast<ImU32>(alpha) << 24);
      draw->AddRect(Vec(r.X - 1, r.Y - 1), Vec(r.X + r.W + 1, r.Y + r.H + 1), colour, 0, 0,
                    std::max(2.0f, 2.5f * z));
    }
  }

  // What the tool would do: the line or rectangle being dragged, and the cell under the pointer.
  EditTools& tools = session_.Tools;
  for (const CellPos& cell : tools.Preview())
    if (LevelCanvas::InLevel(cell)) DrawCodeGhost(draw, tools.PaintCode(), cell, 0.6f);
  if (hover && !session_.Panning()) {
    const CanvasRect r = canvas.CellRect(*hover);
    switch (tools.Current()) {
      case Tool::Pencil:
      case Tool::Line:
      case Tool::Rectangle:
      case Tool::Fill:
      case Tool::Eraser:
        if (!tools.Dragging()) DrawCodeGhost(draw, tools.PaintCode(), *hover, 0.55f);
        break;
      case Tool::PlayTest: {
        const HeroPlace place = HeroPlaceAt(art_.LevelPlay(), *hover);
        DrawPicture(draw, PictureId::Character, Rect{560, 36, 600, 72}, lx(place.X), ly(place.Y),
                    40 * z, 36 * z, 0.8f);
        break;
      }
      case Tool::Picker:
        break;
    }
    draw->AddRect(Vec(r.X, r.Y), Vec(r.X + r.W, r.Y + r.H), IM_COL32(255, 255, 255, 220), 0, 0,
                  1.5f);
  }
  if (flash_cell_ && (SDL_GetTicks() / 250) % 2 == 0) {
    const CanvasRect r = canvas.CellRect(*flash_cell_);
    draw->AddRect(Vec(r.X - 4, r.Y - 4), Vec(r.X + r.W + 4, r.Y + r.H + 4), kChosen, 0, 0, 3);
  }
  if (flash_cell_) redraws_ = std::max(redraws_, 1);
  draw->PopClipRect();
}

void EditorApp::DrawPlayOverlay(ImDrawList* draw) {
  const PlayOutcome outcome = play_->Outcome();
  if (outcome == PlayOutcome::Playing) return;
  char won[64];
  std::snprintf(won, sizeof won, "Level won in %.1f s", play_->Frames() * 0.03);
  const std::string text =
      outcome == PlayOutcome::Won ? std::string(won) : std::string("The hero lost his last health");
  const char* hint = "Enter: play again    Esc: back to editing";
  const ImVec2 size = ImGui::CalcTextSize(text.c_str());
  const ImVec2 hintSize = ImGui::CalcTextSize(hint);
  const float w = std::max(size.x, hintSize.x) + 40;
  const float h = size.y + hintSize.y + 36;
  const float cx = play_area_.X + play_area_.W / 2, cy = play_area_.Y + play_area_.H / 2;
  ImDrawList* front = ImGui::GetForegroundDrawList();
  front->AddRectFilled(Vec(cx - w / 2, cy - h / 2), Vec(cx + w / 2, cy + h / 2),
                       IM_COL32(10, 12, 20, 220), 4);
  front->AddRect(Vec(cx - w / 2, cy - h / 2), Vec(cx + w / 2, cy + h / 2), kChosen, 4, 0, 2);
  front->AddText(Vec(cx - size.x / 2, cy - h / 2 + 12), kChosen, text.c_str());
  front->AddText(Vec(cx - hintSize.x / 2, cy - h / 2 + 20 + size.y), IM_COL32(220, 220, 220, 255),
                 hint);
  (void)draw;
}

}  // namespace level_editor
