#include "forms/form_screen.h"

#include <SDL.h>

#include <array>
#include <deque>
#include <optional>
#include <vector>

#include "engines/display.h"
#include "engines/gamepad.h"
#include "engines/platform.h"
#include "engines/vbie.h"
#include "forms/form.h"
#include "forms/imgui_adapter.h"

namespace {

// Idle, a window is redrawn now and then, a text box often enough for its caret to blink.
constexpr uint32_t kIdleRedrawMilliseconds = 1000;
constexpr uint32_t kCaretRedrawMilliseconds = 200;
// What an event changes shows in the frame after the one that took it: that many frames are drawn
// before the window idles again.
constexpr int kFramesToSettle = 2;
// Keys meant for a text box wait at most this many frames for its caret.
constexpr int kMaxFramesHeldForTextBox = 10;

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

std::optional<PadKeys> PadKeysOf(uint8_t button) {
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
  explicit Impl(Display& display) : display(display), imgui(display) {}

  // Takes events until one needs a frame of its own, or none is left; whether any was taken.
  bool TakeEvents();
  // Whether the key (or typing) waits a frame for the text box's caret.
  bool WaitForTextBox();
  void Draw();
  void Finish();

  Display& display;
  ImGuiAdapter imgui;
  Form* frm = nullptr;
  std::deque<SDL_Event> pending;
  int settle = 0;
  uint32_t last_drawn = 0;
  int frames_held_for_text_box = 0;
  long frames_drawn = 0;
};

FormScreen::FormScreen(Display& display) : impl_(std::make_unique<Impl>(display)) {}

FormScreen::~FormScreen() {
  if (platform::CurrentRawEventSink() == this) platform::SetRawEventSink(nullptr);
}

bool FormScreen::IsOpen() const {
  return impl_->frm != nullptr;
}

long FormScreen::FramesDrawn() const {
  return impl_->frames_drawn;
}

void FormScreen::Open(Form& frm) {
  if (!frm.IsLoaded()) return;
  impl_->frm = &frm;
  impl_->pending.clear();
  impl_->frames_held_for_text_box = 0;
  impl_->imgui.Begin(frm);
  frm.Activate();
  platform::SetRawEventSink(this);
  impl_->settle = kFramesToSettle;
  impl_->Draw();
}

void FormScreen::TakeEvent(const SDL_Event& event) {
  impl_->pending.push_back(event);
}

void FormScreen::Pass() {
  Impl& s = *impl_;
  if (s.frm == nullptr) return;
  if (s.frm->IsLoaded() && s.TakeEvents()) s.settle = kFramesToSettle;
  if (s.frm->IsLoaded()) {
    const uint32_t wait =
        s.imgui.FocusInTextBox() ? kCaretRedrawMilliseconds : kIdleRedrawMilliseconds;
    const bool due =
        platform::TicksBetween(s.last_drawn, platform::Ticks()) >= static_cast<int32_t>(wait);
    if (s.settle > 0 || due) {
      if (s.settle > 0) --s.settle;
      s.Draw();
    }
  }
  if (!s.frm->IsLoaded()) s.Finish();
}

void FormScreen::Impl::Draw() {
  imgui.Draw();
  last_drawn = platform::Ticks();
  ++frames_drawn;
}

bool FormScreen::Impl::WaitForTextBox() {
  if (!imgui.FocusInTextBox() || imgui.TextBoxReady()) {
    frames_held_for_text_box = 0;
    return false;
  }
  return ++frames_held_for_text_box <= kMaxFramesHeldForTextBox;
}

// One frame's worth of events. ImGui sees the state of keys and buttons once a frame, so a key
// or button released in the same frame it went down waits for the next one; and each key the
// window answers itself gets a frame of its own, so the window shows every step.
bool FormScreen::Impl::TakeEvents() {
  const bool any = !pending.empty();
  std::array<bool, SDL_NUM_SCANCODES> keysDown{};
  std::array<bool, 3> buttonsDown{};
  while (!pending.empty() && frm->IsLoaded()) {
    SDL_Event& event = pending.front();
    switch (event.type) {
      case SDL_KEYDOWN: {
        const SDL_Keysym& key = event.key.keysym;
        if (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT)) {
          ToggleFullScreen(display.Window());
          break;
        }
        if (frm->WaitsForAnyKey()) {
          if (event.key.repeat != 0) break;
          frm->TakeAnyKey(DirectInputKeyFromScancode(key.scancode));
          pending.pop_front();
          return true;
        }
        const std::optional<FormKey> dialogKey = DialogKey(event.key);
        if (dialogKey && (event.key.repeat == 0 || Repeats(*dialogKey)) &&
            frm->PressKey(*dialogKey)) {
          pending.pop_front();
          return true;
        }
        if (dialogKey && event.key.repeat != 0 && !Repeats(*dialogKey)) break;
        if (WaitForTextBox()) return true;
        imgui.TakeEvent(event);
        keysDown[key.scancode] = true;
        break;
      }
      case SDL_CONTROLLERBUTTONDOWN:
        if (frm->WaitsForAnyKey()) {
          frm->TakeAnyPadButton(event.cbutton.button);
          gamepad::ForgetTap(event.cbutton.button);
          pending.pop_front();
          return true;
        }
        if (const auto keys = PadKeysOf(event.cbutton.button)) {
          const bool used =
              frm->PressKey(keys->first) || (keys->second && frm->PressKey(*keys->second));
          if (used) {
            gamepad::ForgetTap(event.cbutton.button);
            pending.pop_front();
            return true;
          }
        }
        break;
      case SDL_KEYUP:
        if (keysDown[event.key.keysym.scancode]) return true;
        imgui.TakeEvent(event);
        break;
      case SDL_TEXTINPUT:
        if (frm->WaitsForAnyKey()) break;
        if (WaitForTextBox()) return true;
        imgui.TakeEvent(event);
        break;
      case SDL_MOUSEMOTION:
        imgui.MovePointer(event.motion.x, event.motion.y);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        const int index = ButtonIndex(event.button.button);
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (index >= 0 && !down && buttonsDown[index]) return true;
        imgui.MovePointer(event.button.x, event.button.y);
        if (index >= 0) {
          imgui.SetButton(index, down);
          buttonsDown[index] = down;
        }
        break;
      }
      case SDL_MOUSEWHEEL:
      case SDL_WINDOWEVENT:
        imgui.TakeEvent(event);
        break;
      default:
        break;
    }
    pending.pop_front();
  }
  frames_held_for_text_box = 0;
  return any;
}

// The window goes. The events that came after it closed go back to the main window, in order.
void FormScreen::Impl::Finish() {
  if (platform::CurrentRawEventSink() != nullptr) platform::SetRawEventSink(nullptr);
  platform::ReturnEvents(std::vector<SDL_Event>(pending.begin(), pending.end()));
  pending.clear();
  frames_held_for_text_box = 0;
  imgui.End();
  frm = nullptr;
}
