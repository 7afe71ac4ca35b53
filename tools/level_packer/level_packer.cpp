#include "tools/level_packer/level_packer.h"

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <system_error>

#include "base/files.h"
#include "base/text_encoding.h"
#include "data/file_io.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: pibo-levels pack SRC_DIR LEVELS_FILE NAMES_FILE\n"
    "       pibo-levels unpack LEVELS_FILE NAMES_FILE OUT_DIR\n"
    "       pibo-levels render SET.dat OUT.png [NAMES_FILE] [--folder PROGRAM_FOLDER]\n";

// The whole file, at most nLimit bytes of it; a larger one, a missing one and one that is no
// file (a pipe, a device, a folder) are refused, naming the file.
std::string ReadWholeFile(const fs::path& path, uintmax_t nLimit) {
  try {
    const std::vector<uint8_t> bytes = ReadFileBytes(path, nLimit);
    return std::string(bytes.begin(), bytes.end());
  } catch (const std::exception& e) {
    throw std::runtime_error(path.string() + ": " + e.what() + ".");
  }
}

// Lines of a names file: LF or CR LF ends a line, the last line needs no line end.
int CountNameLines(std::string_view text) {
  int lines = 0;
  for (char ch : text) lines += ch == '\n';
  if (!text.empty() && text.back() != '\n') ++lines;
  return lines;
}

// A file written under a temporary name beside its place; Commit renames it into place, and a
// file never committed is removed.
class StagedFile {
 public:
  StagedFile(fs::path path, std::string_view bytes) : path_(std::move(path)) {
    temp_ = path_;
    temp_ += ".tmp" + std::to_string(::getpid());
    std::FILE* file = std::fopen(temp_.c_str(), "wb");
    if (file == nullptr) {
      throw std::runtime_error(path_.string() + ": cannot be written (cannot create " +
                               temp_.filename().string() + ").");
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
      Discard();
      throw std::runtime_error(path_.string() + ": cannot be written (disk full?).");
    }
  }
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile() { Discard(); }

  void Commit() {
    std::error_code ec;
    fs::rename(temp_, path_, ec);
    if (ec) {
      Discard();
      throw std::runtime_error(path_.string() + ": cannot be replaced (" + ec.message() + ").");
    }
    temp_.clear();
  }

 private:
  void Discard() {
    if (temp_.empty()) return;
    std::error_code ec;
    fs::remove(temp_, ec);
    temp_.clear();
  }

  fs::path path_;
  fs::path temp_;
};

std::optional<int> SlotOfSourceName(const std::string& name) {
  for (int slot = 1; slot <= LEVEL_SLOTS; ++slot) {
    if (name == LevelSourceFileName(slot)) return slot;
  }
  return std::nullopt;
}

void CreateFolder(const fs::path& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec || !fs::is_directory(dir)) {
    throw std::runtime_error(dir.string() + ": cannot make the folder" +
                             (ec ? " (" + ec.message() + ")." : "."));
  }
}

int Pack(const fs::path& srcDir, const fs::path& levelsFile, const fs::path& namesFile) {
  const LevelSetSource set = ReadLevelSources(srcDir);
  PackedLevelSet packed;
  try {
    packed = PackLevelSet(set);
  } catch (const std::exception& e) {
    throw std::runtime_error((srcDir / "").string() + e.what());  // the message starts with a file
  }
  StagedFile levels(levelsFile,
                    std::string_view(reinterpret_cast<const char*>(packed.LevelFile.data()),
                                     packed.LevelFile.size()));
  StagedFile names(namesFile, packed.NamesFile);
  levels.Commit();
  names.Commit();
  return 0;
}

int Unpack(const fs::path& levelsFile, const fs::path& namesFile, const fs::path& outDir,
           std::ostream& err) {
  const std::string levelBytes = ReadWholeFile(levelsFile, LEVEL_FILE_LIMIT);
  const std::string namesText = ReadWholeFile(namesFile, LEVEL_NAMES_LIMIT);
  LevelSetSource set;
  try {
    set = UnpackLevelSet(
        std::span(reinterpret_cast<const uint8_t*>(levelBytes.data()), levelBytes.size()),
        namesText);
  } catch (const LevelTextError& e) {
    throw std::runtime_error(namesFile.string() + ":" + e.what());
  } catch (const std::exception& e) {
    throw std::runtime_error(levelsFile.string() + ": " + e.what());
  }
  if (levelBytes.size() > static_cast<size_t>(LEVEL_RECORD_SIZE)) {
    err << "pibo-levels: warning: " << levelsFile.string() << " has "
        << levelBytes.size() - LEVEL_RECORD_SIZE
        << " bytes after the level record; they belong to no level and are not unpacked.\n";
  }
  WriteLevelSources(set, outDir);
  return 0;
}

}  // namespace

std::string LevelSourceFileName(int nSlot) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "level%02d.txt", nSlot);
  return buf;
}

LevelSetSource ReadLevelSources(const fs::path& dir) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) throw std::runtime_error(dir.string() + ": no such folder.");
  for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".txt" || name == LEVEL_SET_SOURCE_FILE) continue;
    if (!SlotOfSourceName(name)) {
      throw std::runtime_error(entry.path().string() +
                               ": not a level source; a set folder holds set.txt and "
                               "level01.txt to level31.txt.");
    }
  }
  if (ec) throw std::runtime_error(dir.string() + ": cannot be listed (" + ec.message() + ").");

  LevelSetSource set;
  const fs::path setFile = dir / LEVEL_SET_SOURCE_FILE;
  set.Count = ParseSetSource(ReadWholeFile(setFile, LEVEL_SOURCE_LIMIT), setFile.string());
  for (int slot = 1; slot <= LEVEL_SLOTS; ++slot) {
    const fs::path file = dir / LevelSourceFileName(slot);
    if (!fs::exists(fs::status(file, ec))) {
      throw std::runtime_error(file.string() +
                               ": missing; every one of the 31 level slots has a source file.");
    }
    set.Slots[slot - 1] = ParseLevelSource(ReadWholeFile(file, LEVEL_SOURCE_LIMIT), file.string());
  }
  return set;
}

void WriteLevelSources(const LevelSetSource& set, const fs::path& dir) {
  // Make every text first, so a name that cannot be written stops the unpacking before any file.
  std::vector<std::pair<fs::path, std::string>> files;
  files.emplace_back(dir / LEVEL_SET_SOURCE_FILE, SetSourceText(set.Count));
  for (int slot = 1; slot <= LEVEL_SLOTS; ++slot) {
    files.emplace_back(dir / LevelSourceFileName(slot), LevelSourceText(set.Slots[slot - 1], slot));
  }
  CreateFolder(dir);
  for (const auto& [path, text] : files) {
    try {
      WriteFileAtomically(path,
                          std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    } catch (const std::exception& e) {
      throw std::runtime_error(path.string() + ": cannot be written (" + e.what() + ").");
    }
  }
}

PackedLevelSet PackLevelSet(const LevelSetSource& set) {
  if (set.Count < LEVEL_COUNT_MIN || set.Count > LEVEL_COUNT_MAX) {
    throw std::runtime_error("the set plays " + std::to_string(set.Count) +
                             " levels; the game plays 5 to 31.");
  }
  LevelSet levels;
  levels.LevelCount = static_cast<int16_t>(set.Count);
  std::vector<std::string> names;
  int firstUnnamed = 0;
  for (int slot = 1; slot <= LEVEL_SLOTS; ++slot) {
    const LevelSlotSource& source = set.Slots[slot - 1];
    for (int c = 0; c < LEVEL_COLUMNS; ++c) {
      for (int r = 0; r < LEVEL_ROWS; ++r) levels.Cell(slot, c, r) = source.Cell(c, r);
    }
    if (!source.Name) {
      if (slot <= set.Count) {
        throw std::runtime_error(LevelSourceFileName(slot) +
                                 ": no \"name:\" line; every played level has a name.");
      }
      if (firstUnnamed == 0) firstUnnamed = slot;
    } else if (firstUnnamed != 0) {
      throw std::runtime_error(
          LevelSourceFileName(slot) + ": named, but " + LevelSourceFileName(firstUnnamed) +
          " is not; the names file names the slots in order, so the slots before a named one "
          "need names too.");
    } else {
      names.push_back(*source.Name);
    }
  }
  return {LevelFileBytes(levels), LevelNamesText(names)};
}

LevelSetSource UnpackLevelSet(std::span<const uint8_t> levelFile, std::string_view namesText) {
  const LevelSet levels = ParseLevelFile(levelFile);
  const int lines = CountNameLines(namesText);
  if (lines < levels.LevelCount) {
    throw LevelTextError(std::to_string(lines + 1) + ": the names file ends after " +
                         std::to_string(lines) + " lines, but the level file plays " +
                         std::to_string(levels.LevelCount) + " levels, a name each.");
  }
  if (lines > LEVEL_SLOTS) {
    throw LevelTextError(std::to_string(LEVEL_SLOTS + 1) + ": the names file has " +
                         std::to_string(lines) + " lines; a level set names at most " +
                         std::to_string(LEVEL_SLOTS) + " slots.");
  }
  const std::vector<std::string> names = ParseLevelNames(namesText, lines);
  LevelSetSource set;
  set.Count = levels.LevelCount;
  for (int slot = 1; slot <= LEVEL_SLOTS; ++slot) {
    LevelSlotSource& source = set.Slots[slot - 1];
    for (int c = 0; c < LEVEL_COLUMNS; ++c) {
      for (int r = 0; r < LEVEL_ROWS; ++r) source.Cell(c, r) = levels.Cell(slot, c, r);
    }
    if (slot <= lines) {
      NameToSource(names[slot - 1], std::to_string(slot) + ": ");  // refuses what cannot be text
      source.Name = names[slot - 1];
    }
  }
  return set;
}

int RunLevelPacker(const std::vector<std::string>& args, std::ostream& err) {
  const bool pack = args.size() == 4 && args[0] == "pack";
  const bool unpack = args.size() == 4 && args[0] == "unpack";
  if (!pack && !unpack) {
    err << kUsage;
    return 2;
  }
  try {
    return pack ? Pack(args[1], args[2], args[3]) : Unpack(args[1], args[2], args[3], err);
  } catch (const std::exception& e) {
    err << "pibo-levels: " << PrintableText(e.what()) << "\n";
    return 1;
  }
}
