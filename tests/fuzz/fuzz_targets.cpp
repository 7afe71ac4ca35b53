#include "tests/fuzz/fuzz_targets.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "base/settings_text.h"
#include "base/version.h"
#include "data/cell_codes.h"
#include "data/high_scores.h"
#include "data/level_set.h"
#include "data/options.h"
#include "data/recording.h"
#include "engines/media_checks.h"
#include "engines/surface.h"
#include "engines/vbse.h"
#include "headless/key_script.h"
#include "play/play_state.h"
#include "tools/level_packer/level_text.h"

namespace {

// A broken promise is a finding: stop here so the fuzzer keeps the input.
void Expect(bool bHolds) {
  if (!bHolds) __builtin_trap();
}

std::span<const uint8_t> Bytes(const uint8_t* data, size_t size) {
  return {data, size};
}

std::string_view Text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

constexpr FuzzTarget kTargets[] = {
    {"level_file", FuzzLevelFile}, {"level_names", FuzzLevelNames}, {"high_scores", FuzzHighScores},
    {"options", FuzzOptions},      {"picture", FuzzPicture},        {"wave", FuzzWave},
    {"level_text", FuzzLevelText}, {"key_script", FuzzKeyScript},   {"recording", FuzzRecording},
    {"settings", FuzzSettings},
};

// Recordings.

// The most frames of a recording played per input: enough to take a level or two, few enough
// for thousands of inputs a second.
constexpr long kMostReplayedFrames = 2000;

// A level set for the recordings to play on: on every slot a floor and ledges of every kind of
// platform, gems and every power-up, so a replay meets all of the rules. A recording of the
// extra set plays on a set of five levels, the fewest a set may have, as an edited set can.
LevelSet ReplayLevels(int16_t nCount) {
  LevelSet levels;
  levels.LevelCount = nCount;
  levels.LevelGrid.fill(NOTHING);
  uint32_t seed = 7;
  auto next = [&](uint32_t nBelow) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % nBelow);
  };
  for (int level = 1; level <= LEVEL_SLOTS; ++level) {
    for (int c = 0; c < LEVEL_COLUMNS; ++c)
      levels.Cell(level, c, 29) = static_cast<uint8_t>((level + c / 8) % (PLATFORM_SPACE2 + 1));
    levels.Cell(level, 12, 28) = GEM_NORMAL;
    // Columns 0 and 31 stay clear: the hero starts there and the bombs come in there.
    for (int ledge = 0; ledge < 6; ++ledge) {
      const int row = 8 + next(16), column = 1 + next(25);
      for (int c = column; c < column + 6; ++c)
        levels.Cell(level, c, row) = static_cast<uint8_t>(next(PLATFORM_SPACE2 + 1));
      levels.Cell(level, column + 1, row - 1) = GEM_NORMAL;
      levels.Cell(level, column + 4, row - 1) = static_cast<uint8_t>(
          POWERUP_HIGHJUMP + next(POWERUP_SHOOTEXPLODE - POWERUP_HIGHJUMP + 1));
    }
  }
  return levels;
}

// The first frames of a recording played as pibo-sim --replay plays it, on the levels above.
void PlayRecording(const Recording& r) {
  static const LevelSet normal = ReplayLevels(LEVEL_SLOTS), extra = ReplayLevels(LEVEL_COUNT_MIN);
  LevelSet levels = r.bExtra ? extra : normal;
  PlayState play;
  play.Levels = &levels;
  play.Rng.SetState(r.RandomState);
  play.NewGame(r.LevelBefore, r.StageBefore);
  // The simulator stops, with a message, where the next level cannot be entered.
  auto enter = [&] {
    try {
      play.EnterNextLevel(r.nEasyGame);
      return true;
    } catch (const GameError&) {
      return false;
    }
  };
  if (!enter()) return;
  const long frames = std::min(r.Frames(), kMostReplayedFrames);
  for (long frame = 0; frame < frames; ++frame) {
    play.KeyboardState = r.SnapshotAt(frame);
    play.nHighDetailGraphics = r.Detail[static_cast<size_t>(frame)];
    play.TurnChar();
    const PlayStep step = play.Step(false);
    Expect(step != PlayStep::Failed);  // no sound is played, so none can fail
    if (step == PlayStep::GameOver || (step == PlayStep::LevelDone && !enter())) return;
  }
}

// Reads a recording and, when it is one, holds it to its promises and plays it.
void CheckRecording(std::string_view text) {
  Recording r;
  try {
    r = ParseRecording(text, GAME_VERSION);
  } catch (const GameError&) {
    return;
  }
  // Only numbers the game itself writes reach the rules.
  Expect(r.nEasyGame == 0 || r.nEasyGame == 1);
  Expect(r.nHighDetailGraphics == 0 || r.nHighDetailGraphics == 1);
  Expect(r.LevelBefore >= 0 && r.LevelBefore < LEVEL_SLOTS);
  Expect(r.StageBefore >= 0 && r.StageBefore <= 4);
  Expect(r.EndLevel >= 1 && r.EndLevel <= LEVEL_SLOTS && r.EndScore >= 0);
  Expect(r.RandomState <= 0xFFFFFF && r.Detail.size() == r.Keys.size());
  for (const uint8_t detail : r.Detail) Expect(detail <= 1);
  // What the game writes of it reads back as the same recording, and is written the same again.
  const std::string written = RecordingText(r);
  try {
    const Recording again = ParseRecording(written, GAME_VERSION);
    Expect(again.bExtra == r.bExtra && again.LevelsCheck == r.LevelsCheck &&
           again.RandomState == r.RandomState && again.nEasyGame == r.nEasyGame &&
           again.nHighDetailGraphics == r.nHighDetailGraphics &&
           again.LevelBefore == r.LevelBefore && again.StageBefore == r.StageBefore &&
           again.Keys == r.Keys && again.Detail == r.Detail && again.EndScore == r.EndScore &&
           again.EndLevel == r.EndLevel);
    Expect(RecordingText(again) == written);
  } catch (const GameError&) {
    Expect(false);
  }
  PlayRecording(r);
}

// The text with its check line made to match what comes before it, as the game would have
// signed it; nothing when it matches already.
std::optional<std::string> Resigned(std::string_view text) {
  const size_t at = text.rfind("check ");
  const bool hasCheck = at != std::string_view::npos && (at == 0 || text[at - 1] == '\n');
  const std::string_view body = text.substr(0, hasCheck ? at : text.size());
  std::string signed_text = std::string(body) + RecordingCheckLine(body);
  if (signed_text == text) return std::nullopt;
  return signed_text;
}

// Settings files.

// The settings the game could write: its own, and others of sections a file may hold.
struct SettingKey {
  const char* Section;
  const char* Key;
};
constexpr SettingKey kSettingKeys[] = {
    {"General", "AppPath"}, {"General", "Language"}, {"Window", "Left"}, {"Recent Files", "File1"}};

// The lines of a settings text as SettingsTextWith reads them: split at LF, a final LF ending the
// last line.
std::vector<std::string_view> SettingsLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

}  // namespace

std::span<const FuzzTarget> FuzzTargets() {
  return kTargets;
}

int FuzzLevelFile(const uint8_t* data, size_t size) {
  try {
    const LevelSet levels = ParseLevelFile(Bytes(data, size));
    const std::vector<uint8_t> record = LevelFileBytes(levels);
    Expect(std::equal(record.begin(), record.end(), data));  // the record reads back unchanged
    for (int level = 1; level <= levels.LevelCount; ++level) levels.Slot(level);
  } catch (const GameError&) {
  }
  return 0;
}

int FuzzLevelNames(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int count = data[0] % 33;  // also counts the game never plays, as a names file may
  try {
    const std::vector<std::string> names = ParseLevelNames(Text(data + 1, size - 1), count);
    Expect(static_cast<int>(names.size()) == count);
    for (const std::string& name : names) Expect(name.size() <= LEVEL_NAME_MAX);
  } catch (const GameError&) {
  }
  return 0;
}

int FuzzHighScores(const uint8_t* data, size_t size) {
  const HighScoreTable table = ParseHighScores(Bytes(data, size), DefaultHighScores());
  for (const HighScoreEntry& entry : table) Expect(entry.Name.size() == HIGHSCORE_NAME_LENGTH);
  const std::vector<uint8_t> bytes = HighScoreBytes(table);
  Expect(ParseHighScores(bytes, DefaultHighScores()) == table);
  return 0;
}

int FuzzOptions(const uint8_t* data, size_t size) {
  try {
    const GameOptions options = ParseOptions(Bytes(data, size));
    const auto bytes = OptionsBytes(options);
    const GameOptions again = ParseOptions(bytes);
    Expect(again.nEasyGame == options.nEasyGame && again.bSoundEffects == options.bSoundEffects &&
           again.bMusic == options.bMusic &&
           again.nHighDetailGraphics == options.nHighDetailGraphics);
  } catch (const GameError&) {
  }
  return 0;
}

int FuzzPicture(const uint8_t* data, size_t size) {
  if (size > PictureFileLimit(0, 0)) return 0;  // the engine never reads more
  try {
    const auto surface = Surface::FromBytes(Bytes(data, size));
    const SurfaceDesc desc = surface->GetSurfaceDesc();
    Expect(desc.Width > 0 && desc.Width <= PICTURE_SIDE_MAX);
    Expect(desc.Height > 0 && desc.Height <= PICTURE_SIDE_MAX);
  } catch (const GameError&) {
  }
  return 0;
}

int FuzzWave(const uint8_t* data, size_t size) {
  if (size > WaveFileLimit()) return 0;  // the engine never reads more
  // The mixer opened as the game opens it, on the dummy driver, so waves are converted as they
  // are when the game plays.
  static const bool opened = [] {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    static VBSE engine;
    return engine.Initialize();
  }();
  Expect(opened);
  try {
    VBSE::DecodeWave(Bytes(data, size), true);
  } catch (const GameError&) {
  }
  return 0;
}

int FuzzLevelText(const uint8_t* data, size_t size) {
  try {
    const LevelSlotSource slot = ParseLevelSource(Text(data, size), "fuzz.txt");
    const LevelSlotSource again = ParseLevelSource(LevelSourceText(slot, 1), "again.txt");
    Expect(again.Cells == slot.Cells && again.Name == slot.Name);
  } catch (const LevelTextError&) {
  }
  return 0;
}

int FuzzKeyScript(const uint8_t* data, size_t size) {
  std::istringstream in{std::string(Text(data, size))};
  try {
    const KeyScript script = KeyScript::Parse(in, "fuzz.keys");
    long last = -1;
    for (const KeyScriptLine& line : script.Lines()) {
      Expect(line.nFrame > last);
      last = line.nFrame;
      script.KeysAt(line.nFrame);
    }
  } catch (const std::runtime_error&) {
  }
  return 0;
}

int FuzzRecording(const uint8_t* data, size_t size) {
  const std::string_view text = Text(data, size);
  CheckRecording(text);
  // Almost every change breaks the check, so the same text signed goes through the rest too.
  if (const std::optional<std::string> signed_text = Resigned(text)) CheckRecording(*signed_text);
  return 0;
}

// The input: the setting (its first byte), the length of the value (its second) and the value,
// then the settings file.
int FuzzSettings(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const SettingKey& setting = kSettingKeys[data[0] % std::size(kSettingKeys)];
  const std::string_view rest = Text(data + 2, size - 2);
  const std::string_view value = rest.substr(0, data[1]);
  const std::string_view old =
      rest.substr(value.size(), std::min<size_t>(rest.size() - value.size(), SETTINGS_FILE_LIMIT));

  // The value stays on its line and reads back as it was.
  const std::string escaped = EscapeSettingValue(value);
  for (const char c : escaped) Expect(static_cast<unsigned char>(c) >= 32 && c != 127);
  Expect(UnescapeSettingValue(escaped) == value);

  const std::string text = SettingsTextWith(old, setting.Section, setting.Key, value);
  Expect(text.ends_with('\n'));
  const std::vector<std::string_view> before = SettingsLines(old), after = SettingsLines(text);
  // The first line of the key in the first such section, the one that is read, holds the value.
  const std::string header = std::string("[") + setting.Section + "]";
  const std::string prefix = std::string(setting.Key) + "=";
  // A section line may end with the CR of a Windows editor's CR LF.
  const auto section = std::find_if(after.begin(), after.end(), [&](std::string_view other) {
    if (other.ends_with('\r')) other.remove_suffix(1);
    return other == header;
  });
  Expect(section != after.end());
  const auto line = std::find_if(section + 1, after.end(), [&](std::string_view other) {
    return other.starts_with('[') || other.starts_with(prefix);
  });
  Expect(line != after.end() && *line == prefix + escaped);
  // Every other line is kept, in order: the key's old line replaced, or the key's line added to
  // its section, or the section added at the end with it.
  const size_t at = static_cast<size_t>(line - after.begin());
  std::vector<std::string_view> others(after.begin(), after.end());
  std::vector<std::string_view> kept(before.begin(), before.end());
  others.erase(others.begin() + static_cast<long>(at));
  if (after.size() == before.size()) {
    Expect(kept[at].starts_with(prefix));
    kept.erase(kept.begin() + static_cast<long>(at));
  } else if (after.size() == before.size() + 2) {
    Expect(others.back() == header && std::find(kept.begin(), kept.end(), header) == kept.end());
    others.pop_back();
  }
  Expect(others == kept);
  // Written again with the same value, the file stays byte for byte the same.
  Expect(SettingsTextWith(text, setting.Section, setting.Key, value) == text);
  return 0;
}
