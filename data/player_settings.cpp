#include "data/player_settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "base/key_codes.h"
#include "base/key_names.h"
#include "base/settings_text.h"

namespace {

constexpr std::string_view kActionNames[PLAY_ACTIONS] = {
    "Left", "Right", "Jump", "Jump down", "Fire", "Change ball", "Pause"};

// The pad's buttons by their numbers in SDL's game-controller layout.
constexpr std::string_view kPadButtons[] = {
    "A",          "B",           "X",         "Y",          "Back",
    "Guide",      "Start",       "Left Stick", "Right Stick", "Left Shoulder",
    "Right Shoulder", "D-pad Up", "D-pad Down", "D-pad Left", "D-pad Right"};
constexpr int kPadButtonCount = static_cast<int>(std::size(kPadButtons));
constexpr int kPadGuide = 5;

int PadButtonFromName(std::string_view sName) {
  for (int i = 0; i < kPadButtonCount; ++i)
    if (kPadButtons[i] == sName) return i;
  return NO_PAD_BUTTON;
}

// A whole number from `lowest` to `highest`, or nothing.
bool ReadWhole(std::string_view sText, int nLowest, int nHighest, int& value) {
  int number = 0;
  const auto [end, error] = std::from_chars(sText.data(), sText.data() + sText.size(), number);
  if (error != std::errc() || end != sText.data() + sText.size()) return false;
  if (number < nLowest || number > nHighest) return false;
  value = number;
  return true;
}

bool ReadOnOff(std::string_view sText, bool& value) {
  if (sText != "on" && sText != "off") return false;
  value = sText == "on";
  return true;
}

std::string ActionKey(int action) {
  // "Jump down" is written "JumpDown" as a key of the file.
  std::string key;
  bool word = false;
  for (const char c : kActionNames[action]) {
    if (c == ' ') {
      word = true;
      continue;
    }
    key += word ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    word = false;
  }
  return key;
}

}  // namespace

PlayerSettings::PlayerSettings() : Controls(DefaultControls()) {}

std::string_view PadButtonName(int nButton) {
  return nButton >= 0 && nButton < kPadButtonCount ? kPadButtons[nButton] : std::string_view();
}

std::array<ActionKeys, PLAY_ACTIONS> DefaultControls() {
  return {{
      {{dik::LEFT, 0}, 13},
      {{dik::RIGHT, 0}, 14},
      {{dik::UP, dik::SPACE}, 0},
      {{dik::DOWN, 0}, 12},
      {{dik::LCONTROL, dik::RCONTROL}, 1},
      {{dik::LSHIFT, dik::RSHIFT}, 2},
      {{dik::P, 0}, 6},
  }};
}

PlayKeyMap KeyMapFor(const std::array<ActionKeys, PLAY_ACTIONS>& controls) {
  PlayKeyMap map;
  const auto defaults = DefaultControls();
  if (controls == defaults) return map;
  map.bIdentity = false;
  for (const ActionKeys& action : defaults)
    for (const int key : action.Keys)
      if (key != 0) map.Taken[key] = true;
  for (int a = 0; a < PLAY_ACTIONS; ++a)
    for (const int key : controls[a].Keys)
      if (key != 0) map.To[key] = static_cast<uint8_t>(defaults[a].Keys[0]);
  return map;
}

PadKeys PadKeysFor(const std::array<ActionKeys, PLAY_ACTIONS>& controls) {
  const auto key = [&](PlayAction action) {
    const ActionKeys& keys = controls[static_cast<int>(action)];
    return keys.Keys[0] != 0 ? keys.Keys[0] : keys.Keys[1];
  };
  PadKeys pad;
  for (int a = 0; a < PLAY_ACTIONS; ++a) {
    const int button = controls[a].PadButton;
    if (button >= 0 && button < PAD_BUTTONS) pad.Buttons[button] = key(static_cast<PlayAction>(a));
  }
  constexpr int kDpadUp = 11;
  if (pad.Buttons[kDpadUp] == 0) pad.Buttons[kDpadUp] = key(PlayAction::Jump);
  pad.StickLeft = key(PlayAction::Left);
  pad.StickRight = key(PlayAction::Right);
  pad.StickUp = key(PlayAction::Jump);
  pad.StickDown = key(PlayAction::JumpDown);
  pad.RightTrigger = key(PlayAction::Fire);
  return pad;
}

std::string_view ActionName(PlayAction action) {
  return kActionNames[static_cast<int>(action)];
}

bool KeyKeptByGame(int nKey) {
  return nKey == dik::ESCAPE || (nKey >= dik::F1 && nKey <= dik::F10) || nKey == dik::F11 ||
         nKey == dik::F12;
}

bool PadButtonKeptByGame(int nButton) {
  return nButton == PAD_BUTTON_BACK || nButton == kPadGuide;
}

bool KeyInUse(const PlayerSettings& settings, int nKey, PlayAction except, PlayAction* user) {
  if (nKey == 0) return false;
  for (int a = 0; a < PLAY_ACTIONS; ++a) {
    if (a == static_cast<int>(except)) continue;
    const auto& keys = settings.Controls[a].Keys;
    if (std::find(keys.begin(), keys.end(), nKey) == keys.end()) continue;
    if (user) *user = static_cast<PlayAction>(a);
    return true;
  }
  return false;
}

bool PadButtonInUse(const PlayerSettings& settings, int nButton, PlayAction except,
                    PlayAction* user) {
  if (nButton == NO_PAD_BUTTON) return false;
  for (int a = 0; a < PLAY_ACTIONS; ++a) {
    if (a == static_cast<int>(except) || settings.Controls[a].PadButton != nButton) continue;
    if (user) *user = static_cast<PlayAction>(a);
    return true;
  }
  return false;
}

std::string SettingsFileText(const PlayerSettings& s) {
  std::string text = "[Volume]\n";
  text += "Music=" + std::to_string(s.nMusicVolume) + "\n";
  text += "Effects=" + std::to_string(s.nEffectsVolume) + "\n";
  text += "\n[Controls]\n";
  for (int a = 0; a < PLAY_ACTIONS; ++a) {
    const ActionKeys& keys = s.Controls[a];
    std::string value;
    for (const int key : keys.Keys) {
      if (key == 0) continue;
      if (!value.empty()) value += ", ";
      value += KeyName(key);
    }
    text += ActionKey(a) + "=" + EscapeSettingValue(value) + "\n";
    text += ActionKey(a) + "Pad=" + std::string(PadButtonName(keys.PadButton)) + "\n";
  }
  text += "\n[Assists]\n";
  text += std::string("SafeTimeAfterHit=") + (s.bSafeTimeAfterHit ? "on" : "off") + "\n";
  text += "GameSpeed=" + std::to_string(s.nGameSpeed) + "\n";
  text += std::string("ShowPaused=") + (s.bShowPaused ? "on" : "off") + "\n";
  text += std::string("AskBeforeEsc=") + (s.bAskBeforeEsc ? "on" : "off") + "\n";
  return text;
}

PlayerSettings ReadPlayerSettings(std::string_view sText, std::vector<std::string>& problems) {
  PlayerSettings s;
  const SettingsSections sections = ReadSettingsText(sText);
  const auto value = [&](std::string_view section, std::string_view key) -> const std::string* {
    const auto found = sections.find(section);
    if (found == sections.end()) return nullptr;
    const auto entry = found->second.find(std::string(key));
    return entry == found->second.end() ? nullptr : &entry->second;
  };
  const auto refuse = [&](std::string_view section, std::string_view key, std::string_view why) {
    problems.push_back(std::string(section) + "/" + std::string(key) + ": " + std::string(why));
  };

  for (const auto& [key, target] : {std::pair{"Music", &s.nMusicVolume},
                                    std::pair{"Effects", &s.nEffectsVolume}}) {
    const std::string* text = value("Volume", key);
    if (text && !ReadWhole(*text, 0, 100, *target))
      refuse("Volume", key, "not a whole number from 0 to 100");
  }

  // Keys are taken in the actions' order; a key or button an earlier action has is refused.
  PlayerSettings taken;
  for (ActionKeys& keys : taken.Controls) keys = ActionKeys{};
  for (int a = 0; a < PLAY_ACTIONS; ++a) {
    const PlayAction action = static_cast<PlayAction>(a);
    ActionKeys wanted = s.Controls[a];
    if (const std::string* text = value("Controls", ActionKey(a))) {
      wanted.Keys = {0, 0};
      size_t count = 0;
      for (size_t at = 0; at <= text->size();) {
        const size_t comma = std::min(text->find(',', at), text->size());
        std::string_view name = std::string_view(*text).substr(at, comma - at);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        at = comma + 1;
        if (name.empty()) continue;
        const int key = KeyFromName(name);
        if (key == 0) {
          refuse("Controls", ActionKey(a), "no key is called \"" + std::string(name) + "\"");
        } else if (KeyKeptByGame(key)) {
          refuse("Controls", ActionKey(a), std::string(KeyName(key)) + " belongs to the game's window");
        } else if (count == wanted.Keys.size()) {
          refuse("Controls", ActionKey(a), "more than two keys");
        } else if (KeyInUse(taken, key, action, nullptr) ||
                   std::find(wanted.Keys.begin(), wanted.Keys.end(), key) != wanted.Keys.end()) {
          refuse("Controls", ActionKey(a), std::string(KeyName(key)) + " is already in use");
        } else {
          wanted.Keys[count++] = key;
        }
      }
      if (count == 0) wanted.Keys = s.Controls[a].Keys;  // an action without a key is unplayable
    }
    if (const std::string* text = value("Controls", ActionKey(a) + "Pad")) {
      const int button = text->empty() ? NO_PAD_BUTTON : PadButtonFromName(*text);
      if (!text->empty() && button == NO_PAD_BUTTON)
        refuse("Controls", ActionKey(a) + "Pad", "no pad button is called \"" + *text + "\"");
      else if (PadButtonKeptByGame(button))
        refuse("Controls", ActionKey(a) + "Pad", *text + " belongs to the game's window");
      else
        wanted.PadButton = button;
    }
    if (PadButtonInUse(taken, wanted.PadButton, action, nullptr)) {
      refuse("Controls", ActionKey(a) + "Pad", "the button is already in use");
      wanted.PadButton = NO_PAD_BUTTON;
    }
    // A default key another action has taken by now goes.
    for (int& key : wanted.Keys)
      if (KeyInUse(taken, key, action, nullptr)) key = 0;
    taken.Controls[a] = wanted;
  }
  s.Controls = taken.Controls;

  const auto onOff = [&](std::string_view key, bool& target) {
    const std::string* text = value("Assists", key);
    if (text && !ReadOnOff(*text, target)) refuse("Assists", key, "neither on nor off");
  };
  onOff("SafeTimeAfterHit", s.bSafeTimeAfterHit);
  onOff("ShowPaused", s.bShowPaused);
  onOff("AskBeforeEsc", s.bAskBeforeEsc);
  if (const std::string* text = value("Assists", "GameSpeed")) {
    int speed = 0;
    if (ReadWhole(*text, 0, 100, speed) &&
        std::find(GAME_SPEEDS.begin(), GAME_SPEEDS.end(), speed) != GAME_SPEEDS.end())
      s.nGameSpeed = speed;
    else
      refuse("Assists", "GameSpeed", "not 100, 90, 80 or 70");
  }
  return s;
}
