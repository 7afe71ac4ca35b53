// The game's files: the catalogue's pictures and sounds, loaded once at start-up, all or nothing;
// the level set and its names; the options and the high scores, read at start-up and written at
// the end of the run. The extra level set has files of its own for each.
#include <filesystem>
#include <string>

#include "base/error_log.h"
#include "base/failure.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/settings_text.h"
#include "data/file_io.h"
#include "engines/gamepad.h"
#include "engines/host_window.h"
#include "game/game.h"

bool Game::LoadGraphics() {
  return Trapped("Game - LoadGraphics - ", [&] {
    for (int i = 0; i < PICTURE_COUNT; ++i)
      if (Pictures[i] == nullptr && !LoadPicture(static_cast<PictureId>(i))) return false;
    return true;
  });
}

bool Game::LoadPicture(PictureId nPicture) {
  const PictureSize size = PictureSizeOf(nPicture);
  return GE.LoadBitmap(PictureFile(nPicture, ExtraMode), Pictures[static_cast<size_t>(nPicture)],
                       size.Width, size.Height);
}

bool Game::LoadSounds() {
  return Trapped("Game - LoadSounds - ", [&] {
    for (const SoundFileInfo& row : SoundFiles()) {
      SoundBufferPtr& buffer = Sounds[static_cast<size_t>(row.Sound)];
      if (!SE.LoadSound(row.File, buffer, row.bHighQuality)) return false;
      buffer->SetVolume(row.nVolume);
    }
    return true;
  });
}

std::filesystem::path Game::DataFile(std::string_view name) const {
  return DataFolder.empty() ? std::filesystem::path(name) : PathFromText(DataFolder) / name;
}

std::filesystem::path Game::ReadableDataFile(std::string_view name) const {
  const std::filesystem::path kept = DataFile(name);
  // A pack's files never start from the shipped sets' own.
  if (DataFolder.empty() || PlaysPack() || FileExists(kept)) return kept;
  return std::filesystem::path(name);
}

bool Game::LoadLevels() {
  return Trapped("Game - LoadLevels - ", [&] {
    const char* file = LevelFileName(ExtraMode);
    std::filesystem::path levelFile = DataFile(file);
    std::filesystem::path namesFile = LevelNamesFileName(ExtraMode);
    if (PlaysPack()) {
      // A pack's level file is read from the pack until the editor has changed it; from then on
      // the changed one is kept with the pack's own files (in the pack's folder, when it can be
      // written, that is the pack's own level file).
      if (!FileExists(levelFile)) levelFile = PathFromText(PackFolder) / file;
      namesFile = PathFromText(PackFolder) / namesFile;
    } else if (!DataFolder.empty() && !FileExists(levelFile)) {
      // The level file the editor changes lives in the data folder, starting as the shipped one.
      WriteFileAtomically(levelFile, ReadFileBytes(file, LEVEL_FILE_LIMIT));
    }
    Levels = ReadLevelFile(levelFile);
    LevelNames = ReadLevelNames(namesFile, Levels.LevelCount);
    LevelNames.resize(LEVEL_SLOTS);
    LoadedLevelsCheck = LevelSetCheck(Levels);
    return true;
  });
}

void Game::SaveLevels() {
  // A pack is left as it came, and its place in the player's data folder gets no copy, until its
  // levels change.
  if (PlaysPack() && LevelSetCheck(Levels) == LoadedLevelsCheck) return;
  WriteFileHead(DataFile(LevelFileName(ExtraMode)), LevelFileBytes(Levels));
}

bool Game::LoadPlayerSettings() {
  return Trapped("Game - LoadPlayerSettings - ", [&] {
    // Without a file the settings stay as they are: the defaults, or what a test set.
    if (SettingsFile.empty()) return true;
    // A settings file that cannot be used is no reason not to play: its values stay at their
    // defaults, and the error log says which and why.
    const std::string who = "Game - LoadPlayerSettings - " + PathText(SettingsFile) + ": ";
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(SettingsFile, error))) return true;
    std::vector<uint8_t> bytes;
    try {
      bytes = ReadFileBytes(SettingsFile, SETTINGS_FILE_LIMIT);
    } catch (const GameError& e) {
      LogError(who + e.what());
      return true;
    }
    std::vector<std::string> problems;
    Settings = ReadPlayerSettings(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), problems);
    for (const std::string& problem : problems) LogError(who + problem + "; the default is kept");
    return true;
  });
}

bool Game::SavePlayerSettings() {
  return Trapped("Game - SavePlayerSettings - ", [&] {
    if (SettingsFile.empty()) return true;
    const std::string text = SettingsFileText(Settings);
    WriteFileAtomically(SettingsFile,
                        std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    return true;
  });
}

void Game::ApplyControls() {
  IE.SetPlayKeyMap(KeyMapFor(Settings.Controls));
  gamepad::SetPadKeys(PadKeysFor(Settings.Controls));
}

void Game::ApplyVolumes() {
  SE.SetEffectsVolume(Settings.nEffectsVolume);
  HostForm->SetMusicVolume(Settings.nMusicVolume);
}

bool Game::LoadGameOptions() {
  return Trapped("Game - LoadGameOptions - ", [&] {
    const auto bytes = ReadPlayerFile(ReadableDataFile(OptionsFileName(ExtraMode)),
                                      OPTIONS_FILE_SIZE, "Game - LoadGameOptions - ");
    Options = bytes ? ParseOptions(*bytes) : GameOptions{};
    // The extra levels are always played at full difficulty.
    if (ExtraMode) Options.nEasyGame = 0;
    return true;
  });
}

bool Game::SaveGameOptions() {
  return Trapped("Game - SaveGameOptions - ", [&] {
    WriteFileHead(DataFile(OptionsFileName(ExtraMode)), OptionsBytes(Options));
    return true;
  });
}

void Game::RemoveInterruptedSaves() {
  // Both level sets' files share the folder, so both sets' leftovers go.
  const std::string_view saved[] = {OptionsFileName(false),   OptionsFileName(true),
                                    HighScoreFileName(false), HighScoreFileName(true),
                                    LevelFileName(false),     LevelFileName(true)};
  RemoveStaleTemporaries(DataFolder.empty() ? "." : DataFolder, saved);
}

void Game::MakeDefaultHighScores() {
  HighScores = DefaultHighScores();
}

// The table as its file holds it now: the default table where there is none.
HighScoreTable Game::HighScoresOnDisk(const char* sWho) const {
  const auto bytes =
      ReadPlayerFile(ReadableDataFile(HighScoreFileName(ExtraMode)), HIGHSCORE_FILE_SIZE, sWho);
  return bytes ? ParseHighScores(*bytes, DefaultHighScores()) : DefaultHighScores();
}

bool Game::LoadHighScores() {
  return Trapped("Game - LoadHighScores - ", [&] {
    HighScores = HighScoresOnDisk("Game - LoadHighScores - ");
    return true;
  });
}

bool Game::SaveHighScores() {
  return Trapped("Game - SaveHighScores - ", [&] {
    const std::filesystem::path file = DataFile(HighScoreFileName(ExtraMode));
    std::filesystem::path lockFile = file;
    lockFile += ".lock";
    const FileLock lock(lockFile);
    // Another copy of the game is saving its scores this moment: these follow a moment later.
    HighScoresBusy = !lock.Held();
    if (HighScoresBusy) return false;
    HighScoreTable table = HighScoresOnDisk("Game - SaveHighScores - ");
    for (const HighScoreEntry& entry : UnsavedHighScores) EnterHighScore(table, entry);
    WriteFileHead(file, HighScoreBytes(table));
    UnsavedHighScores.clear();
    HighScores = table;
    return true;
  });
}
