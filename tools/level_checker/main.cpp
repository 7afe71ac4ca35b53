// pibo-check-levels LEVELS_FILE [NAMES_FILE] [--level N] [--keys COLUMN,ROW] [--stats]
//
// Proves with the game's own hero physics that every gem and power-up of a level set can be
// reached, level by level, and names the ones that cannot. Exit status: 0 when every gem of every
// played level is reachable (the machine level's gems are reported but not needed), 1 when one
// is not, 2 on bad input.
//
// --stats adds how much the search explored. --keys COLUMN,ROW (with --level) prints a key script
// that takes the hero from the level's start to that item, for pibo-sim --keys. The route knows
// nothing of bombs or of what the power-ups it passes do, so in the real game the hero can stray
// from it.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "base/text_encoding.h"
#include "data/file_io.h"
#include "data/level_set.h"
#include "tools/level_checker/level_checker.h"

namespace {

using level_checker::Item;
using level_checker::LevelReport;

constexpr int kMachineLevel = 30;

// The reason may quote a file's name or text: its control characters are printed escaped.
int Usage(const std::string& why) {
  std::fprintf(stderr,
               "pibo-check-levels: %s\n"
               "usage: pibo-check-levels LEVELS_FILE [NAMES_FILE] [--level N] "
               "[--keys COLUMN,ROW] [--stats]\n",
               PrintableText(why).c_str());
  return 2;
}

bool ReadNumber(const std::string& text, long& value) {
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0';
}

// Checks the levels on every core; the reports come back in level order.
std::vector<LevelReport> CheckAll(const LevelSet& levels, const std::vector<int>& which) {
  std::vector<LevelReport> reports(which.size());
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i; (i = next++) < which.size();)
      reports[i] = level_checker::CheckLevel(levels, which[i]);
  };
  const size_t workers =
      std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), which.size());
  std::vector<std::thread> threads;
  for (size_t i = 1; i < workers; ++i) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
  return reports;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  long onlyLevel = 0;
  long keysColumn = -1, keysRow = -1;
  bool bStats = false;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--help" || word == "-h") {
      std::printf(
          "usage: pibo-check-levels LEVELS_FILE [NAMES_FILE] [--level N] [--keys COLUMN,ROW] "
          "[--stats]\n\n"
          "Proves with the game's own hero physics that every gem and power-up of every level\n"
          "can be reached, and names those that cannot. Exit status 0 when every gem can be\n"
          "reached, 1 when one cannot, 2 on bad input.\n"
          "  --level N          only level N\n"
          "  --keys COLUMN,ROW  with --level: print a key script for pibo-sim that takes the\n"
          "                     hero from the level's start to that cell\n"
          "  --stats            how much the search explored\n");
      return 0;
    } else if (word == "--level") {
      if (i + 1 >= argc || !ReadNumber(argv[++i], onlyLevel))
        return Usage("--level needs a level number");
    } else if (word == "--keys") {
      const std::string cell = i + 1 < argc ? argv[++i] : "";
      const size_t comma = cell.find(',');
      if (comma == std::string::npos || !ReadNumber(cell.substr(0, comma), keysColumn) ||
          !ReadNumber(cell.substr(comma + 1), keysRow))
        return Usage("--keys needs a cell as COLUMN,ROW");
    } else if (word == "--stats") {
      bStats = true;
    } else if (word.starts_with("--")) {
      return Usage("unknown option " + word);
    } else {
      files.push_back(word);
    }
  }
  if (files.empty() || files.size() > 2) return Usage("give a level file and at most a names file");
  if (keysColumn >= 0 && onlyLevel == 0) return Usage("--keys needs --level");

  LevelSet levels;
  std::vector<std::string> names;
  std::string reading = files[0];
  try {
    levels = ParseLevelFile(ReadFileBytes(files[0], LEVEL_FILE_LIMIT));
    if (files.size() == 2) {
      reading = files[1];
      const std::vector<uint8_t> text = ReadFileBytes(files[1], LEVEL_NAMES_LIMIT);
      names = ParseLevelNames(std::string(text.begin(), text.end()), levels.LevelCount);
    }
  } catch (const std::exception& e) {
    return Usage(reading + ": " + e.what());
  }
  if (onlyLevel != 0 && (onlyLevel < 1 || onlyLevel > levels.LevelCount))
    return Usage("--level must be 1 to " + std::to_string(levels.LevelCount));

  std::vector<int> which;
  for (int level = 1; level <= levels.LevelCount; ++level)
    if (onlyLevel == 0 || level == onlyLevel) which.push_back(level);
  const std::vector<LevelReport> reports = CheckAll(levels, which);

  if (keysColumn >= 0) {
    for (const Item& item : reports[0].Items) {
      if (item.Column != keysColumn || item.Row != keysRow) continue;
      if (!item.Reached) {
        std::fprintf(stderr, "pibo-check-levels: the %s at column %ld, row %ld is unreachable\n",
                     level_checker::ItemName(item).c_str(), keysColumn, keysRow);
        return 1;
      }
      std::cout << "# level " << onlyLevel << ": to the " << level_checker::ItemName(item)
                << " at column " << keysColumn << ", row " << keysRow << "\n"
                << level_checker::RouteAsKeyScript(item.RouteThere);
      return 0;
    }
    return Usage("level " + std::to_string(onlyLevel) + " has no gem or power-up at column " +
                 std::to_string(keysColumn) + ", row " + std::to_string(keysRow));
  }

  int missingGems = 0, failedLevels = 0;
  for (const LevelReport& r : reports) {
    std::string title = "level " + std::to_string(r.Level);
    // A names file may hold any byte; none of them reaches the terminal as a control character.
    if (r.Level <= static_cast<int>(names.size())) title += " " + PrintableText(names[r.Level - 1]);
    std::printf("%s: %d/%d gems, %d/%d power-ups%s\n", title.c_str(), r.Count(true, true),
                r.Total(true), r.Count(false, true), r.Total(false),
                r.Level == kMachineLevel ? " (machine level: gems not needed)" : "");
    if (bStats)
      std::printf("  searched %ld standing and %ld air states, %ld frames\n", r.StandingStates,
                  r.AirStates, r.Frames);
    for (const Item& item : r.Items)
      if (!item.Reached)
        std::printf("  unreachable %s at column %d, row %d\n",
                    level_checker::ItemName(item).c_str(), item.Column, item.Row);
    if (r.Level != kMachineLevel && r.Count(true, false) > 0) {
      missingGems += r.Count(true, false);
      ++failedLevels;
    }
  }
  if (missingGems == 0) {
    std::printf("every gem can be reached\n");
    return 0;
  }
  std::printf("%d unreachable %s in %d %s\n", missingGems, missingGems == 1 ? "gem" : "gems",
              failedLevels, failedLevels == 1 ? "level" : "levels");
  return 1;
}
