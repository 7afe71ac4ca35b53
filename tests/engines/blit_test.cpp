// The graphics engine's copy rule, its clearing and its failure reports.
#include <gtest/gtest.h>

#include "engines/vbge.h"
#include "tests/test_support.h"

using namespace testing_support;

namespace {

class GraphicsEngine : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(GE.Initialize(800, 600, 16, 31, host, 1200, 600)); }

  // A 50 x 20 source whose pixel (x, y) has the raw value 1 + x + 50 * y.
  SurfacePtr NumberedSource() {
    SurfacePtr source;
    EXPECT_TRUE(GE.CreateSurface(source, 50, 20, 0));
    auto* pixels = static_cast<uint16_t*>(RawPixels(*source));
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 50; ++x)
        pixels[y * Pitch(*source) + x] = static_cast<uint16_t>(1 + x + 50 * y);
    return source;
  }
  static void* RawPixels(Surface& s);
  static int Pitch(Surface& s);

  ScratchFolder folder;
  TestHost host;
  VBGE GE;
};

}  // namespace

#include <SDL.h>
void* GraphicsEngine::RawPixels(Surface& s) {
  return s.Raw()->pixels;
}
int GraphicsEngine::Pitch(Surface& s) {
  return s.Raw()->pitch / 2;
}

TEST_F(GraphicsEngine, MakesTheBackBufferOfTheAskedSizeOrTheScreenSize) {
  EXPECT_EQ(GE.BackBuffer()->GetSurfaceDesc().Width, 1200);
  EXPECT_EQ(GE.PrimarySurface()->GetSurfaceDesc().Width, 800);
  VBGE plain;
  ASSERT_TRUE(plain.Initialize(800, 600, 16, 31, host));
  EXPECT_EQ(plain.BackBuffer()->GetSurfaceDesc().Width, 800);
  EXPECT_EQ(plain.BackBuffer()->GetSurfaceDesc().Height, 600);
}

TEST_F(GraphicsEngine, ClipsAgainstTheDestinationAndHandsBackTheClippedRectangles) {
  SurfacePtr source = NumberedSource();
  Surface* back = GE.BackBuffer().get();
  Rect dest{-10, 5, 40, 25};
  Rect src{0, 0, 50, 20};
  ASSERT_TRUE(GE.Blit(back, dest, source.get(), src, 0, 0, BLIT_WAIT));
  EXPECT_EQ(dest, (Rect{0, 5, 40, 25}));
  EXPECT_EQ(src, (Rect{10, 0, 50, 20}));
  EXPECT_EQ(back->Pixel(0, 5), 1 + 10);              // source (10, 0)
  EXPECT_EQ(back->Pixel(39, 24), 1 + 49 + 50 * 19);  // source (49, 19)

  // Past the right and bottom edges.
  dest = Rect{1190, 590, 1240, 610};
  src = Rect{0, 0, 50, 20};
  ASSERT_TRUE(GE.Blit(back, dest, source.get(), src, 0, 0, BLIT_WAIT));
  EXPECT_EQ(dest, (Rect{1190, 590, 1200, 600}));
  EXPECT_EQ(src, (Rect{0, 0, 10, 10}));
  EXPECT_EQ(back->Pixel(1199, 599), 1 + 9 + 50 * 9);
}

TEST_F(GraphicsEngine, SkipsRectanglesWhollyOutsideButNotThoseTouchingTheEdge) {
  SurfacePtr source = NumberedSource();
  Surface* back = GE.BackBuffer().get();
  const Rect outside[] = {
      {1200, 0, 1250, 20}, {0, 600, 50, 620}, {-60, 0, -1, 20}, {0, -30, 50, -1}};
  for (Rect dest : outside) {
    Rect src{0, 0, 50, 20};
    const Rect before = dest;
    EXPECT_TRUE(GE.Blit(back, dest, source.get(), src, 0, 0, BLIT_WAIT));
    EXPECT_EQ(dest, before) << "a skipped copy changes nothing";
  }
  // Right edge exactly 0: not skipped, clipped to nothing.
  Rect dest{-50, 0, 0, 20};
  Rect src{0, 0, 50, 20};
  EXPECT_TRUE(GE.Blit(back, dest, source.get(), src, 0, 0, BLIT_WAIT));
  EXPECT_EQ(dest, (Rect{0, 0, 0, 20}));
  EXPECT_EQ(folder.ErrorLog(), "");
}

TEST_F(GraphicsEngine, KeyedCopiesSkipPureBlue) {
  SurfacePtr sprite = NumberedSource();
  static_cast<uint16_t*>(RawPixels(*sprite))[0] = 31;  // pure blue in 16-bit colour
  Surface* back = GE.BackBuffer().get();
  back->SetFillStyle(FILLSTYLE_SOLID);
  back->SetFillColor(RGB(255, 0, 0));
  back->DrawBox(0, 0, 100, 100);
  const uint16_t red = back->Pixel(0, 0);
  Rect dest{0, 0, 50, 20}, src{0, 0, 50, 20};
  ASSERT_TRUE(GE.Blit(back, dest, sprite.get(), src, 0, 0, BLIT_WAIT_KEYED));
  EXPECT_EQ(back->Pixel(0, 0), red);
  EXPECT_EQ(back->Pixel(1, 0), 2);
  dest = Rect{0, 0, 50, 20};
  src = Rect{0, 0, 50, 20};
  ASSERT_TRUE(GE.Blit(back, dest, sprite.get(), src, 0, 0, BLIT_WAIT));
  EXPECT_EQ(back->Pixel(0, 0), 31) << "a plain copy copies the key colour too";

  // Rows of every width up to 19 pixels (eight at a time, and the few left over), the key at
  // their ends and every third pixel: the others are copied, the key's leave the row as it was.
  auto* row = static_cast<uint16_t*>(RawPixels(*sprite)) + 5 * Pitch(*sprite);
  for (int width = 1; width < 20; ++width) {
    const auto keyed = [width](int x) { return x % 3 == 0 || x == width - 1; };
    for (int x = 0; x < width; ++x) row[x] = keyed(x) ? 31 : static_cast<uint16_t>(1000 + x);
    back->DrawBox(0, 0, 100, 100);
    dest = Rect{10, 30, 10 + width, 31};
    src = Rect{0, 5, width, 6};
    ASSERT_TRUE(GE.Blit(back, dest, sprite.get(), src, 0, 0, BLIT_WAIT_KEYED));
    for (int x = 0; x <= width; ++x)
      EXPECT_EQ(back->Pixel(10 + x, 30), x < width && !keyed(x) ? 1000 + x : back->Pixel(9, 30))
          << width << " wide, pixel " << x;
  }
}

TEST_F(GraphicsEngine, RefusesUnknownBlitTypesAndThePrimarySurfaceForClearing) {
  SurfacePtr source = NumberedSource();
  Rect dest{0, 0, 50, 20}, src{0, 0, 50, 20};
  EXPECT_FALSE(GE.Blit(GE.BackBuffer().get(), dest, source.get(), src, 1, 0, BLIT_WAIT));
  EXPECT_FALSE(GE.ClearSurface(GE.PrimarySurface().get(), false));
  EXPECT_EQ(folder.ErrorLog(),
            "VBGE - Blit - Invalid blit type specified.\r\n\r\n"
            "VBGE - ClearSurface - Primary surface not allowed.\r\n\r\n");
}

TEST_F(GraphicsEngine, ClearingTheBackBufferCanClearTheScreenToo) {
  SurfacePtr source = NumberedSource();
  Rect dest{0, 0, 50, 20}, src{0, 0, 50, 20};
  GE.Blit(GE.PrimarySurface().get(), dest, source.get(), src, 0, 0, BLIT_WAIT);
  dest = Rect{1150, 0, 1200, 20};
  src = Rect{0, 0, 50, 20};
  GE.Blit(GE.BackBuffer().get(), dest, source.get(), src, 0, 0, BLIT_WAIT);
  ASSERT_TRUE(GE.ClearSurface(GE.BackBuffer().get(), true));
  EXPECT_EQ(GE.BackBuffer()->Pixel(1199, 0), 0);
  EXPECT_EQ(GE.PrimarySurface()->Pixel(10, 10), 0);
}

TEST(GraphicsEngineUninitialised, ReportsNotInitialized) {
  ScratchFolder folder;
  VBGE GE;
  SurfacePtr surface;
  Rect dest{}, src{};
  EXPECT_FALSE(GE.Blit(nullptr, dest, nullptr, src, 0, 0, BLIT_WAIT));
  EXPECT_FALSE(GE.LoadBitmap("Skull.bmp", surface));
  EXPECT_EQ(folder.ErrorLog(),
            "VBGE - Blit - Not initialized.\r\n\r\n"
            "VBGE - LoadBitmap - Not initialized. - Skull.bmp\r\n\r\n");
}

TEST_F(GraphicsEngine, AMissingBitmapNamesTheFile) {
  SurfacePtr surface;
  EXPECT_FALSE(GE.LoadBitmap("Nowhere.bmp", surface));
  EXPECT_EQ(folder.ErrorLog(), "VBGE - LoadBitmap - File not found - Nowhere.bmp\r\n\r\n");
}
