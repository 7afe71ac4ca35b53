#include "tests/fuzz/fuzz_targets.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "data/high_scores.h"
#include "data/level_set.h"
#include "data/options.h"
#include "engines/media_checks.h"
#include "engines/surface.h"
#include "engines/vbse.h"
#include "headless/key_script.h"
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
    {"level_file", FuzzLevelFile}, {"level_names", FuzzLevelNames},
    {"high_scores", FuzzHighScores}, {"options", FuzzOptions},
    {"picture", FuzzPicture},       {"wave", FuzzWave},
    {"level_text", FuzzLevelText},   {"key_script", FuzzKeyScript},
};

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
