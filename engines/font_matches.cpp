#include "engines/font_matches.h"

#include <cstdlib>
#include <cstring>
#include <span>
#include <sstream>
#include <vector>

#include "base/checksum.h"
#include "base/failure.h"
#include "base/files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kHeading = "pibo2 font matches 1";
constexpr uintmax_t kMostBytes = 64 * 1024;

// When `path` last changed (and how large it is), or "-" when there is nothing there.
std::string Changed(const fs::path& path) {
  std::error_code error;
  const auto time = fs::last_write_time(path, error);
  if (error) return "-";
  // The tick count is a 128-bit integer in some standard libraries, which to_string does not take.
  std::string text = std::to_string(static_cast<long long>(time.time_since_epoch().count()));
  if (fs::is_regular_file(path, error)) text += "/" + std::to_string(fs::file_size(path, error));
  return text;
}

// An XDG folder: the variable's value where it is an absolute path, else `fallback` in the home.
fs::path XdgFolder(const char* sVariable, const fs::path& home, const char* sFallback) {
  if (const char* value = std::getenv(sVariable); value != nullptr && *value == '/') return value;
  return home / sFallback;
}

// Family names and file paths are kept one pick to a line, tab between them.
bool FitsOnALine(const std::string& sText) {
  return !sText.empty() && sText.find_first_of("\t\n\r") == std::string::npos;
}

}  // namespace

FontMatches::FontMatches(fs::path file, std::string stamp)
    : file_(std::move(file)), stamp_(std::move(stamp)) {
  if (!stamp_.empty()) Load();
}

std::string FontMatches::VersionOf(const std::string& sFile) {
  return Changed(fs::path(sFile));
}

std::optional<std::string> FontMatches::Find(const std::string& sName) const {
  const auto found = picks_.find(sName);
  if (found == picks_.end()) return std::nullopt;
  const Pick& pick = found->second;
  if (pick.Version == "-" || VersionOf(pick.File) != pick.Version) return std::nullopt;
  return pick.File;
}

void FontMatches::Keep(const std::string& sName, const std::string& sFile) {
  if (stamp_.empty() || !FitsOnALine(sName) || !FitsOnALine(sFile)) return;
  const Pick pick{sFile, VersionOf(sFile)};
  if (pick.Version == "-") return;
  picks_[sName] = pick;
  Save();
}

void FontMatches::Load() {
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadFileBytes(file_, kMostBytes);
  } catch (const GameError&) {
    return;  // none kept yet, or not readable: fontconfig answers
  }
  std::istringstream text(std::string(bytes.begin(), bytes.end()));
  std::string line;
  if (!std::getline(text, line) || line != kHeading) return;
  if (!std::getline(text, line) || line != stamp_) return;  // kept on a system since changed
  std::map<std::string, Pick> picks;
  while (std::getline(text, line)) {
    const size_t first = line.find('\t');
    const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    if (second == std::string::npos) return;  // not a file of ours: nothing of it is used
    picks[line.substr(0, first)] =
        Pick{line.substr(first + 1, second - first - 1), line.substr(second + 1)};
  }
  picks_ = std::move(picks);
}

void FontMatches::Save() const {
  std::string text = std::string(kHeading) + "\n" + stamp_ + "\n";
  for (const auto& [name, pick] : picks_)
    text += name + "\t" + pick.File + "\t" + pick.Version + "\n";
  try {
    WriteFileAtomically(file_,
                        std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  } catch (const GameError&) {
    // A full disk or a read-only home: the picks are simply made again next run.
  }
}

std::string FontMatches::SystemStamp() {
  for (const char* own : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"})
    if (std::getenv(own) != nullptr) return {};
  const char* homeText = std::getenv("HOME");
  const fs::path home = homeText != nullptr ? homeText : "";
  const fs::path config = XdgFolder("XDG_CONFIG_HOME", home, ".config");
  const fs::path data = XdgFolder("XDG_DATA_HOME", home, ".local/share");
  const fs::path cache = XdgFolder("XDG_CACHE_HOME", home, ".cache");
  // The system's configuration and the rules its packages bring, the player's own, every folder
  // fontconfig looks for fonts in at its top, and its caches, which `fc-cache` (run whenever a
  // font package comes or goes) rewrites.
  const std::vector<fs::path> watched = {"/etc/fonts",
                                         "/etc/fonts/fonts.conf",
                                         "/etc/fonts/conf.d",
                                         "/etc/fonts/local.conf",
                                         "/usr/share/fontconfig/conf.avail",
                                         "/usr/share/fonts",
                                         "/usr/local/share/fonts",
                                         "/var/cache/fontconfig",
                                         config / "fontconfig",
                                         config / "fontconfig/fonts.conf",
                                         config / "fontconfig/conf.d",
                                         home / ".fonts.conf",
                                         home / ".fonts.conf.d",
                                         home / ".fonts",
                                         data / "fonts",
                                         cache / "fontconfig"};
  std::string state;
  for (const fs::path& path : watched) state += path.string() + "=" + Changed(path) + "\n";
  // The locale decides among faces that cover different languages.
  for (const char* locale : {"FC_LANG", "LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(locale);
    state += std::string(locale) + "=" + (value != nullptr ? value : "") + "\n";
  }
  std::ostringstream stamp;
  stamp << std::hex << Fnv1a(state);
  return stamp.str();
}
