#include "tools/level_editor/editor_app.h"

#include <imgui.h>
#include <imgui_freetype.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "base/failure.h"
#include "base/files.h"
#include "base/paths.h"
#include "engines/font.h"
#include "tools/level_editor/palette.h"

namespace level_editor {

namespace {

constexpr uint32_t kPassMilliseconds = 30;  // one frame of the game
constexpr float kFontPixels = 15.0f;
constexpr const char* kFontFamily = "Liberation Sans";

// The editor's look: ImGui's dark style, squarer, with the game's blue for what is chosen.
void ApplyEditorStyle() {
  ImGui::StyleColorsDark();
  ImGuiStyle& style = ImGui::GetStyle();
  style.WindowRounding = 0;
  style.FrameRounding = 2;
  style.GrabRounding = 2;
  style.PopupRounding = 2;
  style.WindowBorderSize = 1;
  style.FramePadding = ImVec2(6, 4);
  style.ItemSpacing = ImVec2(6, 5);
  style.WindowPadding = ImVec2(8, 8);
  ImVec4* c = style.Colors;
  c[ImGuiCol_WindowBg] = ImVec4(0.11f, 0.12f, 0.14f, 1);
  c[ImGuiCol_PopupBg] = ImVec4(0.13f, 0.14f, 0.17f, 0.98f);
  c[ImGuiCol_MenuBarBg] = ImVec4(0.15f, 0.16f, 0.19f, 1);
  c[ImGuiCol_Border] = ImVec4(0.25f, 0.27f, 0.32f, 1);
  c[ImGuiCol_Header] = ImVec4(0.10f, 0.25f, 0.65f, 1);
  c[ImGuiCol_HeaderHovered] = ImVec4(0.16f, 0.33f, 0.75f, 1);
  c[ImGuiCol_HeaderActive] = ImVec4(0.20f, 0.40f, 0.85f, 1);
  c[ImGuiCol_Button] = ImVec4(0.20f, 0.22f, 0.27f, 1);
  c[ImGuiCol_ButtonHovered] = ImVec4(0.28f, 0.31f, 0.39f, 1);
  c[ImGuiCol_ButtonActive] = ImVec4(0.20f, 0.40f, 0.85f, 1);
  c[ImGuiCol_FrameBg] = ImVec4(0.19f, 0.21f, 0.26f, 1);
  c[ImGuiCol_FrameBgHovered] = ImVec4(0.24f, 0.27f, 0.34f, 1);
  // The panels are always there: none looks chosen.
  c[ImGuiCol_TitleBg] = c[ImGuiCol_TitleBgActive] = ImVec4(0.15f, 0.16f, 0.19f, 1);
}

// The shortcuts' keys, with Ctrl, Shift and Alt as SDL reports them.
bool Ctrl(const SDL_KeyboardEvent& key) {
  return (key.keysym.mod & KMOD_CTRL) != 0;
}
bool Shift(const SDL_KeyboardEvent& key) {
  return (key.keysym.mod & KMOD_SHIFT) != 0;
}

PointerButton ButtonOf(uint8_t nButton) {
  return nButton == SDL_BUTTON_MIDDLE ? PointerButton::Middle
         : nButton == SDL_BUTTON_RIGHT ? PointerButton::Right
                                       : PointerButton::Left;
}

// A streaming texture of the game's 16-bit pictures, or nullptr (logged).
SDL_Texture* MakeTexture(SDL_Renderer* renderer, int nWidth, int nHeight) {
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565,
                                           SDL_TEXTUREACCESS_STREAMING, nWidth, nHeight);
  if (texture == nullptr) LogError(std::string("pibo-edit - MakeTexture - ") + SDL_GetError());
  return texture;
}

void CopyToTexture(SDL_Texture* texture, const Surface& picture) {
  const SDL_Surface* raw = picture.Raw();
  if (texture != nullptr) SDL_UpdateTexture(texture, nullptr, raw->pixels, raw->pitch);
}

}  // namespace

EditorApp::EditorApp() = default;

EditorApp::~EditorApp() {
  Stop();
}

int EditorApp::Run(const EditorArgs& args) {
  if (!Start(args)) {
    Stop();
    return 1;
  }
  Loop();
  Stop();
  return 0;
}

bool EditorApp::Start(const EditorArgs& args) {
  report_file_ = args.ReportFile;
  try {
    display_.Open("pibo-edit");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pibo-edit: no window: %s\n", e.what());
    return false;
  }
  SDL_Window* window = display_.Window();
  int width = args.WindowWidth, height = args.WindowHeight;
  if (width == 0) {
    SDL_Rect usable{0, 0, 1280, 800};
    SDL_GetDisplayUsableBounds(0, &usable);
    width = std::clamp(usable.w - 80, 800, 1600);
    height = std::clamp(usable.h - 80, 600, 1000);
  }
  SDL_SetWindowSize(window, width, height);
  SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  SDL_SetWindowMinimumSize(window, 640, 480);

  // The game's pictures come from the program's folder, the current directory.
  if (!art_.Load(*this)) {
    std::fprintf(stderr,
                 "pibo-edit: the game's pictures could not be loaded from %s (see Errors.txt)\n",
                 PathText(std::filesystem::current_path()).c_str());
    return false;
  }
  // The game's screen set the renderer up for its 800 x 600 picture; the editor uses the window's
  // own pixels.
  renderer_ = display_.Renderer();
  SDL_RenderSetLogicalSize(renderer_, 0, 0);
  SDL_RenderSetIntegerScale(renderer_, SDL_FALSE);
  SDL_RenderSetScale(renderer_, 1, 1);
  SDL_RenderSetViewport(renderer_, nullptr);
  if (!LoadTextures()) return false;
  keyboard_.Initialize();

  IMGUI_CHECKVERSION();
  imgui_ = ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  io.Fonts->FontBuilderIO = ImGuiFreeType::GetBuilderForFreeType();
  io.Fonts->FontBuilderFlags = ImGuiFreeTypeBuilderFlags_LightHinting;
  const std::string fontFile = Font::ResolveFile(kFontFamily);
  ImFontConfig config;
  config.OversampleH = config.OversampleV = 1;
  config.PixelSnapH = true;
  if (fontFile.empty() || io.Fonts->AddFontFromFileTTF(fontFile.c_str(), kFontPixels, &config,
                                                       io.Fonts->GetGlyphRangesDefault()) ==
                              nullptr) {
    config.SizePixels = kFontPixels;
    io.Fonts->AddFontDefault(&config);
  }
  ApplyEditorStyle();
  ImGui_ImplSDL2_InitForSDLRenderer(window);
  ImGui_ImplSDLRenderer_Init(renderer_);

  session_.SelectLevel(args.Level);
  if (!session_.Open(args.Files).empty()) {
    // Nothing to edit there: a new set, to be saved where the designer says.
    const std::string why = session_.Message;
    session_.New();
    session_.SelectLevel(args.Level);
    session_.Message = why + " - editing a new level set";
    std::fprintf(stderr, "pibo-edit: %s\n", why.c_str());
  }
  UpdateTitle();
  return true;
}

bool EditorApp::LoadTextures() {
  level_texture_ = MakeTexture(renderer_, 1600, 600);
  play_texture_ = MakeTexture(renderer_, 800, 600);
  if (level_texture_ == nullptr || play_texture_ == nullptr) return false;
  for (int i = 0; i < PICTURE_COUNT; ++i) {
    Surface* picture = art_.Picture(static_cast<PictureId>(i));
    if (picture == nullptr) continue;
    // See-through where the game's colour key is.
    picture->UseColorKey(true);
    pictures_[i] = SDL_CreateTextureFromSurface(renderer_, picture->Raw());
    picture->UseColorKey(false);
  }
  return true;
}

void EditorApp::Stop() {
  if (imgui_ != nullptr) {
    ImGui::SetCurrentContext(imgui_);
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext(imgui_);
    imgui_ = nullptr;
  }
  for (SDL_Texture*& texture : pictures_) {
    if (texture != nullptr) SDL_DestroyTexture(texture);
    texture = nullptr;
  }
  for (SDL_Texture** texture : {&level_texture_, &play_texture_}) {
    if (*texture != nullptr) SDL_DestroyTexture(*texture);
    *texture = nullptr;
  }
}

void EditorApp::Loop() {
  while (!quit_) {
    // Idle, the loop wakes for events and a few times a second for the checks' results; a
    // play-test wakes it every pass.
    uint32_t wait = redraws_ > 0 ? 0 : 100;
    if (play_) {
      const uint32_t now = SDL_GetTicks();
      wait = next_pass_ > now ? std::min<uint32_t>(next_pass_ - now, wait) : 0;
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(wait))) {
      do {
        HandleEvent(event);
        // ImGui takes a key or a button as held or not at each picture: one pressed and let go
        // before the next picture would never reach it.
        const bool pressOrRelease = event.type == SDL_KEYDOWN ||
                                    event.type == SDL_MOUSEBUTTONDOWN ||
                                    event.type == SDL_MOUSEBUTTONUP;
        if (pressOrRelease && !play_ && !quit_) DrawWindow();
      } while (SDL_PollEvent(&event));
    }
    if (play_) PlayPasses();
    UpdateChecks();
    if (flash_cell_ && SDL_TICKS_PASSED(SDL_GetTicks(), flash_until_)) {
      flash_cell_.reset();
      redraws_ = std::max(redraws_, 1);
    }
    if (redraws_ > 0) {
      DrawWindow();
      --redraws_;
    }
    WriteReport();
  }
}

void EditorApp::HandleEvent(const SDL_Event& event) {
  redraws_ = std::max(redraws_, 2);
  if (play_) {
    if (event.type == SDL_KEYDOWN) HandlePlayKey(event.key);
    if (event.type == SDL_QUIT ||
        (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
      EndPlayTest();
      Ask(Pending::Quit);
    }
    return;
  }
  ImGui::SetCurrentContext(imgui_);
  ImGui_ImplSDL2_ProcessEvent(&event);
  if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
    // The modifiers as they were with this key, not as they are now that every event waiting has
    // been read: Ctrl+A typed quickly is still Ctrl+A.
    ImGuiIO& io = ImGui::GetIO();
    const uint16_t mod = event.key.keysym.mod;
    io.KeyCtrl = (mod & KMOD_CTRL) != 0;
    io.KeyShift = (mod & KMOD_SHIFT) != 0;
    io.KeyAlt = (mod & KMOD_ALT) != 0;
    io.KeySuper = (mod & KMOD_GUI) != 0;
  }
  switch (event.type) {
    case SDL_QUIT:
      Ask(Pending::Quit);
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) Ask(Pending::Quit);
      break;
    case SDL_KEYDOWN:
      HandleKey(event.key);
      break;
    case SDL_KEYUP:
      if (event.key.keysym.sym == SDLK_SPACE) space_held_ = false;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEWHEEL:
      HandleMouse(event);
      break;
    default:
      break;
  }
}

// The canvas takes the pointer where no panel, menu or modal window is; a drag that began on it
// keeps it until the button is let go.
void EditorApp::HandleMouse(const SDL_Event& event) {
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
    x = event.button.x;
    y = event.button.y;
  }
  const bool dragging = session_.Tools.Dragging() || session_.Panning();
  const bool onCanvas = !popup_open_ && dialog_ == Dialog::None &&
                        session_.Canvas.Area().Contains(static_cast<float>(x),
                                                        static_cast<float>(y));
  switch (event.type) {
    case SDL_MOUSEMOTION:
      session_.PointerMove(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN: {
      if (!onCanvas || dragging) break;
      const float bx = static_cast<float>(event.button.x), by = static_cast<float>(event.button.y);
      PointerButton button = ButtonOf(event.button.button);
      if (button == PointerButton::Left && space_held_) button = PointerButton::Middle;
      const SDL_Keymod mod = SDL_GetModState();
      session_.PointerDown(bx, by, button,
                           KeyMods{(mod & KMOD_SHIFT) != 0, (mod & KMOD_CTRL) != 0,
                                   (mod & KMOD_ALT) != 0});
      if (const std::optional<CellPos> from = session_.Tools.TakePlayRequest())
        StartPlayTest(*from);
      break;
    }
    case SDL_MOUSEBUTTONUP: {
      const float bx = static_cast<float>(event.button.x), by = static_cast<float>(event.button.y);
      PointerButton button = ButtonOf(event.button.button);
      if (button == PointerButton::Left && session_.Panning()) button = PointerButton::Middle;
      session_.PointerUp(bx, by, button);
      break;
    }
    case SDL_MOUSEWHEEL:
      if (!onCanvas) break;
      if ((SDL_GetModState() & KMOD_SHIFT) != 0)
        session_.Canvas.ScrollBy(-60.0f * event.wheel.y, 0);
      else if (event.wheel.y != 0)
        session_.Canvas.StepZoom(event.wheel.y > 0 ? 1 : -1, static_cast<float>(x),
                                 static_cast<float>(y));
      if (event.wheel.x != 0) session_.Canvas.ScrollBy(60.0f * event.wheel.x, 0);
      break;
    default:
      break;
  }
}

void EditorApp::HandleKey(const SDL_KeyboardEvent& key) {
  const ImGuiIO& io = ImGui::GetIO();
  // A text field takes its keys; a modal window keeps the rest to itself.
  if (io.WantTextInput || dialog_ != Dialog::None) return;
  const SDL_Keycode sym = key.keysym.sym;
  LevelCanvas& canvas = session_.Canvas;
  if (Ctrl(key)) {
    switch (sym) {
      case SDLK_z:
        if (Shift(key))
          RedoCommand();
        else
          UndoCommand();
        break;
      case SDLK_y:
        RedoCommand();
        break;
      case SDLK_s:
        if (Shift(key))
          OpenDialog(Dialog::SaveAs);
        else
          SaveCommand();
        break;
      case SDLK_o:
        Ask(Pending::Open);
        break;
      case SDLK_n:
        Ask(Pending::New);
        break;
      case SDLK_q:
        Ask(Pending::Quit);
        break;
      default:
        break;
    }
    return;
  }
  if (popup_open_) return;  // a menu is open: its keys are ImGui's
  // Alt with a letter is the system's or the menus'.
  if ((key.keysym.mod & (KMOD_ALT | KMOD_GUI)) != 0) return;
  const float step = Shift(key) ? 0.5f : 0.1f;  // of the canvas's size
  switch (sym) {
    case SDLK_p: session_.Tools.Choose(Tool::Pencil); break;
    case SDLK_l: session_.Tools.Choose(Tool::Line); break;
    case SDLK_r:
      session_.Tools.Choose(Tool::Rectangle);
      session_.Tools.bFilled = Shift(key);
      break;
    case SDLK_f: session_.Tools.Choose(Tool::Fill); break;
    case SDLK_e: session_.Tools.Choose(Tool::Eraser); break;
    case SDLK_i: session_.Tools.Choose(Tool::Picker); break;
    case SDLK_F5: session_.Tools.Choose(Tool::PlayTest); break;
    case SDLK_F6: StartPlayTest(std::nullopt); break;
    case SDLK_LEFTBRACKET:
      session_.Tools.SetCode(StepPaletteCode(session_.Tools.Code(), -1));
      break;
    case SDLK_RIGHTBRACKET:
      session_.Tools.SetCode(StepPaletteCode(session_.Tools.Code(), +1));
      break;
    case SDLK_PAGEUP: session_.SelectLevel(session_.Level() - 1); break;
    case SDLK_PAGEDOWN: session_.SelectLevel(session_.Level() + 1); break;
    case SDLK_PLUS:
    case SDLK_EQUALS:
    case SDLK_KP_PLUS: canvas.StepZoom(+1); break;
    case SDLK_MINUS:
    case SDLK_KP_MINUS: canvas.StepZoom(-1); break;
    case SDLK_0:
    case SDLK_KP_0: canvas.Fit(); break;
    case SDLK_1:
    case SDLK_KP_1:
      canvas.ZoomAround(canvas.Area().X + canvas.Area().W / 2,
                        canvas.Area().Y + canvas.Area().H / 2, 1.0f);
      break;
    case SDLK_LEFT: canvas.ScrollBy(-canvas.Area().W * step, 0); break;
    case SDLK_RIGHT: canvas.ScrollBy(canvas.Area().W * step, 0); break;
    case SDLK_UP: canvas.ScrollBy(0, -canvas.Area().H * step); break;
    case SDLK_DOWN: canvas.ScrollBy(0, canvas.Area().H * step); break;
    case SDLK_g: show_grid_ = !show_grid_; break;
    case SDLK_o: show_overlays_ = !show_overlays_; break;
    case SDLK_c: show_marks_ = !show_marks_; break;
    case SDLK_SPACE: space_held_ = true; break;
    case SDLK_ESCAPE: session_.CancelDrag(); break;
    default: break;
  }
  // Shift+[ and Shift+] jump from group to group of the palette.
  if (sym == SDLK_LEFTBRACKET || sym == SDLK_RIGHTBRACKET) {
    if (!Shift(key)) return;
    const PaletteEntry* now = FindPaletteEntry(session_.Tools.Code());
    const int direction = sym == SDLK_RIGHTBRACKET ? +1 : -1;
    uint8_t code = session_.Tools.Code();
    // Step on until the group changes (the first step was taken above).
    for (int i = 0; i < 40; ++i) {
      const PaletteEntry* entry = FindPaletteEntry(code);
      if (now == nullptr || entry == nullptr || entry->Group != now->Group) break;
      code = StepPaletteCode(code, direction);
    }
    session_.Tools.SetCode(code);
  }
}

void EditorApp::HandlePlayKey(const SDL_KeyboardEvent& key) {
  if (key.repeat != 0) return;
  if (key.keysym.sym == SDLK_ESCAPE) {
    EndPlayTest();
  } else if (key.keysym.sym == SDLK_F5 || key.keysym.sym == SDLK_RETURN) {
    // Again from the same cell.
    if (key.keysym.sym == SDLK_F5 || play_->Outcome() != PlayOutcome::Playing)
      StartPlayTest(play_->From());
  }
}

void EditorApp::UndoCommand() {
  if (!session_.Undo()) session_.Message = "Nothing to undo";
}

void EditorApp::RedoCommand() {
  if (!session_.Redo()) session_.Message = "Nothing to redo";
}

void EditorApp::SaveCommand() {
  if (!session_.Files()) {
    OpenDialog(Dialog::SaveAs);
    return;
  }
  session_.Save();
  UpdateTitle();
}

void EditorApp::Ask(Pending pending) {
  if (pending == Pending::None) return;
  if (session_.Doc().Modified()) {
    pending_ = pending;
    OpenDialog(Dialog::Unsaved);
  } else {
    Proceed(pending);
  }
}

void EditorApp::Proceed(Pending pending) {
  pending_ = Pending::None;
  dialog_ = Dialog::None;
  switch (pending) {
    case Pending::Quit:
      quit_ = true;
      break;
    case Pending::New:
      session_.New();
      UpdateTitle();
      break;
    case Pending::Open:
      OpenDialog(Dialog::Open);
      break;
    case Pending::Import:
      OpenDialog(Dialog::Import);
      break;
    case Pending::None:
      break;
  }
}

void EditorApp::UpdateTitle() {
  const auto& files = session_.Files();
  std::string title = "pibo-edit - " + (files ? files->Title() : std::string("new level set"));
  if (session_.Doc().Modified()) title += " *";
  SDL_SetWindowTitle(display_.Window(), title.c_str());
}

void EditorApp::RefreshLevelPicture() {
  const uint64_t revision = session_.Doc().Revision();
  if (revision == picture_revision_ && session_.Level() == picture_level_) return;
  if (art_.DrawLevel(session_.Doc().Levels(), session_.Level(), level_picture_))
    CopyToTexture(level_texture_, *level_picture_);
  picture_revision_ = revision;
  picture_level_ = session_.Level();
  UpdateTitle();
}

void EditorApp::UpdateChecks() {
  const LevelDocument& doc = session_.Doc();
  // A stroke is checked once it is done.
  if (!session_.Tools.Dragging() &&
      (doc.Revision() != posted_revision_ || session_.Level() != posted_level_)) {
    checker_.Post(doc.Levels(), session_.Level(), doc.Revision());
    posted_revision_ = doc.Revision();
    posted_level_ = session_.Level();
  }
  std::optional<LevelCheck> latest = checker_.Latest();
  const bool busy = checker_.Busy();
  const bool moved = latest.has_value() != check_.has_value() ||
                     (latest && (latest->Revision != check_->Revision ||
                                 latest->Level != check_->Level));
  if (moved || busy != checker_busy_) redraws_ = std::max(redraws_, 1);
  if (latest) check_ = std::move(latest);
  checker_busy_ = busy;
}

const LevelCheck* EditorApp::ShownCheck() const {
  return check_ && check_->Level == session_.Level() ? &*check_ : nullptr;
}

bool EditorApp::CheckIsCurrent() const {
  const LevelCheck* check = ShownCheck();
  return check != nullptr && check->Revision == session_.Doc().Revision() && check->Complete;
}

std::string EditorApp::ReportText() const {
  std::ostringstream out;
  const LevelCanvas& canvas = session_.Canvas;
  out << "level " << session_.Level() << "\n";
  out << "revision " << session_.Doc().Revision() << "\n";
  out << "modified " << (session_.Doc().Modified() ? "yes" : "no") << "\n";
  out << "playing " << (play_ ? "yes" : "no") << "\n";
  out << "canvas " << canvas.Area().X << " " << canvas.Area().Y << " " << canvas.Area().W << " "
      << canvas.Area().H << "\n";
  out << "zoom " << canvas.Zoom() << "\n";
  out << "scroll " << canvas.ScrollX() << " " << canvas.ScrollY() << "\n";
  out << "tool " << InfoOf(session_.Tools.Current()).Name << "\n";
  out << "code " << static_cast<int>(session_.Tools.Code()) << "\n";
  const LevelCheck* check = ShownCheck();
  out << "checked " << (CheckIsCurrent() ? "yes" : "no") << "\n";
  if (check != nullptr) {
    out << "check-revision " << check->Revision << "\n";
    out << "gems " << check->GemsReached << " of " << check->GemsTotal << "\n";
    out << "complete " << (check->Complete ? "yes" : "no") << "\n";
    out << "survive " << check->SurviveSeconds << (check->SurvivesAll ? " all" : "") << "\n";
    for (const ItemMark& item : check->Unreachable)
      out << "unreachable " << (item.Gem ? "gem" : "power-up") << " " << item.At.Col << " "
          << item.At.Row << "\n";
    for (const RuleBreak& rule : check->Breaks)
      out << "break " << rule.At.Col << " " << rule.At.Row << " " << rule.Message << "\n";
  }
  return out.str();
}

void EditorApp::WriteReport() {
  if (report_file_.empty()) return;
  const std::string text = ReportText();
  if (text == report_written_) return;
  try {
    WriteFileAtomically(report_file_, std::span(reinterpret_cast<const uint8_t*>(text.data()),
                                                text.size()));
    report_written_ = text;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pibo-edit: cannot write %s: %s\n", PathText(report_file_).c_str(),
                 e.what());
    report_file_.clear();
  }
}

void EditorApp::StartPlayTest(std::optional<CellPos> from) {
  session_.CancelDrag();
  if (from && !LevelCanvas::InLevel(*from)) return;
  PlayTest test;
  if (!test.Start(session_.Doc().Levels(), session_.Level(), from, SDL_GetTicks())) {
    session_.Message = "The level cannot be played: " + LastLoggedError();
    return;
  }
  play_ = std::move(test);
  art_.BeginPlay();
  keyboard_.ForgetKeyPresses();
  next_pass_ = SDL_GetTicks();
  // Its first frame at once.
  if (art_.DrawPlay(play_->Play(), session_.Doc().Names())) CopyToTexture(play_texture_, art_.Screen());
  session_.Message = "Play-test of level " + std::to_string(session_.Level());
}

void EditorApp::PlayPasses() {
  const uint32_t now = SDL_GetTicks();
  // A slow machine catches up a few passes, then lets the rest go.
  for (int i = 0; i < 3 && play_ && SDL_TICKS_PASSED(now, next_pass_); ++i) {
    KeyboardSnapshot keys{};
    keyboard_.GetKeyboardState(keys);
    play_->Pass(keys);
    next_pass_ += kPassMilliseconds;
    if (!art_.DrawPlay(play_->Play(), session_.Doc().Names())) {
      session_.Message = "The play-test could not be drawn: " + LastLoggedError();
      EndPlayTest();
      return;
    }
    redraws_ = std::max(redraws_, 1);
  }
  if (play_ && SDL_TICKS_PASSED(now, next_pass_ + 3 * kPassMilliseconds)) next_pass_ = now;
  if (play_) CopyToTexture(play_texture_, art_.Screen());
}

void EditorApp::EndPlayTest() {
  if (!play_) return;
  play_.reset();
  keyboard_.ForgetKeyPresses();
  // The keys played with are not held in the editor.
  ImGuiIO& io = ImGui::GetIO();
  for (bool& down : io.KeysDown) down = false;
  io.KeyCtrl = io.KeyShift = io.KeyAlt = io.KeySuper = false;
  space_held_ = false;
  session_.Message = "Back to editing";
  redraws_ = std::max(redraws_, 2);
}

}  // namespace level_editor
