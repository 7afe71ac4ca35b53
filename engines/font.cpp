#include "engines/font.h"

#include <SDL_ttf.h>
#ifndef PIBO_SHIPPED_FONTS
#include <fontconfig/fontconfig.h>
#endif

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

#include "base/failure.h"
#include "engines/font_matches.h"
#include "engines/sdl_ptrs.h"

namespace {

// Enough for every text of a screen; when it is full it simply starts again.
constexpr size_t kMaxRenderedTexts = 512;

struct FaceCache {
  std::map<std::pair<std::string, int>, FontFacePtr> faces;
  std::map<std::tuple<TTF_Font*, uint32_t, std::string>, SdlSurfacePtr> texts;
  void ForgetTexts() { texts.clear(); }
  void ReleaseAll() {
    ForgetTexts();
    faces.clear();
    if (TTF_WasInit()) TTF_Quit();
  }
  // Start-up closes the cache before SDL goes; this only cleans up after a program that did not.
  ~FaceCache() { ReleaseAll(); }
};

FaceCache& Cache() {
  static FaceCache cache;
  return cache;
}

// fontconfig's picks of earlier runs, when the program keeps them.
std::optional<FontMatches>& KeptMatches() {
  static std::optional<FontMatches> kept;
  return kept;
}

}  // namespace

void Font::CloseAll() {
  Cache().ReleaseAll();
}

int Font::PixelSize() const {
  return static_cast<int>(std::lround(Size * 96.0 / 72.0));
}

std::string Font::ShippedFile(const std::string& sName) {
  // The family is the name up to fontconfig's first ':' (a style may follow), in any case.
  std::string family = sName.substr(0, sName.find(':'));
  std::transform(family.begin(), family.end(), family.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (family == "comic sans ms" || family == "comic neue") return "Fonts/ComicNeue-Regular.otf";
  return "Fonts/LiberationSans-Regular.ttf";
}

std::string Font::ResolveFile(const std::string& sName) {
#ifdef PIBO_SHIPPED_FONTS
  return ShippedFile(sName);
#else
  std::optional<FontMatches>& kept = KeptMatches();
  if (kept)
    if (std::optional<std::string> file = kept->Find(sName)) return *file;
  if (!FcInit()) return {};
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(sName.c_str()));
  if (pattern == nullptr) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  FcChar8* path = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
    file = reinterpret_cast<const char*>(path);
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  if (kept && !file.empty()) kept->Keep(sName, file);
  return file;
#endif
}

void Font::KeepMatches(const std::filesystem::path& file) {
#ifdef PIBO_SHIPPED_FONTS
  (void)file;
#else
  std::optional<FontMatches>& kept = KeptMatches();
  kept.reset();
  if (!file.empty()) kept.emplace(file, FontMatches::SystemStamp());
#endif
}

_TTF_Font* Font::Face() const {
  auto& faces = Cache().faces;
  const auto key = std::make_pair(Name, PixelSize());
  if (auto found = faces.find(key); found != faces.end()) return found->second.get();
  if (!TTF_WasInit() && TTF_Init() != 0) throw GameError(ERR_BAD_FILE_FORMAT, TTF_GetError());
  const std::string file = ResolveFile(Name);
  if (file.empty()) throw GameError(ERR_FILE_NOT_FOUND, "No font found for \"" + Name + "\".");
  TTF_Font* face = TTF_OpenFont(file.c_str(), key.second);
  if (face == nullptr) throw GameError(ERR_FILE_NOT_FOUND, TTF_GetError());
  faces.emplace(key, FontFacePtr(face));
  return face;
}

int Font::Width(const std::string& sUtf8) const {
  int width = 0;
  if (TTF_SizeUTF8(Face(), sUtf8.c_str(), &width, nullptr) != 0)
    throw GameError(ERR_BAD_FILE_FORMAT, TTF_GetError());
  return width;
}

int Font::Ascent() const {
  return TTF_FontAscent(Face());
}

SDL_Surface* Font::Rendered(const std::string& sUtf8, uint32_t nColor) const {
  TTF_Font* face = Face();
  auto& texts = Cache().texts;
  const auto key = std::make_tuple(face, nColor, sUtf8);
  if (auto found = texts.find(key); found != texts.end()) return found->second.get();
  if (texts.size() >= kMaxRenderedTexts) Cache().ForgetTexts();
  const SDL_Color color{static_cast<uint8_t>(nColor & 255),
                        static_cast<uint8_t>((nColor >> 8) & 255),
                        static_cast<uint8_t>((nColor >> 16) & 255), 255};
  SDL_Surface* text = TTF_RenderUTF8_Blended(face, sUtf8.c_str(), color);
  if (text == nullptr) throw GameError(ERR_BAD_FILE_FORMAT, TTF_GetError());
  texts.emplace(key, SdlSurfacePtr(text));
  return text;
}
