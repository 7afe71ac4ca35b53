#include "forms/form_screen.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_freetype.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>
#include <imgui_internal.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <deque>
#include <optional>
#include <string>

#include "base/failure.h"
#include "engines/display.h"
#include "engines/font.h"
#include "forms/form.h"
#include "forms/form_view.h"
#include "engines/platform.h"

namespace {

// The face of the windows' text: a plain sans serif, as the old dialogs had.
constexpr const char* kDialogFontFamily = "Liberation Sans";
// Idle, a window is redrawn now and then, a text box often enough for its caret to blink.
constexpr uint32_t kIdleRedrawMilliseconds = 1000;
constexpr uint32_t kCaretRedrawMilliseconds = 200;
// What an event changes shows in the frame after the one that took it: that many frames are drawn
// before the window waits again.
constexpr int kFramesToSettle = 2;
// Keys meant for a text box wait at most this many frames for its caret.
constexpr int kMaxFramesHeldForTextBox = 10;

// Every character Windows-1252 holds, so a name can be typed in any of them.
constexpr ImWchar kGlyphRanges[] = {
    0x0020, 0x00FF, 0x0152, 0x0153, 0x0160, 0x0161, 0x0178, 0x0178, 0x017D, 0x017E, 0x0192, 0x0192,
    0x02C6, 0x02C6, 0x02DC, 0x02DC, 0x2013, 0x2014, 0x2018, 0x201A, 0x201C, 0x201E, 0x2020, 0x2022,
    0x2026, 0x2026, 0x2030, 0x2030, 0x2039, 0x203A, 0x20AC, 0x20AC, 0x2122, 0x2122, 0,
};

std::optional<FormKey> DialogKey(const SDL_KeyboardEvent& key) {
  const bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
  switch (key.keysym.sym) {
    case SDLK_TAB:
      return shift ? FormKey::ShiftTab : FormKey::Tab;
    case SDLK_SPACE:
      return FormKey::Space;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return FormKey::Enter;
    case SDLK_ESCAPE:
      return FormKey::Escape;
    case SDLK_UP:
      return FormKey::Up;
    case SDLK_DOWN:
      return FormKey::Down;
    case SDLK_LEFT:
      return FormKey::Left;
    case SDLK_RIGHT:
      return FormKey::Right;
    case SDLK_HOME:
      return FormKey::Home;
    case SDLK_END:
      return FormKey::End;
    case SDLK_PAGEUP:
      return FormKey::PageUp;
    case SDLK_PAGEDOWN:
      return FormKey::PageDown;
    default:
      return std::nullopt;
  }
}

// What pressing a gamepad's button does in a window: the first key, or the second when the window
// has no use for the first (a d-pad step moves the choice in a list, else the focus). A presses,
// B and Back cancel, Start is Enter.
struct PadKeys {
  FormKey first;
  std::optional<FormKey> second;
};
std::optional<PadKeys> DialogKeysOf(uint8_t button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return PadKeys{FormKey::Up, FormKey::ShiftTab};
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return PadKeys{FormKey::Down, FormKey::Tab};
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return PadKeys{FormKey::Left, FormKey::ShiftTab};
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return PadKeys{FormKey::Right, FormKey::Tab};
    case SDL_CONTROLLER_BUTTON_A:
      return PadKeys{FormKey::Space, std::nullopt};
    case SDL_CONTROLLER_BUTTON_START:
      return PadKeys{FormKey::Enter, std::nullopt};
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_BACK:
      return PadKeys{FormKey::Escape, std::nullopt};
    default:
      return std::nullopt;
  }
}

// A held key that moves something repeats; one that presses or closes acts once.
bool Repeats(FormKey key) {
  return key != FormKey::Space && key != FormKey::Enter && key != FormKey::Escape;
}

int ButtonIndex(uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    default:
      return -1;
  }
}

}  // namespace

struct FormScreen::Impl {
  explicit Impl(Display& display) : display(display) {}

  void Run(Form& frm, platform::EventHandler* owner);
  void Draw(FormView& view);
  void UseScale(float fScale);
  // Waits up to nMilliseconds for events; whether any came.
  bool WaitForEvents(uint32_t nMilliseconds);
  void TakeEvents(Form& frm, FormView& view, platform::EventHandler* owner);
  // Hands the events that came after the window closed back to the main window, in order.
  void GiveBackEvents();
  void ForgetInput();

  Display& display;
  ImGuiContext* context = nullptr;
  std::string font_file;
  bool font_missing_told = false;
  float scale = 0;
  SDL_Rect picture{0, 0, 800, 600};
  std::function<void()> idle;
  std::deque<SDL_Event> pending;
  // The pointer as the picture's scaling reports it, and the buttons held.
  ImVec2 mouse{-FLT_MAX, -FLT_MAX};
  std::array<bool, 3> buttons{};
  int frames_held_for_text_box = 0;
};

FormScreen::FormScreen(Display& display) : impl_(std::make_unique<Impl>(display)) {
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

FormScreen::~FormScreen() {
  ImGui::SetCurrentContext(impl_->context);
  ImGui_ImplSDLRenderer_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext(impl_->context);
}

void FormScreen::SetIdleHook(std::function<void()> hook) {
  impl_->idle = std::move(hook);
}

void FormScreen::ShowModal(Form& frm, platform::EventHandler* owner) {
  if (!frm.IsLoaded()) return;
  ImGui::SetCurrentContext(impl_->context);
  impl_->Run(frm, owner);
}

void FormScreen::Impl::Run(Form& frm, platform::EventHandler* owner) {
  FormView view(frm);
  ForgetInput();
  // Where the pointer is before it first moves over the window.
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  if (SDL_GetMouseFocus() == display.Window())
    mouse = ImVec2(static_cast<float>(x), static_cast<float>(y));
  frm.Activate();
  int settle = kFramesToSettle;
  while (frm.IsLoaded()) {
    Draw(view);
    if (!frm.IsLoaded()) break;
    uint32_t wait = view.FocusInTextBox() ? kCaretRedrawMilliseconds : kIdleRedrawMilliseconds;
    if (settle > 0) {
      --settle;
      wait = 0;
    }
    if (WaitForEvents(wait)) settle = kFramesToSettle;
    TakeEvents(frm, view, owner);
    if (owner != nullptr) owner->OnEventsProcessed();
  }
  GiveBackEvents();
  ForgetInput();
  // The picture without the window, until the game draws its next one.
  display.PresentWithOverlay([](SDL_Renderer*, const SDL_Rect&) {});
  SDL_SetCursor(SDL_GetDefaultCursor());
}

// The font is made for the size the picture is shown at, so the text is sharp at any scale.
void FormScreen::Impl::UseScale(float fScale) {
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

void FormScreen::Impl::Draw(FormView& view) {
  display.PresentWithOverlay([&](SDL_Renderer* renderer, const SDL_Rect& shown) {
    picture = shown;
    UseScale(std::max(0.25f, picture.w / 800.0f));
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    // The windows live in the screen's own pixels; the pointer is what the events said.
    ImGuiIO& io = ImGui::GetIO();
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    io.DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
    io.DisplayFramebufferScale = ImVec2(1, 1);
    io.MousePos = mouse;
    for (size_t i = 0; i < buttons.size(); ++i) io.MouseDown[i] = buttons[i];
    ImGui::NewFrame();
    view.Draw(ImVec2(static_cast<float>(picture.x), static_cast<float>(picture.y)), scale);
    ImGui::Render();
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  });
}

bool FormScreen::Impl::WaitForEvents(uint32_t nMilliseconds) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) pending.push_back(event);
  if (!pending.empty()) return true;
  if (idle) {
    idle();
  } else if (nMilliseconds > 0 && SDL_WaitEventTimeout(&event, static_cast<int>(nMilliseconds))) {
    pending.push_back(event);
  }
  while (SDL_PollEvent(&event)) pending.push_back(event);
  return !pending.empty();
}

// One frame's worth of events. ImGui sees the state of keys and buttons once a frame, so a key
// or button released in the same frame it went down waits for the next one; and each key the
// window answers itself gets a frame of its own, so the window shows every step.
void FormScreen::Impl::TakeEvents(Form& frm, FormView& view, platform::EventHandler* owner) {
  std::array<bool, SDL_NUM_SCANCODES> keysDown{};
  std::array<bool, 3> buttonsDown{};
  auto toScreen = [&](int x, int y) {
    return ImVec2(picture.x + (x + 0.5f) * scale, picture.y + (y + 0.5f) * scale);
  };
  // Keys for a text box wait until its caret is in it.
  auto waitForTextBox = [&] {
    if (!view.FocusInTextBox() || view.TextBoxReady()) {
      frames_held_for_text_box = 0;
      return false;
    }
    return ++frames_held_for_text_box <= kMaxFramesHeldForTextBox;
  };
  while (!pending.empty() && frm.IsLoaded()) {
    SDL_Event& event = pending.front();
    switch (event.type) {
      case SDL_QUIT:
        if (owner != nullptr) owner->OnClose();
        frm.CloseBox();
        break;
      case SDL_KEYDOWN: {
        const SDL_Keysym& key = event.key.keysym;
        if (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT)) {
          ToggleFullScreen(display.Window());
          break;
        }
        const std::optional<FormKey> dialogKey = DialogKey(event.key);
        if (dialogKey && (event.key.repeat == 0 || Repeats(*dialogKey)) &&
            frm.PressKey(*dialogKey)) {
          pending.pop_front();
          return;
        }
        if (dialogKey && event.key.repeat != 0 && !Repeats(*dialogKey)) break;
        if (waitForTextBox()) return;
        ImGui_ImplSDL2_ProcessEvent(&event);
        keysDown[key.scancode] = true;
        break;
      }
      case SDL_CONTROLLERBUTTONDOWN:
        // A gamepad's d-pad moves the focus (or the choice in a list), A presses, B cancels.
        if (const auto keys = DialogKeysOf(event.cbutton.button)) {
          const bool used =
              frm.PressKey(keys->first) || (keys->second && frm.PressKey(*keys->second));
          if (used) {
            pending.pop_front();
            return;
          }
        }
        break;
      case SDL_KEYUP:
        if (keysDown[event.key.keysym.scancode]) return;
        ImGui_ImplSDL2_ProcessEvent(&event);
        break;
      case SDL_TEXTINPUT:
        if (waitForTextBox()) return;
        ImGui_ImplSDL2_ProcessEvent(&event);
        break;
      case SDL_MOUSEMOTION:
        mouse = toScreen(event.motion.x, event.motion.y);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        const int index = ButtonIndex(event.button.button);
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (index >= 0 && !down && buttonsDown[index]) return;
        mouse = toScreen(event.button.x, event.button.y);
        if (index >= 0) {
          buttons[index] = down;
          buttonsDown[index] = down;
        }
        break;
      }
      case SDL_MOUSEWHEEL:
      case SDL_WINDOWEVENT:
        ImGui_ImplSDL2_ProcessEvent(&event);
        break;
      default:
        break;
    }
    pending.pop_front();
  }
  frames_held_for_text_box = 0;
}

void FormScreen::Impl::GiveBackEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) pending.push_back(event);
  for (SDL_Event& left : pending) SDL_PeepEvents(&left, 1, SDL_ADDEVENT, 0, 0);
  pending.clear();
}

// A new window starts with no key or button held, and with no text box being edited: ImGui keeps
// the text of the box it edits, and would write the last window's text into the new one.
void FormScreen::Impl::ForgetInput() {
  ImGui::ClearActiveID();
  ImGuiIO& io = ImGui::GetIO();
  for (bool& key : io.KeysDown) key = false;
  io.KeyCtrl = io.KeyShift = io.KeyAlt = io.KeySuper = false;
  io.InputQueueCharacters.resize(0);
  buttons.fill(false);
  frames_held_for_text_box = 0;
}
