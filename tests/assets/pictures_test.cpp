// The generated pictures, checked the way the game uses them: loaded as BMP, turned into
// 16-bit RGB565 surfaces, cut into frames and blitted with pure blue (pixel value 31) as the
// see-through colour.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::uint16_t kKey = 31;

struct Picture {
  const char* file;
  int width, height;
  bool sprite;  // has see-through parts (drawn colour-keyed)
  int frame_w;  // frames laid out left to right in `rows` rows of this width (0: no frames)
  int frame_h;
  int rows;
  bool contained = false;  // each frame keeps clear of its edges (nothing cut off)
};

const Picture kPictures[] = {
    {"Loading_ZT.bmp", 800, 600, false, 0, 0, 0},
    {"Background_ZT.bmp", 1000, 200, false, 0, 0, 0},
    {"StagePreviews.bmp", 320, 1200, false, 0, 0, 0},
    {"GetReady_ZT.bmp", 800, 600, false, 0, 0, 0},
    {"GameOver_ZT.bmp", 800, 600, false, 0, 0, 0},
    {"Title_ZT.bmp", 800, 600, false, 0, 0, 0},
    {"Title_ZTE.bmp", 800, 600, false, 0, 0, 0},
    {"Platform_ZT.bmp", 150, 340, true, 0, 0, 0},
    {"Character.bmp", 680, 72, true, 40, 36, 2},
    {"Invulnerable.bmp", 640, 35, true, 40, 35, 1, true},
    {"GemNormal.bmp", 640, 35, true, 40, 35, 1, true},
    {"HighJump.bmp", 640, 35, true, 40, 35, 1, true},
    {"ExtraSpeed.bmp", 640, 35, true, 40, 35, 1, true},
    {"ExtraHealth.bmp", 640, 35, true, 40, 35, 1, true},
    {"Shoot.bmp", 640, 35, true, 40, 35, 1, true},
    {"ShootSpread.bmp", 640, 35, true, 40, 35, 1, true},
    {"ShootBounce.bmp", 640, 35, true, 40, 35, 1, true},
    {"ShootBidi.bmp", 640, 35, true, 40, 35, 1, true},
    {"ShootExplode.bmp", 640, 35, true, 40, 35, 1, true},
    {"MysteryBox.bmp", 640, 35, true, 40, 35, 1, true},
    {"FreezeBombs.bmp", 640, 35, true, 40, 35, 1, true},
    {"Magnet.bmp", 640, 35, true, 40, 35, 1, true},
    {"Skull.bmp", 640, 35, true, 40, 35, 1, true},
    {"NormalBomb_ZT.bmp", 640, 40, true, 40, 40, 1, true},
    {"HotBomb_ZT.bmp", 640, 40, true, 40, 40, 1, true},
    {"HitBomb_ZT.bmp", 640, 40, true, 40, 40, 1, true},
    {"AmmoBall_ZT.bmp", 160, 10, true, 10, 10, 1, true},
    {"BombExit.bmp", 20, 100, true, 0, 0, 0},
    {"Machine.bmp", 360, 280, true, 0, 0, 0},
    {"MachineHit.bmp", 8, 8, true, 0, 0, 0},
    {"Fireworks.bmp", 100, 20, true, 20, 20, 1, true},
};

// A picture as the game holds it: 16-bit pixels.
struct Image {
  int w = 0, h = 0;
  std::vector<std::uint16_t> px;
  std::uint16_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
  bool Opaque(int x, int y) const { return At(x, y) != kKey; }
};

// Loads a BMP and converts it to RGB565 the way the game's surfaces are made.
Image Load565(const std::string& file) {
  Image img;
  const std::string path = std::string(PIBO_GAME_DIR) + "/" + file;
  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> raw(SDL_LoadBMP(path.c_str()),
                                                               SDL_FreeSurface);
  if (!raw) return img;
  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> s(
      SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_RGB565, 0), SDL_FreeSurface);
  if (!s) return img;
  img.w = s->w;
  img.h = s->h;
  img.px.resize(static_cast<size_t>(img.w) * img.h);
  for (int y = 0; y < img.h; ++y) {
    const auto* row = reinterpret_cast<const std::uint16_t*>(
        static_cast<const std::uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch);
    for (int x = 0; x < img.w; ++x) img.px[static_cast<size_t>(y) * img.w + x] = row[x];
  }
  return img;
}

// Brightness of a 16-bit pixel, 0..255.
double Luma(std::uint16_t c) {
  return 0.3 * ((c >> 11) << 3) + 0.59 * (((c >> 5) & 63) << 2) + 0.11 * ((c & 31) << 3);
}

int CountKey(const Image& img, int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) n += img.At(x, y) == kKey;
  return n;
}

bool SameBlock(const Image& img, int ax, int ay, int bx, int by, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (img.At(ax + x, ay + y) != img.At(bx + x, by + y)) return false;
  return true;
}

class PictureTest : public ::testing::TestWithParam<Picture> {};

// Every picture loads at its exact size; sprite sheets have see-through pixels, full pictures
// have none; every animation frame shows something, stays inside its own rectangle where it
// should, and differs from the frame before it, the last one also from the first (the loops
// wrap round).
TEST_P(PictureTest, LoadsWithItsGeometryAndKey) {
  const Picture& p = GetParam();
  const Image img = Load565(p.file);
  ASSERT_EQ(img.w, p.width) << p.file << ": " << SDL_GetError();
  ASSERT_EQ(img.h, p.height) << p.file;

  const int keys = CountKey(img, 0, 0, img.w, img.h);
  if (p.sprite)
    EXPECT_GT(keys, 0) << p.file << " has no see-through pixels";
  else
    EXPECT_EQ(keys, 0) << p.file << " has pixels the blit would drop";

  if (p.frame_w == 0) return;
  const int frames = p.width / p.frame_w;
  for (int r = 0; r < p.rows; ++r) {
    for (int f = 0; f < frames; ++f) {
      const int x = f * p.frame_w, y = r * p.frame_h;
      EXPECT_LT(CountKey(img, x, y, p.frame_w, p.frame_h), p.frame_w * p.frame_h)
          << p.file << " frame " << f << " row " << r << " is empty";
      if (p.contained) {
        const int inside = CountKey(img, x + 1, y + 1, p.frame_w - 2, p.frame_h - 2);
        EXPECT_EQ(CountKey(img, x, y, p.frame_w, p.frame_h) - inside,
                  2 * (p.frame_w + p.frame_h) - 4)
            << p.file << " frame " << f << " touches its edge";
      }
      const int prev = (f + frames - 1) % frames;
      EXPECT_FALSE(SameBlock(img, x, y, prev * p.frame_w, y, p.frame_w, p.frame_h))
          << p.file << " frame " << f << " repeats frame " << prev << " (row " << r << ")";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, PictureTest, ::testing::ValuesIn(kPictures),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.'));
                         });

// No opaque pixel of any picture may turn into the key when reduced to 16 bits: checked on
// the 24-bit file itself, so a near-blue pixel cannot hide behind a lucky conversion.
TEST(Pictures, NoOpaqueColourLandsOnTheKey) {
  for (const Picture& p : kPictures) {
    const std::string path = std::string(PIBO_GAME_DIR) + "/" + p.file;
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded(SDL_LoadBMP(path.c_str()),
                                                                    SDL_FreeSurface);
    ASSERT_TRUE(loaded) << p.file;
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> s(
        SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB24, 0), SDL_FreeSurface);
    ASSERT_TRUE(s) << p.file;
    int near_key = 0;
    for (int y = 0; y < s->h; ++y) {
      const auto* row =
          static_cast<const std::uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
      for (int x = 0; x < s->w; ++x) {
        const int r = row[3 * x], g = row[3 * x + 1], b = row[3 * x + 2];
        const bool pure = r == 0 && g == 0 && b == 255;
        if (!pure && (r >> 3) == 0 && (g >> 2) == 0 && (b >> 3) == 31) ++near_key;
      }
    }
    EXPECT_EQ(near_key, 0) << p.file;
  }
}

// The files are plain 24-bit bottom-up BMPs with a BITMAPINFOHEADER and rows padded to four
// bytes, the one layout every BMP reader takes.
TEST(Pictures, FilesAreUncompressed24BitBmps) {
  for (const Picture& p : kPictures) {
    std::FILE* f = std::fopen((std::string(PIBO_GAME_DIR) + "/" + p.file).c_str(), "rb");
    ASSERT_NE(f, nullptr) << p.file;
    std::uint8_t h[54] = {};
    const size_t got = std::fread(h, 1, sizeof h, f);
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    ASSERT_EQ(got, sizeof h) << p.file;
    auto u32 = [&](int o) {
      return h[o] | h[o + 1] << 8 | h[o + 2] << 16 | std::uint32_t(h[o + 3]) << 24;
    };
    auto u16 = [&](int o) { return h[o] | h[o + 1] << 8; };
    EXPECT_TRUE(h[0] == 'B' && h[1] == 'M') << p.file;
    EXPECT_EQ(u32(10), 54u) << p.file;
    EXPECT_EQ(u32(14), 40u) << p.file;
    EXPECT_EQ(static_cast<int>(u32(18)), p.width) << p.file;
    EXPECT_EQ(static_cast<int>(u32(22)), p.height) << p.file << " (positive: bottom-up)";
    EXPECT_EQ(u16(28), 24) << p.file;
    EXPECT_EQ(u32(30), 0u) << p.file;
    const long row = (p.width * 3 + 3) / 4 * 4;
    EXPECT_EQ(size, 54 + row * p.height) << p.file;
  }
}

// Where the game writes text over a picture the picture is dark, so white and yellow letters
// stay readable: the title's help and high-score panels, the box of the level screen and the
// bands of each stage preview that hold "Next Stage", the stage's name and its password.
TEST(Pictures, TextAreasAreDark) {
  struct Area {
    const char* file;
    int x0, y0, x1, y1;
  };
  std::vector<Area> areas = {{"Title_ZT.bmp", 2, 157, 198, 418},
                             {"Title_ZT.bmp", 602, 157, 798, 418},
                             {"Title_ZTE.bmp", 2, 157, 198, 418},
                             {"Title_ZTE.bmp", 602, 157, 798, 418},
                             {"GetReady_ZT.bmp", 192, 202, 608, 338}};
  for (int s = 0; s < 5; ++s) {
    areas.push_back({"StagePreviews.bmp", 15, 240 * s + 4, 215, 240 * s + 40});
    areas.push_back({"StagePreviews.bmp", 15, 240 * s + 208, 250, 240 * s + 232});
  }
  for (const Area& a : areas) {
    const Image img = Load565(a.file);
    ASSERT_GT(img.w, 0) << a.file;
    double sum = 0;
    for (int y = a.y0; y < a.y1; ++y)
      for (int x = a.x0; x < a.x1; ++x) sum += Luma(img.At(x, y));
    EXPECT_LT(sum / ((a.x1 - a.x0) * (a.y1 - a.y0)), 70) << a.file << " at " << a.x0 << "," << a.y0;
  }
}

// Balls leave the blaster 40 px in front of the hero's left edge, 13 to 23 px down: every
// side-on frame facing right holds the muzzle at the front edge there.
TEST(Pictures, BlasterMuzzleWhereTheBallsStart) {
  const Image img = Load565("Character.bmp");
  ASSERT_EQ(img.w, 680);
  for (int f = 0; f <= 10; ++f) {
    const int x0 = 640 - 40 * f;
    int solid = 0;
    for (int y = 36 + 14; y < 36 + 22; ++y)
      for (int x = x0 + 36; x < x0 + 40; ++x) solid += img.Opaque(x, y);
    EXPECT_GE(solid, 8) << "frame " << f;
  }
}

// The hero's top row faces left and is read from the left, the bottom row faces right and is
// read from the right: the rows are mirror images, and the display's face (frame 11 facing
// right, at x 200 of the bottom row) is there.
TEST(Pictures, HeroRowsMirrorEachOther) {
  const Image img = Load565("Character.bmp");
  ASSERT_EQ(img.w, 680);
  int mismatched = 0;
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 680; ++x) mismatched += img.At(x, y) != img.At(679 - x, y + 36);
  EXPECT_EQ(mismatched, 0);
  EXPECT_GT(40 * 36 - CountKey(img, 200, 36, 40, 36), 400) << "face frame nearly empty";
}

// Each platform kind shows solid ground right where the hero lands on it (2 px into the cell,
// 8 on goo, 13 on swamp), across all three pieces.
TEST(Pictures, PlatformSurfacesSitAtTheLandingHeight) {
  const Image img = Load565("Platform_ZT.bmp");
  ASSERT_EQ(img.h, 340);
  for (int k = 0; k <= 16; ++k) {
    const int top = 20 * k + (k == 3 ? 8 : k == 9 ? 13 : 2);
    for (int piece = 0; piece < 3; ++piece) {
      int solid = 0;
      for (int x = piece * 50 + 5; x < piece * 50 + 45; ++x) solid += img.Opaque(x, top + 1);
      EXPECT_GE(solid, 36) << "platform " << k << " piece " << piece;
    }
    // The ends are rounded off on their outer side only.
    int outer_left = 0, outer_right = 0, inner_left = 0, inner_right = 0;
    for (int y = 20 * k; y < 20 * k + 20; ++y) {
      outer_left += img.Opaque(0, y);
      outer_right += img.Opaque(149, y);
      inner_left += img.Opaque(49, y);
      inner_right += img.Opaque(100, y);
    }
    EXPECT_LT(outer_left, inner_left) << "platform " << k;
    EXPECT_LT(outer_right, inner_right) << "platform " << k;
    // The middle piece joins itself: its two edge columns meet without a step in outline.
    int left_solid = 0, right_solid = 0;
    for (int y = 20 * k; y < 20 * k + 20; ++y) {
      left_solid += img.Opaque(50, y);
      right_solid += img.Opaque(99, y);
    }
    EXPECT_NEAR(left_solid, right_solid, 2) << "platform " << k;
  }
}

// Backdrop tiles repeat six by three: the colours across each wrap-round seam change no more
// than they do between neighbouring columns and rows inside the tile.
TEST(Pictures, BackdropTilesWrapSeamlessly) {
  const Image img = Load565("Background_ZT.bmp");
  ASSERT_EQ(img.w, 1000);
  auto diff = [](std::uint16_t a, std::uint16_t b) {
    return std::abs((a >> 11) - (b >> 11)) + std::abs(((a >> 5) & 63) / 2 - ((b >> 5) & 63) / 2) +
           std::abs((a & 31) - (b & 31));
  };
  for (int t = 0; t < 5; ++t) {
    const int x0 = 200 * t;
    double seam = 0, inside = 0;
    for (int i = 0; i < 200; ++i) {
      seam +=
          diff(img.At(x0 + 199, i), img.At(x0, i)) + diff(img.At(x0 + i, 199), img.At(x0 + i, 0));
      inside += diff(img.At(x0 + 99, i), img.At(x0 + 100, i)) +
                diff(img.At(x0 + i, 99), img.At(x0 + i, 100));
    }
    EXPECT_LT(seam, inside * 2 + 400) << "tile of stage " << t + 1;
  }
}

// The machine: solid where balls hit it, open at the hatches under it where bombs come out,
// see-through in the corners beside the chutes.
TEST(Pictures, MachineBodyAndHatches) {
  const Image img = Load565("Machine.bmp");
  ASSERT_EQ(img.w, 360);
  EXPECT_TRUE(img.Opaque(180, 120));
  EXPECT_TRUE(img.Opaque(40, 200));
  EXPECT_TRUE(img.Opaque(320, 200));
  const int hatches[3][2] = {{54, 270}, {176, 274}, {302, 270}};
  for (const auto& h : hatches) EXPECT_TRUE(img.Opaque(h[0], h[1] - 5)) << h[0];
  EXPECT_FALSE(img.Opaque(0, 279));
  EXPECT_FALSE(img.Opaque(359, 279));
  EXPECT_FALSE(img.Opaque(115, 270));
}

// A backdrop tile is seen six by three times over, so nothing in it may stand out as a landmark
// the eye finds again and again: the detail (how much the pixels vary) is spread over the tile,
// no 40 x 40 patch holding many times more than the quietest one. A lone planet on an empty sky
// gives over thirty times.
TEST(Pictures, BackdropDetailIsSpreadOverTheTile) {
  const Image img = Load565("Background_ZT.bmp");
  ASSERT_EQ(img.w, 1000);
  for (int t = 0; t < 5; ++t) {
    double least = 1e9, most = 0;
    for (int by = 0; by < 5; ++by)
      for (int bx = 0; bx < 5; ++bx) {
        const int x0 = 200 * t + 40 * bx, y0 = 40 * by;
        double mean = 0, spread = 0;
        for (int y = y0; y < y0 + 40; ++y)
          for (int x = x0; x < x0 + 40; ++x) mean += Luma(img.At(x, y)) / 1600;
        for (int y = y0; y < y0 + 40; ++y)
          for (int x = x0; x < x0 + 40; ++x) spread += std::abs(Luma(img.At(x, y)) - mean) / 1600;
        least = std::min(least, spread);
        most = std::max(most, spread);
      }
    EXPECT_LT(most, 5 * least) << "tile of stage " << t + 1;
  }
}

// The five ball-blaster power-ups are told apart by their shapes, not only their colours: the
// outlines of any two differ in a good part of the frame.
TEST(Pictures, BlasterPowerUpsHaveShapesOfTheirOwn) {
  const char* files[] = {"Shoot.bmp", "ShootSpread.bmp", "ShootBounce.bmp", "ShootBidi.bmp",
                         "ShootExplode.bmp"};
  std::vector<Image> items;
  for (const char* f : files) items.push_back(Load565(f));
  for (size_t a = 0; a < items.size(); ++a)
    for (size_t b = a + 1; b < items.size(); ++b) {
      ASSERT_EQ(items[a].w, 640);
      ASSERT_EQ(items[b].w, 640);
      int differ = 0;
      for (int y = 0; y < 35; ++y)
        for (int x = 0; x < 40; ++x) differ += items[a].Opaque(x, y) != items[b].Opaque(x, y);
      EXPECT_GT(differ, 100) << files[a] << " and " << files[b];
    }
}

// Every bomb, in every frame, is ringed by a dark edge with a light line just inside it, so it
// shows on the darkest and the lightest backdrop alike: looking in from the edge of the frame
// in 32 directions, the first solid pixel is dark and a light one follows within 4 px (all but
// the directions where the fuse and cap stick out).
TEST(Pictures, BombsStandOutOnEveryBackdrop) {
  const Image tiles = Load565("Background_ZT.bmp");
  ASSERT_EQ(tiles.w, 1000);
  double darkest = 255, lightest = 0;
  for (int t = 0; t < 5; ++t) {
    double mean = 0;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x) mean += Luma(tiles.At(200 * t + x, y)) / 40000;
    darkest = std::min(darkest, mean);
    lightest = std::max(lightest, mean);
  }
  for (const char* file : {"NormalBomb_ZT.bmp", "HotBomb_ZT.bmp", "HitBomb_ZT.bmp"}) {
    const Image img = Load565(file);
    ASSERT_EQ(img.w, 640) << file;
    for (int f = 0; f < 16; ++f) {
      int ringed = 0;
      for (int d = 0; d < 32; ++d) {
        const double a = 2 * 3.14159265358979 * d / 32;
        double edge = 0, light = 0;
        for (double r = 19.5; r > 6 && (edge == 0 || r > edge - 4); r -= 0.5) {
          const int x = static_cast<int>(20 + r * std::cos(a));
          const int y = static_cast<int>(20 + r * std::sin(a));
          if (!img.Opaque(40 * f + x, y)) continue;
          const double l = Luma(img.At(40 * f + x, y));
          if (edge == 0) {
            edge = r;
            if (l > darkest + 40) break;  // no dark edge on this side
          }
          light = std::max(light, l);
        }
        ringed += edge > 0 && light > lightest + 70;
      }
      EXPECT_GE(ringed, 24) << file << " frame " << f;
    }
  }
}

// The finale cuts each firework into small squares that fly apart: every one of them must be a
// bright spark, and each burst is a solid disc of them right out to its rim.
TEST(Pictures, FireworksAreBrightRightOutToTheirRims) {
  const Image img = Load565("Fireworks.bmp");
  ASSERT_EQ(img.w, 100);
  for (int m = 0; m < 5; ++m) {
    int sparks = 0;
    double dimmest = 255;
    for (int y = 0; y < 20; ++y)
      for (int x = 20 * m; x < 20 * m + 20; ++x) {
        if (!img.Opaque(x, y)) continue;
        ++sparks;
        dimmest = std::min(dimmest, Luma(img.At(x, y)));
      }
    EXPECT_GT(sparks, 220) << "burst " << m;
    EXPECT_GT(dimmest, 100) << "burst " << m;
  }
}

}  // namespace
