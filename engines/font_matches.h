#pragma once
// The font files fontconfig picked for the game's family names, kept from one run to the next.
// Starting fontconfig (reading its sixty-odd configuration files) costs 3 to 5 ms of processor
// before the title appears, every start, and its picks stay right as long as nothing it reads has changed:
// its configuration, the font folders, its own caches, the locale, and the picked files
// themselves. Each run compares a stamp of all of that with the one the picks were kept under.
#include <filesystem>
#include <map>
#include <optional>
#include <string>

class FontMatches {
 public:
  // The picks kept in `file` under `stamp`; none when the file is missing, unreadable, of another
  // kind or kept under another stamp. An empty stamp keeps nothing.
  FontMatches(std::filesystem::path file, std::string stamp);

  // The kept pick for a family name, when its file is still there as it was when kept.
  std::optional<std::string> Find(const std::string& sName) const;
  // Keeps a pick and writes the file at once (power-safe). A file that cannot be written is left
  // as it was: fontconfig simply answers again next time.
  void Keep(const std::string& sName, const std::string& sFile);

  // Everything fontconfig's answers depend on, as it stands now: the times its configuration,
  // font and cache folders were last changed, and the locale. Empty where the environment points
  // fontconfig at a configuration of its own choosing, which is then always asked.
  static std::string SystemStamp();

 private:
  struct Pick {
    std::string File;
    std::string Version;  // the file's size and time of change when it was picked
  };
  static std::string VersionOf(const std::string& sFile);
  void Load();
  void Save() const;

  std::filesystem::path file_;
  std::string stamp_;
  std::map<std::string, Pick> picks_;
};
