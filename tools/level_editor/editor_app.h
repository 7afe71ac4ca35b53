#pragma once
// pibo-edit's window: the level drawn as the game draws it in the middle, the levels on the left,
// the palette and the live checks on the right, menus and tools above, the status below; and the
// play-test, which runs the level in the same window. SDL and Dear ImGui live here and in
// editor_panels.cpp; what the editor does lives in EditorSession.
#include <SDL.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engines/display.h"
#include "engines/host_window.h"
#include "engines/vbie.h"
#include "tools/level_editor/command_line.h"
#include "tools/level_editor/editor_session.h"
#include "tools/level_editor/level_art.h"
#include "tools/level_editor/level_document.h"
#include "tools/level_editor/play_test.h"

#include <imgui.h>

namespace level_editor {

class EditorApp : private HostWindow {
 public:
  EditorApp();
  ~EditorApp() override;
  EditorApp(const EditorApp&) = delete;
  EditorApp& operator=(const EditorApp&) = delete;

  // Opens the window on the level set the arguments name and runs until the designer quits.
  // Returns the exit status: 0, or 1 when the window or the game's pictures could not be set up
  // (said on standard error).
  int Run(const EditorArgs& args);

 private:
  // What the game sees of the window: only its screen; there is no music and no game window.
  Display& Screen() override { return display_; }
  void StartMusic(int) override {}
  void StopMusic() override {}
  void NextSong() override {}
  void SetMusicVolume(int) override {}
  void OpenWindow(Form&) override {}
  void WindowPass(Form&) override {}

  // What waits for an answer to "save the changes first?".
  enum class Pending { None, Quit, New, Open, Import };
  // The modal windows of the File menu.
  enum class Dialog { None, Open, SaveAs, Import, Export, Unsaved, Keys };

  bool Start(const EditorArgs& args);
  void Stop();
  bool LoadTextures();
  void Loop();
  void HandleEvent(const SDL_Event& event);
  void HandleMouse(const SDL_Event& event);
  void HandleKey(const SDL_KeyboardEvent& key);
  void HandlePlayKey(const SDL_KeyboardEvent& key);

  // One picture: the panels laid out, built with ImGui, and drawn over the level.
  void DrawWindow();
  void Layout();
  void DrawMenuBar();
  void DrawToolBar();
  void DrawLevelsPanel();
  void DrawPalettePanel();
  void DrawChecksPanel();
  void DrawStatusBar();
  bool BeginDialog(const char* title);
  void DrawDialogs();
  void DrawUnsavedDialog();
  void DrawCanvasOverlays(ImDrawList* draw);
  void DrawPlayOverlay(ImDrawList* draw);
  // A picture of the game (a part of one of its sheets) in a window rectangle.
  void DrawPicture(ImDrawList* draw, PictureId picture, const Rect& source, float x, float y,
                   float w, float h, float alpha = 1);
  // The palette's picture of a code at a cell of the canvas, see-through (a tool's preview).
  void DrawCodeGhost(ImDrawList* draw, uint8_t nCode, CellPos cell, float alpha);
  void DrawCodeSwatch(ImDrawList* draw, uint8_t nCode, ImVec2 at, ImVec2 size);
  bool PaletteButton(uint8_t nCode, float w, float h);

  // The level picture made again when the document or the level shown changed.
  void RefreshLevelPicture();
  // The checks asked for again when the document or the level moved, and their report written.
  void UpdateChecks();
  void WriteReport();
  std::string ReportText() const;
  // The check shown: the newest result for the level shown (perhaps of an older revision).
  const LevelCheck* ShownCheck() const;
  bool CheckIsCurrent() const;

  // File commands; those that drop the document ask first when it has unsaved changes.
  void Ask(Pending pending);
  // Opens a modal window of the File menu, its fields filled from the files of the document.
  void OpenDialog(Dialog dialog);
  void Proceed(Pending pending);
  void SaveCommand();
  void UndoCommand();
  void RedoCommand();
  void UpdateTitle();

  // From a cell, or from where the level starts the hero.
  void StartPlayTest(std::optional<CellPos> from);
  void PlayPasses();
  void EndPlayTest();

  Display display_;
  SDL_Renderer* renderer_ = nullptr;
  ImGuiContext* imgui_ = nullptr;
  LevelArt art_;
  VBIE keyboard_;
  EditorSession session_;
  LiveChecker checker_;

  // The level picture and the pictures of the game as textures.
  SurfacePtr level_picture_;
  SDL_Texture* level_texture_ = nullptr;
  SDL_Texture* play_texture_ = nullptr;
  std::array<SDL_Texture*, PICTURE_COUNT> pictures_{};
  uint64_t picture_revision_ = ~0ull;
  int picture_level_ = 0;

  // Checks: what was asked last, what came back last.
  uint64_t posted_revision_ = ~0ull;
  int posted_level_ = 0;
  std::optional<LevelCheck> check_;
  bool checker_busy_ = false;
  std::optional<CellPos> flash_cell_;  // a check's place clicked in a list, shown for a while
  uint32_t flash_until_ = 0;

  // --report-checks
  std::filesystem::path report_file_;
  std::string report_written_;

  // The window's parts, in window pixels.
  float menu_height_ = 0, tool_height_ = 0, status_height_ = 0;
  CanvasRect levels_box_, palette_box_, checks_box_;
  CanvasRect play_area_;  // where a play-test is shown
  int window_width_ = 0, window_height_ = 0;
  bool fitted_ = false;
  bool show_grid_ = true;
  bool show_overlays_ = true;
  bool show_marks_ = true;
  bool popup_open_ = false;  // a menu or a modal window was open in the last picture
  bool space_held_ = false;  // Space held: the left button drags the view
  bool quit_ = false;
  int redraws_ = 2;  // pictures still to draw (ImGui settles a click over two)

  // The modal windows: which is open, and the text of its fields.
  Dialog dialog_ = Dialog::None;
  bool dialog_opening_ = false;
  Pending pending_ = Pending::None;
  std::array<char, 1024> path_field_{};
  std::array<char, 1024> names_field_{};
  std::string dialog_error_;

  // The levels panel's fields.
  std::array<char, 128> name_field_{};
  int name_field_level_ = 0;
  uint64_t name_field_revision_ = ~0ull;
  int count_field_ = 0;
  int other_slot_ = 1;
  int listed_level_ = 0;  // the level the list was last scrolled to

  // The play-test under way.
  std::optional<PlayTest> play_;
  uint32_t next_pass_ = 0;
};

}  // namespace level_editor
