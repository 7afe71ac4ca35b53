// pibo-levels: the level packer (see level_packer.h), and `render`, which draws a whole level
// set on one sheet (see tools/review/level_sheet.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/level_packer/level_packer.h"
#include "tools/review/level_sheet.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    RunLevelPacker({}, std::cout);  // with no command it shows the usage
    return 0;
  }
  if (!args.empty() && args[0] == "render")
    return RenderLevelSheet(std::vector<std::string>(args.begin() + 1, args.end()), std::cerr);
  return RunLevelPacker(args, std::cerr);
}
