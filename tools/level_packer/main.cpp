// pibo-levels: the level packer. See level_packer.h for the commands.
#include <iostream>
#include <string>
#include <vector>

#include "tools/level_packer/level_packer.h"

int main(int argc, char** argv) {
  return RunLevelPacker(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
