#include "tools/level_editor/command_line.h"

#include <charconv>
#include <system_error>

#include "base/paths.h"
#include "data/level_set.h"
#include "tools/level_editor/level_document.h"

namespace fs = std::filesystem;

namespace level_editor {

namespace {

bool ReadNumber(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

bool ReadSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  return x != std::string::npos && ReadNumber(text.substr(0, x), width) &&
         ReadNumber(text.substr(x + 1), height) && width >= 320 && height >= 240 &&
         width <= 10000 && height <= 10000;
}

bool IsFolderPath(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return true;
  return !fs::exists(path, ec) && path.extension() != ".dat" && path.extension() != ".DAT";
}

}  // namespace

std::string LevelFiles::Title() const {
  return PathText(IsPack() ? PackFolder : LevelFile);
}

fs::path NamesFileBeside(const fs::path& levelFile) {
  const bool extra = PathText(levelFile.stem()).ends_with("_e");
  return levelFile.parent_path() / LevelNamesFileName(extra);
}

LevelFiles LevelFilesAt(const fs::path& path) {
  if (IsFolderPath(path)) {
    const LevelFilePaths pack = LevelPackFiles(path);
    return LevelFiles{pack.LevelFile, pack.NamesFile, path};
  }
  return LevelFiles{path, NamesFileBeside(path), {}};
}

LevelFiles LevelFilesAt(const fs::path& levelFile, const fs::path& namesFile) {
  return LevelFiles{levelFile, namesFile, {}};
}

EditorArgs ParseEditorArgs(const std::vector<std::string>& args, const fs::path& programFolder) {
  EditorArgs parsed;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size() && parsed.Error.empty(); ++i) {
    const std::string& word = args[i];
    const bool hasValue = i + 1 < args.size();
    if (word == "--help" || word == "-h") {
      parsed.bHelp = true;
    } else if (word == "--level") {
      if (!hasValue || !ReadNumber(args[++i], parsed.Level) || parsed.Level < 1 ||
          parsed.Level > LEVEL_SLOTS)
        parsed.Error = "--level needs a level number from 1 to 31";
    } else if (word == "--window") {
      if (!hasValue || !ReadSize(args[++i], parsed.WindowWidth, parsed.WindowHeight))
        parsed.Error = "--window needs a size such as 1280x800";
    } else if (word == "--report-checks") {
      if (!hasValue)
        parsed.Error = "--report-checks needs a file";
      else
        parsed.ReportFile = PathFromText(args[++i]);
    } else if (word.starts_with("-") && word.size() > 1) {
      parsed.Error = "unknown option " + word;
    } else {
      files.push_back(word);
    }
  }
  if (!parsed.Error.empty()) return parsed;
  if (files.size() > 2) {
    parsed.Error = "at most a level file and its names file, or one level pack folder";
  } else if (files.empty()) {
    parsed.Files = LevelFilesAt(programFolder / LevelFileName(false));
  } else if (files.size() == 1) {
    parsed.Files = LevelFilesAt(PathFromText(files[0]));
  } else {
    std::error_code ec;
    if (fs::is_directory(PathFromText(files[0]), ec))
      parsed.Error = "a level pack folder takes no names file";
    else
      parsed.Files = LevelFilesAt(PathFromText(files[0]), PathFromText(files[1]));
  }
  return parsed;
}

const char* EditorUsage() {
  return "usage: pibo-edit [LEVELS.dat [NAMES.txt] | PACK_FOLDER] [--level N] [--window WxH]\n"
         "                 [--report-checks FILE]\n"
         "  Edits a level set: a level file with its names file (by default the one beside it,\n"
         "  LevelNames_zt.txt, or LevelNames_zt_e.txt for Levels_e.dat), or a level pack folder\n"
         "  holding Levels.dat and LevelNames_zt.txt. With no file, the program folder's\n"
         "  Levels.dat.\n"
         "  --level N            shows level N first\n"
         "  --window WxH         the window's size at start\n"
         "  --report-checks FILE keeps FILE up to date with the live checks of the level shown\n"
         "                       and where the level lies in the window (for scripts)\n";
}

}  // namespace level_editor
