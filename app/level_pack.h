#pragma once
// Level packs: a folder of its own holding a level file ("Levels.dat") and its names
// ("LevelNames_zt.txt"), in the formats of the game's own sets, played with
// `pibo2 --levels FOLDER` in place of them.
#include <string>

struct LevelPack {
  std::string sFolder;  // the pack's folder: absolute, its links followed
  std::string sName;    // the folder's own name, which the window's title and recordings give
};

// The pack in sFolder (a relative path is taken from the current directory), checked to hold what
// the game needs: the folder, its level file whole with 5 to 31 levels, and a name for each of
// them. Reads and never writes. Throws GameError with a message for the player that names the
// folder and the file at fault.
LevelPack OpenLevelPack(const std::string& sFolder);

// The name of a pack's folder in the player's data folder: the pack folder's own name (at most
// 64 bytes of it), a dash and 8 hex digits of a hash of its path, so that two packs of the same
// name in different places are kept apart.
std::string PackDataFolderName(const LevelPack& pack);

// Where a pack's own files go (its options, its high scores, its level file once the editor has
// changed it): the pack's folder when the game can write there, else packs/NAME-HASH in the
// player's data folder, made when missing. A pack in one of the game's own folders
// (sProgramFolder, sDataFolder), whose files are the shipped sets', goes to the player's data
// folder too. Throws when that folder cannot be made.
std::string ChoosePackDataFolder(const LevelPack& pack, const std::string& sProgramFolder,
                                 const std::string& sDataFolder);
