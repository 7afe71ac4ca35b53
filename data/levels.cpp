// Reading the level set and its names at start-up, writing the level set back at the end.
#include <string>

#include "app/failure.h"
#include "app/globals.h"
#include "data/file_io.h"
#include "game/game.h"

namespace {

std::filesystem::path LevelFilePath() {
  const char* name = ExtraMode ? "Levels_e.dat" : "Levels.dat";
  return ProgramFolder.empty() ? std::filesystem::path(name)
                               : std::filesystem::path(ProgramFolder) / name;
}

const char* LevelNamesFile() {
  return ExtraMode ? "LevelNames_zt_e.txt" : "LevelNames_zt.txt";
}

}  // namespace

bool Game::LoadLevels() {
  return Trapped("Game - LoadLevels - ", [&] {
    Levels = ParseLevelFile(ReadFileBytes(LevelFilePath()));
    const std::vector<uint8_t> names = ReadFileBytes(LevelNamesFile());
    LevelNames =
        ParseLevelNames(std::string_view(reinterpret_cast<const char*>(names.data()), names.size()),
                        Levels.LevelCount);
    LevelNames.resize(LEVEL_SLOTS);
    return true;
  });
}

void Game::SaveLevels() {
  WriteFileHead(LevelFilePath(), LevelFileBytes(Levels));
}
