#pragma once
// The player's settings beyond the original game's options: the volume of the music and of the
// sound effects, the keys and pad buttons of play, and the assists. Every assist is off by
// default, and so are the defaults the classic game: its keys, full volume. They live in a file of
// their own (settings.ini in the player's config folder), never in the options file.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/play_keys.h"

// What the player does in play; each is read by the rules as the key the original game used.
enum class PlayAction { Left, Right, Jump, JumpDown, Fire, ChangeBall, Pause };
constexpr int PLAY_ACTIONS = 7;

// The keys of one action: up to two keyboard keys (DirectInput numbers, 0 for none) and one pad
// button (an SDL game-controller button, NO_PAD_BUTTON for none).
constexpr int NO_PAD_BUTTON = -1;
constexpr int PAD_BUTTON_BACK = 4;
struct ActionKeys {
  std::array<int, 2> Keys{};
  int PadButton = NO_PAD_BUTTON;
  bool operator==(const ActionKeys&) const = default;
};

// The game speeds the speed assist offers, in per cent of the original's.
constexpr std::array<int, 4> GAME_SPEEDS = {100, 90, 80, 70};

struct PlayerSettings {
  int nMusicVolume = 100;    // 0 to 100 %
  int nEffectsVolume = 100;  // 0 to 100 %
  std::array<ActionKeys, PLAY_ACTIONS> Controls;
  // Assists.
  bool bSafeTimeAfterHit = false;  // the hero cannot be hit again for a moment after a hit
  int nGameSpeed = 100;            // one of GAME_SPEEDS
  bool bShowPaused = false;        // "Paused" over the frozen picture
  bool bAskBeforeEsc = false;      // Esc in a game asks first

  PlayerSettings();
  bool operator==(const PlayerSettings&) const = default;
};

// The original game's keys: Left, Right, Up or Space, Down, Ctrl, Shift, P; the pad's d-pad, A, B
// and X, Start for the pause.
std::array<ActionKeys, PLAY_ACTIONS> DefaultControls();

// How the player's keys stand for the original game's keys in play: each bound key counts as its
// action's first original key (Up for Jump, Ctrl for Fire). The defaults map nothing.
PlayKeyMap KeyMapFor(const std::array<ActionKeys, PLAY_ACTIONS>& controls);

// The keys the pad stands for: each bound button the first key of its action, so the pad follows
// the keyboard's map; the left stick runs, jumps and jumps down, the right trigger fires, and the
// d-pad's up jumps while no action has it.
PadKeys PadKeysFor(const std::array<ActionKeys, PLAY_ACTIONS>& controls);

// A pad button's name ("A", "Start", "D-pad Left"); "" for none.
std::string_view PadButtonName(int nButton);

// The action's name in the settings file and window ("Left", "Jump", "Change ball").
std::string_view ActionName(PlayAction action);

// Keys and buttons the game's window keeps for itself, never bound to play: Esc and the function
// keys; the pad's Back (Esc, or the settings with the left shoulder) and Guide.
bool KeyKeptByGame(int nKey);
bool PadButtonKeptByGame(int nButton);

// The action a key is bound to other than `except`, if any: a key serves one action only.
bool KeyInUse(const PlayerSettings& settings, int nKey, PlayAction except, PlayAction* user);
bool PadButtonInUse(const PlayerSettings& settings, int nButton, PlayAction except,
                    PlayAction* user);

// The settings file's text, and the settings read back from one. Reading never fails: a value
// that is missing, out of range, unknown or taken by another action keeps its default, and each
// such value adds a line to `problems` saying which and why.
std::string SettingsFileText(const PlayerSettings& settings);
PlayerSettings ReadPlayerSettings(std::string_view sText, std::vector<std::string>& problems);
