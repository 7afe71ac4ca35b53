#pragma once
// A font object as the game knows it: a family name and a size in points. The face is found by
// name through fontconfig ("Comic Sans MS" resolves to the installed look-alike), or where there
// is no fontconfig (the browser) among the fonts shipped with the game, and drawn at 96 dots per
// inch, so 12 points is 16 pixels.
#include <cstdint>
#include <filesystem>
#include <string>

struct _TTF_Font;

class Font {
 public:
  Font() = default;
  Font(std::string sName, int nSize) : Name(std::move(sName)), Size(nSize) {}

  std::string Name;
  int Size = 0;

  // The opened face for this name and size (opened once, shared by every copy). Throws GameError
  // when no font file can be found or opened.
  _TTF_Font* Face() const;
  int PixelSize() const;
  // How wide a text (UTF-8) is drawn, and how far below the top of its line the baseline lies,
  // in pixels.
  int Width(const std::string& sUtf8) const;
  int Ascent() const;

  // The text drawn in this font and colour (packed RGB), kept for reuse: the game draws the same
  // few texts every frame. The surface belongs to the cache.
  struct SDL_Surface* Rendered(const std::string& sUtf8, uint32_t nColor) const;

  // Closes every opened face and drawn text and the font library; a later text opens them again.
  // The program calls it before SDL shuts down.
  static void CloseAll();

  // The font file for a family name (empty when there is none): fontconfig's pick, or the
  // shipped file where the game is built without fontconfig.
  static std::string ResolveFile(const std::string& sName);
  // From now on fontconfig's picks are kept in `file` and used again while nothing they depend
  // on has changed (see FontMatches), so a start need not start fontconfig at all. An empty path
  // stops the keeping. Where the game ships its fonts, nothing is kept.
  static void KeepMatches(const std::filesystem::path& file);
  // The shipped font file for a family name, a path from the program's folder: Comic Neue for
  // "Comic Sans MS" (and "Comic Neue"), Liberation Sans for everything else, the faces fontconfig
  // picks on Debian.
  static std::string ShippedFile(const std::string& sName);
};
