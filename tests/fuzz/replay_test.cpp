// Every input the fuzzers start from or ever found, replayed through its target: what once broke
// a reader stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/fuzz_targets.h"

namespace fs = std::filesystem;

TEST(FuzzInputs, EveryKeptInputReadsCleanly) {
  const fs::path inputs = fs::path(PIBO_SOURCE_DIR) / "tests" / "fuzz";
  int replayed = 0;
  for (const FuzzTarget& target : FuzzTargets()) {
    int seeds = 0;
    for (const char* kind : {"seeds", "found"}) {
      const fs::path folder = inputs / kind / target.Name;
      if (!fs::is_directory(folder)) continue;
      for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(target.Run(bytes.data(), bytes.size()), 0);
        seeds += std::string(kind) == "seeds";
        ++replayed;
      }
    }
    EXPECT_GT(seeds, 0) << target.Name << " has no seed inputs";
  }
  EXPECT_GT(replayed, 0);
}
