#include "app/level_pack.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "base/checksum.h"
#include "base/failure.h"
#include "base/files.h"
#include "base/paths.h"
#include "data/level_set.h"
#include "engines/platform.h"

namespace fs = std::filesystem;

namespace {

// An error of one of the pack's files, told with the pack and the file's name.
[[noreturn]] void RefusePack(const fs::path& folder, const std::string& sFile,
                             const GameError& error) {
  throw GameError(error.Number(),
                  "Level pack " + PathText(folder) + ": " + sFile + ": " + error.what());
}

bool SameFolder(const fs::path& a, const std::string& sOther) {
  std::error_code error;
  return !sOther.empty() && fs::equivalent(a, PathFromText(sOther), error);
}

}  // namespace

LevelPack OpenLevelPack(const std::string& sFolder) {
  std::error_code error;
  const fs::path given = fs::absolute(PathFromText(sFolder), error);
  const fs::file_status status = fs::status(given, error);
  if (!fs::exists(status))
    throw GameError(ERR_FILE_NOT_FOUND, "Level pack " + sFolder + ": there is no such folder");
  if (!fs::is_directory(status))
    throw GameError(ERR_NOT_A_FILE,
                    "Level pack " + sFolder + ": not a folder (a pack is a folder holding " +
                        LevelFileName(false) + " and " + LevelNamesFileName(false) + ")");
  fs::path folder = fs::canonical(given, error);
  if (error) folder = given.lexically_normal();
  // The two files, as the game will read them.
  const char* levelFile = LevelFileName(false);
  const char* namesFile = LevelNamesFileName(false);
  LevelSet levels;
  try {
    levels = ReadLevelFile(folder / levelFile);
  } catch (const GameError& e) {
    RefusePack(folder, levelFile, e);
  }
  try {
    ReadLevelNames(folder / namesFile, levels.LevelCount);
  } catch (const GameError& e) {
    if (e.Number() != ERR_INPUT_PAST_END) RefusePack(folder, namesFile, e);
    RefusePack(folder, namesFile,
               GameError(e.Number(), "fewer names than the " + std::to_string(levels.LevelCount) +
                                         " levels of " + levelFile));
  }
  std::string name = PathText(folder.filename());
  return LevelPack{PathText(folder), name.empty() ? "pack" : name};
}

std::string PackDataFolderName(const LevelPack& pack) {
  // The name is cut at a character's start, so a cut never leaves half a UTF-8 character.
  std::string name = pack.sName;
  if (name.size() > 64) {
    size_t cut = 64;
    while (cut > 0 && (static_cast<uint8_t>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  const uint64_t hash = Fnv1a(pack.sFolder);
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08" PRIx32, static_cast<uint32_t>(hash ^ (hash >> 32)));
  return name + "-" + digits;
}

std::string ChoosePackDataFolder(const LevelPack& pack, const std::string& sProgramFolder,
                                 const std::string& sDataFolder) {
  const fs::path folder = PathFromText(pack.sFolder);
  if (FolderWritable(folder) && !SameFolder(folder, sProgramFolder) &&
      !SameFolder(folder, sDataFolder))
    return pack.sFolder;
  const fs::path kept =
      platform::UserDataFolder("pibo2") / "packs" / PathFromText(PackDataFolderName(pack));
  std::error_code error;
  fs::create_directories(kept, error);
  if (error) throw std::runtime_error("Cannot make " + PathText(kept) + ": " + error.message());
  return PathText(kept);
}
