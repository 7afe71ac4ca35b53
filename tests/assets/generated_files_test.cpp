// Every picture, wave and music track the build generates, byte for byte, against the SHA-256 sums in
// tests/assets/generated.sha256. pibo-assets must make the same files whichever compiler and
// optimisation built it; a file that changed without anyone changing its art points at a result
// the compiler decides (the order a call's arguments are worked out in, fused multiply-adds).
// The sums hold for this system's Cairo, pixman and fonts, as the golden images do.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tests/test_support.h"

namespace {

// File name to digest, from lines as sha256sum prints them: 64 hex digits, two spaces, the name.
std::map<std::string, std::string> ParseSums(const std::string& text) {
  std::map<std::string, std::string> sums;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.size() > 66) sums[line.substr(66)] = line.substr(0, 64);
  return sums;
}

TEST(GeneratedFiles, MatchTheCommittedSums) {
  const std::string list = std::string(PIBO_SOURCE_DIR) + "/tests/assets/generated.sha256";
  const std::string summing =
      "cd '" + std::string(PIBO_GAME_DIR) + "' && sha256sum *.bmp *.wav Music/*.ogg | LC_ALL=C sort -k 2";
  const auto run = testing_support::RunProgram(summing);
  ASSERT_EQ(run.status, 0) << summing << "\n" << run.output;
  if (const char* update = std::getenv("PIBO_UPDATE_GOLDEN"); update && *update == '1') {
    std::ofstream(list) << run.output;
    GTEST_SKIP() << "rewrote " << list;
  }
  std::ifstream in(list);
  std::stringstream committed;
  committed << in.rdbuf();
  const auto expected = ParseSums(committed.str()), actual = ParseSums(run.output);
  const std::string refresh =
      " If the art was changed on purpose, refresh the list: run the tests with "
      "PIBO_UPDATE_GOLDEN=1, or `" +
      summing + " > " + list + "`.";
  for (const auto& [file, sum] : expected) {
    const auto it = actual.find(file);
    if (it == actual.end())
      ADD_FAILURE() << file << " is listed in " << list << " but was not generated." << refresh;
    else
      EXPECT_EQ(it->second, sum) << file << " differs from its sum in " << list << "." << refresh;
  }
  for (const auto& [file, sum] : actual)
    if (!expected.contains(file))
      ADD_FAILURE() << file << " has no sum in " << list << "." << refresh;
}

}  // namespace
