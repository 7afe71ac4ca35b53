#include "tools/review/level_sheet.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "base/files.h"
#include "base/text_encoding.h"
#include "data/file_io.h"
#include "data/level_set.h"
#include "engines/font.h"
#include "engines/surface.h"
#include "game/game.h"
#include "headless/headless.h"
#include "tools/review/sheet.h"

namespace fs = std::filesystem;

namespace {

constexpr int kShrink = 3;
constexpr int kLevelWidth = 1600 / kShrink, kLevelHeight = 600 / kShrink;
constexpr int kColumns = 3;
constexpr int kSheetWidth = kColumns * kLevelWidth + (kColumns + 1) * review::kMargin;

struct Request {
  fs::path set, out, names, folder;
};

// The names file that goes with a level file: the extra set's for "..._e.dat", else the normal
// set's, in the same folder.
fs::path NamesBeside(const fs::path& set) {
  const bool extra = set.stem().string().ends_with("_e");
  return set.parent_path() / LevelNamesFileName(extra);
}

std::optional<Request> ReadArgs(const std::vector<std::string>& args) {
  Request r;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--folder" && i + 1 < args.size())
      r.folder = args[++i];
    else if (args[i].starts_with("--"))
      return std::nullopt;
    else
      files.push_back(args[i]);
  }
  if (files.size() < 2 || files.size() > 3) return std::nullopt;
  r.set = fs::absolute(files[0]);
  r.out = fs::absolute(files[1]);
  r.names = files.size() == 3 ? fs::absolute(files[2]) : NamesBeside(r.set);
  r.folder = fs::absolute(r.folder.empty() ? r.set.parent_path() : r.folder);
  return r;
}

// Level `level` started as a new game (the stage preview and level screen passed with Space),
// drawn with the view at `view_x`, into the sheet at (x, y).
bool DrawLevelHalf(review::HeadlessGame& headless, int level, int view_x, review::Sheet& sheet,
                   int x, int y) {
  Game& game = headless.game;
  if (!headless.BeginGame(level - 1, 0)) return false;
  EditCursor view;
  view.Active = true;  // only to place the view; no cursor is drawn without the meter
  view.ScrollX = view_x;
  if (!game.View.DrawGameFrame(game.Play, game.LevelNames, nullptr, view)) return false;
  review::PasteShrunk(sheet, game.GE.PrimarySurface()->Raw(), x, y, kShrink);
  return true;
}

// The bytes of a file of the set, at most nLimit of them; a failure names the file.
std::vector<uint8_t> ReadSetFile(const fs::path& file, uintmax_t nLimit) {
  try {
    return ReadFileBytes(file, nLimit);
  } catch (const std::exception& e) {
    throw std::runtime_error(file.string() + ": " + e.what());
  }
}

int Render(const Request& r, std::ostream& err) {
  const LevelSet levels = ParseLevelFile(ReadSetFile(r.set, LEVEL_FILE_LIMIT));
  std::vector<std::string> names;
  if (fs::exists(r.names)) {
    const std::vector<uint8_t> text = ReadSetFile(r.names, LEVEL_NAMES_LIMIT);
    names =
        ParseLevelNames(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                        levels.LevelCount);
  } else {
    err << "pibo-levels: no names file " << PrintableText(r.names.string())
        << "; levels shown unnamed\n";
  }
  if (chdir(r.folder.c_str()) != 0) {
    err << "pibo-levels: cannot enter " << r.folder.string() << "\n";
    return 1;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  int status = 0;
  {
    review::HeadlessGame headless;
    Game& game = headless.game;
    if (!headless.Start()) {
      err << "pibo-levels: the game could not start in " << r.folder.string()
          << " (its pictures are needed; see Errors.txt there)\n";
      return 1;
    }
    game.Levels = levels;
    game.LevelNames = names;
    game.LevelNames.resize(LEVEL_SLOTS);
    review::Sheet sheet(kSheetWidth, 11 * (kLevelHeight + review::kLabel + review::kMargin) + 80);
    sheet.Heading(r.set.filename().string() + ": " + std::to_string(levels.LevelCount) + " levels");
    for (int level = 1; level <= levels.LevelCount && status == 0; ++level) {
      const SDL_Rect where = sheet.Place(kLevelWidth, kLevelHeight);
      for (int half = 0; half < 2 && status == 0; ++half) {
        if (!DrawLevelHalf(headless, level, 800 * half, sheet, where.x + half * 800 / kShrink,
                           where.y)) {
          err << "pibo-levels: level " << level << " could not be started\n";
          status = 1;
        }
      }
      sheet.Caption(std::to_string(level) + "  (" + game.StageNames[game.Play.Stage] + ")  " +
                        game.LevelNames[static_cast<size_t>(level - 1)],
                    where.x, where.y - review::kLabel + 4);
    }
    if (status == 0 && !sheet.WritePng(r.out)) {
      err << "pibo-levels: cannot write " << r.out.string() << "\n";
      status = 1;
    }
  }
  Font::CloseAll();
  SDL_Quit();
  return status;
}

}  // namespace

int RenderLevelSheet(const std::vector<std::string>& args, std::ostream& err) {
  const std::optional<Request> request = ReadArgs(args);
  if (!request) {
    err << "usage: pibo-levels render SET.dat OUT.png [NAMES_FILE] [--folder PROGRAM_FOLDER]\n"
           "  draws every level of the set on one sheet; the pictures come from PROGRAM_FOLDER\n"
           "  (default: the folder of SET.dat), the names from NAMES_FILE (default: the set's\n"
           "  names file beside it)\n";
    return 2;
  }
  try {
    return Render(*request, err);
  } catch (const std::exception& e) {
    err << "pibo-levels: " << PrintableText(e.what()) << "\n";
    return 1;
  }
}
