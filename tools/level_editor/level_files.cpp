// The document's files: the game's level file with its names file, and the level text sources.
#include <exception>
#include <string>

#include "base/files.h"
#include "data/file_io.h"
#include "tools/level_editor/level_document.h"
#include "tools/level_packer/level_packer.h"

namespace fs = std::filesystem;

namespace level_editor {

namespace {

std::vector<uint8_t> ReadNamed(const fs::path& file, uintmax_t nLimit) {
  try {
    return ReadFileBytes(file, nLimit);
  } catch (const std::exception& e) {
    throw std::runtime_error(file.string() + ": " + e.what() + ".");
  }
}

std::span<const uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Lines of a names file: LF or CR LF ends a line, the last line needs no line end.
int CountLines(std::string_view text) {
  int lines = 0;
  for (const char ch : text) lines += ch == '\n';
  if (!text.empty() && text.back() != '\n') ++lines;
  return lines;
}

// A document from a level file's bytes and its names file's text; sLevels and sNames name the
// files in the reasons for refusing them.
LevelDocument DocumentFromFiles(std::span<const uint8_t> levelBytes, const std::string& namesText,
                                const std::string& sLevels, const std::string& sNames) {
  LevelSet levels;
  try {
    levels = ParseLevelFile(levelBytes);
  } catch (const std::exception& e) {
    throw std::runtime_error(sLevels + ": " + e.what());
  }
  const int lines = CountLines(namesText);
  if (lines < levels.LevelCount) {
    throw std::runtime_error(sNames + ": " + std::to_string(lines) +
                             " lines, but the level file plays " +
                             std::to_string(levels.LevelCount) + " levels, a name each.");
  }
  if (lines > LEVEL_SLOTS) {
    throw std::runtime_error(sNames + ": " + std::to_string(lines) +
                             " lines; a level set names at most " + std::to_string(LEVEL_SLOTS) +
                             " slots.");
  }
  std::vector<std::string> names = ParseLevelNames(namesText, lines);
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i].find('\r') != std::string::npos) {
      throw std::runtime_error(sNames + ": line " + std::to_string(i + 1) +
                               " holds a carriage return inside the name; a name is one line.");
    }
  }
  LevelDocument doc(levels, std::move(names));
  if (levelBytes.size() > static_cast<size_t>(LEVEL_RECORD_SIZE))
    doc.KeepLevelFileTail({levelBytes.begin() + LEVEL_RECORD_SIZE, levelBytes.end()});
  return doc;
}

std::string NamesText(const LevelDocument& doc) {
  const std::vector<std::string>& names = doc.Names();
  return LevelNamesText({names.begin(), names.begin() + doc.NamesFileLines()});
}

}  // namespace

OpenResult OpenLevelFiles(const fs::path& levelFile, const fs::path& namesFile) {
  try {
    const std::vector<uint8_t> levelBytes = ReadNamed(levelFile, LEVEL_FILE_LIMIT);
    const std::vector<uint8_t> namesBytes = ReadNamed(namesFile, LEVEL_NAMES_LIMIT);
    return {DocumentFromFiles(levelBytes, std::string(namesBytes.begin(), namesBytes.end()),
                              levelFile.string(), namesFile.string()),
            ""};
  } catch (const std::exception& e) {
    return {std::nullopt, e.what()};
  }
}

std::string SaveLevelFiles(const LevelDocument& doc, const fs::path& levelFile,
                           const fs::path& namesFile) {
  // Both files are made in memory first, so a name the names file cannot hold writes nothing.
  std::vector<uint8_t> levelBytes;
  std::string namesText;
  try {
    levelBytes = LevelFileBytes(doc.Levels());
    levelBytes.insert(levelBytes.end(), doc.LevelFileTail().begin(), doc.LevelFileTail().end());
    namesText = NamesText(doc);
  } catch (const std::exception& e) {
    return namesFile.string() + ": " + e.what();
  }
  // The old level file, to put back when the names file cannot be written after it.
  const bool existed = FileExists(levelFile);
  std::optional<std::vector<uint8_t>> oldLevels;
  try {
    if (existed) oldLevels = ReadFileBytes(levelFile, LEVEL_FILE_LIMIT);
  } catch (const std::exception&) {
    // Unreadable or too large to keep: the save goes on, but cannot promise to put it back.
  }
  try {
    WriteFileAtomically(levelFile, levelBytes);
  } catch (const std::exception& e) {
    return levelFile.string() + ": " + e.what() + "; nothing was saved.";
  }
  try {
    WriteFileAtomically(namesFile, Bytes(namesText));
  } catch (const std::exception& e) {
    const std::string reason = namesFile.string() + ": " + e.what();
    const std::string halfSaved =
        "; " + levelFile.string() + " holds the new levels, the names file the old names";
    if (existed && !oldLevels) return reason + halfSaved + ".";
    try {
      if (oldLevels) {
        WriteFileAtomically(levelFile, *oldLevels);
      } else {
        fs::remove(levelFile);
      }
      return reason + "; nothing was saved.";
    } catch (const std::exception& undo) {
      return reason + halfSaved + " (it could not be put back: " + undo.what() + ").";
    }
  }
  return "";
}

LevelFilePaths LevelPackFiles(const fs::path& folder) {
  return {folder / LevelFileName(false), folder / LevelNamesFileName(false)};
}

OpenResult ImportLevelSources(const fs::path& folder) {
  try {
    // The sources are packed as the build packs them, and the document is read from the result.
    const LevelSetSource sources = ReadLevelSources(folder);
    PackedLevelSet packed;
    try {
      packed = PackLevelSet(sources);
    } catch (const std::exception& e) {
      throw std::runtime_error((folder / "").string() + e.what());  // it starts with a file
    }
    return {DocumentFromFiles(packed.LevelFile, packed.NamesFile, folder.string(), folder.string()),
            ""};
  } catch (const std::exception& e) {
    return {std::nullopt, e.what()};
  }
}

std::string ExportLevelSources(const LevelDocument& doc, const fs::path& folder) {
  try {
    const std::vector<uint8_t> levelBytes = LevelFileBytes(doc.Levels());
    WriteLevelSources(UnpackLevelSet(levelBytes, NamesText(doc)), folder);
    return "";
  } catch (const LevelTextError& e) {
    return "The name of level " + std::string(e.what());
  } catch (const std::exception& e) {
    return e.what();
  }
}

}  // namespace level_editor
