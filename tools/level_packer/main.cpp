// pibo-levels: the level packer (see level_packer.h), and `render`, which draws a whole level
// set on one sheet (see tools/review/level_sheet.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/level_packer/level_packer.h"
#include "tools/review/level_sheet.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "render")
    return RenderLevelSheet(std::vector<std::string>(args.begin() + 1, args.end()), std::cerr);
  return RunLevelPacker(args, std::cerr);
}
