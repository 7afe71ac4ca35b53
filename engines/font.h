#pragma once
// A font object as the game knows it: a family name and a size in points. The face is found by
// name through fontconfig ("Comic Sans MS" resolves to the installed look-alike) and drawn at
// 96 dots per inch, so 12 points is 16 pixels.
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

  // The font file fontconfig picks for a family name (empty when there is none).
  static std::string ResolveFile(const std::string& sName);
};
