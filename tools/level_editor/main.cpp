// pibo-edit: the level editor. See command_line.h for its words, editor_app.h for its window.
#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/paths.h"
#include "engines/font.h"
#include "tools/level_editor/command_line.h"
#include "tools/level_editor/editor_app.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  const fs::path folder = RunningProgramFolder();
  level_editor::EditorArgs args = level_editor::ParseEditorArgs(ProgramArguments(argc, argv), folder);
  if (args.bHelp) {
    std::fputs(level_editor::EditorUsage(), stdout);
    return 0;
  }
  if (!args.Error.empty()) {
    std::fprintf(stderr, "pibo-edit: %s\n%s", args.Error.c_str(), level_editor::EditorUsage());
    return 2;
  }
  // The files named are found from where the editor was started; the game's pictures from the
  // program's folder, which becomes the current directory as the game makes it.
  std::error_code ec;
  level_editor::LevelFiles& files = args.Files;
  files.LevelFile = fs::absolute(files.LevelFile, ec);
  files.NamesFile = fs::absolute(files.NamesFile, ec);
  if (files.IsPack()) files.PackFolder = fs::absolute(files.PackFolder, ec);
  if (!args.ReportFile.empty()) args.ReportFile = fs::absolute(args.ReportFile, ec);
  if (folder.empty() || !EnterFolder(folder)) {
    std::fprintf(stderr, "pibo-edit: cannot enter the program's folder %s\n",
                 PathText(folder).c_str());
    return 1;
  }
  int status = 0;
  {
    level_editor::EditorApp app;
    status = app.Run(args);
  }
  Font::CloseAll();
  SDL_Quit();
  return status;
}
