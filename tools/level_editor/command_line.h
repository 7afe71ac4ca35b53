#pragma once
// pibo-edit [LEVELS.dat [NAMES.txt] | PACK_FOLDER] [--level N] [--window WxH]
//           [--report-checks FILE]
// Which level file and names file the editor opens, and the words that change how it starts.
// Also the rule that pairs a level file with its names file, shared by Open and Save As.
#include <filesystem>
#include <string>
#include <vector>

namespace level_editor {

// A level set on disk: a level file with its names file, or a level pack (a folder holding
// "Levels.dat" and "LevelNames_zt.txt").
struct LevelFiles {
  std::filesystem::path LevelFile;
  std::filesystem::path NamesFile;
  std::filesystem::path PackFolder;  // empty unless a pack
  bool IsPack() const { return !PackFolder.empty(); }
  // What the title bar and the messages call it.
  std::string Title() const;
};

// The names file that goes with a level file: the extra set's names for "..._e.dat", else the
// normal set's, in the same folder.
std::filesystem::path NamesFileBeside(const std::filesystem::path& levelFile);
// A level file (its names beside it), or a pack when `path` is a folder, or does not exist yet and
// does not end in ".dat" (Save As makes the folder).
LevelFiles LevelFilesAt(const std::filesystem::path& path);
// The level file with the names file given.
LevelFiles LevelFilesAt(const std::filesystem::path& levelFile,
                        const std::filesystem::path& namesFile);

struct EditorArgs {
  LevelFiles Files;
  int Level = 1;                         // the level shown first
  int WindowWidth = 0, WindowHeight = 0;  // 0: as large as suits the screen
  std::filesystem::path ReportFile;      // --report-checks: the checks and the view, as text
  bool bHelp = false;
  std::string Error;  // a wrong command line: what is wrong
};

// Reads the arguments (without the program's name). With no file, the program folder's level set.
EditorArgs ParseEditorArgs(const std::vector<std::string>& args,
                           const std::filesystem::path& programFolder);

// The usage text of --help and of a wrong command line.
const char* EditorUsage();

}  // namespace level_editor
