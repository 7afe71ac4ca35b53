// Pictures and waves are checked before SDL reads them: broken and hostile headers are refused
// with a reason, the game's own files pass.
#include "engines/media_checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data/catalogue.h"
#include "engines/vbge.h"
#include "engines/vbse.h"
#include "game/game.h"
#include "tests/engines/hostile_files.h"
#include "tests/test_support.h"

using namespace testing_support;
using namespace hostile_files;

namespace {

struct Case {
  const char* what;
  std::vector<uint8_t> file;
  const char* reason;  // the start of the refusal
};

std::vector<Case> HostilePictures() {
  const std::vector<uint8_t> box = GameFileBytes("MysteryBox.bmp");
  std::vector<uint8_t> flipped = box;
  flipped[18] ^= 0x40;  // the width's low byte
  std::vector<uint8_t> cut(box.begin(), box.begin() + static_cast<long>(box.size() / 2));
  std::vector<uint8_t> hugeData = Bitmap(640, 35, 24);
  Put32(hugeData, 34, 0x7FFFFFFF);  // declared data size
  std::vector<uint8_t> palette = Bitmap(640, 35, 8);
  Put32(palette, 46, 100000);  // colours used
  return {
      {"65536 x 65536 at 8 bits in 4 KB", Bitmap(65536, 65536, 8, 0, 4096),
       "Picture is 65536 x 65536, larger than 4096 x 4096"},
      {"100000 x 100000 RLE8", Bitmap(100000, 100000, 8, 1, 4096), "Picture is 100000 x 100000"},
      {"1 x 2147483647 at 24 bits", Bitmap(1, 2147483647, 24, 0, 4096),
       "Picture is 1 x 2147483647"},
      {"a byte flipped in the width", flipped, "Picture is 704 x 35, the game needs 640 x 35"},
      {"cut in half", cut, "Picture data is cut short"},
      {"2 GB of declared data", hugeData, "Picture data is cut short"},
      {"run-length encoded", Bitmap(640, 35, 8, 1), "Unsupported compression 1"},
      {"100000 palette colours", palette, "Palette of 100000 colours for a 8-bit picture"},
      {"no width", Bitmap(0, 35, 24), "Picture of 0 x 35 pixels"},
      {"7 bits a pixel", Bitmap(640, 35, 7), "Unsupported bit depth 7"},
      {"a wave", Wave(1, 8000, 8, 100), "Not a BMP picture"},
      {"the header cut off", std::vector<uint8_t>(box.begin(), box.begin() + 60),
       "Picture data is cut short"},
  };
}

std::vector<Case> HostileWaves() {
  std::vector<uint8_t> boing = Wave(1, 1, 8, 800);  // 1 Hz: SDL's resampler overruns on it
  Put32(boing, 40, 256 * 1024);                     // and a data chunk 256 KB long in 1 KB
  std::vector<uint8_t> twoGigabytes = Wave(1, 8000, 8, 800);
  Put32(twoGigabytes, 40, 0x7FFFFFFF);
  std::vector<uint8_t> riff = Wave(1, 8000, 8, 800);
  Put32(riff, 4, 0x7FFFFFFF);
  const std::vector<uint8_t> plain = Wave(1, 8000, 8, 800);
  std::vector<uint8_t> noData(plain.begin(), plain.begin() + 36);
  Put32(noData, 4, 28);
  std::vector<uint8_t> floats = Wave(1, 8000, 16, 800);
  floats[20] = 3;  // IEEE float
  return {
      {"1 Hz with a 256 KB data chunk in 1 KB", boing, "Sample rate 1 Hz"},
      {"1 Hz", Wave(1, 1, 8, 800), "Sample rate 1 Hz (4000 to 96000 only)"},
      {"a 2 GB data chunk", twoGigabytes, "Chunk \"data\" of 2147483647 bytes runs past"},
      {"a RIFF size past the end", riff, "RIFF size runs past the end of the file"},
      {"floating-point samples", floats, "Not PCM samples (format 3)"},
      {"three channels", Wave(3, 8000, 8, 900), "3 channels (1 or 2 only)"},
      {"24-bit samples", Wave(1, 8000, 24, 900), "24-bit samples (8 or 16 only)"},
      {"192 kHz", Wave(2, 192000, 16, 800), "Sample rate 192000 Hz"},
      {"61 s long", Wave(1, 4000, 8, 4000 * 61), "Sound is 61 s long (60 s at most)"},
      {"a picture", Bitmap(8, 8, 24), "Not a WAVE file"},
      {"no data chunk", noData, "Wave has no data"},
  };
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

}  // namespace

TEST(MediaChecks, HostilePictureHeadersAreRefusedBeforeSdlReadsThem) {
  ScratchFolder folder;
  TestHost host;
  VBGE GE;
  ASSERT_TRUE(GE.Initialize(800, 600, 16, 31, host, 1200, 600));
  for (const Case& c : HostilePictures()) {
    SCOPED_TRACE(c.what);
    EXPECT_TRUE(StartsWith(PictureFault(c.file, 640, 35), c.reason))
        << PictureFault(c.file, 640, 35);
    WriteBytes("Hostile.bmp", c.file);
    SurfacePtr surface;
    EXPECT_FALSE(GE.LoadBitmap("Hostile.bmp", surface, 640, 35));
    EXPECT_EQ(surface, nullptr);
    const std::string log = folder.ErrorLog();
    EXPECT_TRUE(StartsWith(log, std::string("VBGE - LoadBitmap - ") + c.reason)) << log;
    EXPECT_TRUE(log.ends_with(" - Hostile.bmp\r\n\r\n")) << log;
    std::filesystem::remove("Errors.txt");
  }
}

TEST(MediaChecks, HostileWavesAreRefusedBeforeSdlReadsThem) {
  ScratchFolder folder;
  VBSE SE;
  ASSERT_TRUE(SE.Initialize());
  for (const Case& c : HostileWaves()) {
    SCOPED_TRACE(c.what);
    EXPECT_TRUE(StartsWith(WaveFault(c.file), c.reason)) << WaveFault(c.file);
    WriteBytes("Boing.wav", c.file);
    SoundBufferPtr sound;
    EXPECT_FALSE(SE.LoadSound("Boing.wav", sound, false));
    const std::string log = folder.ErrorLog();
    EXPECT_TRUE(StartsWith(log, std::string("VBSE - LoadSound - ") + c.reason)) << log;
    EXPECT_TRUE(log.ends_with(" - Boing.wav\r\n\r\n")) << log;
    std::filesystem::remove("Errors.txt");
  }
}

TEST(MediaChecks, TheGamesOwnFilesAndPlainVariantsPass) {
  for (int i = 0; i < PICTURE_COUNT; ++i) {
    const auto picture = static_cast<PictureId>(i);
    const PictureSize size = PictureSizeOf(picture);
    for (const bool extra : {false, true}) {
      const char* file = PictureFile(picture, extra);
      EXPECT_EQ(PictureFault(GameFileBytes(file), size.Width, size.Height), "") << file;
    }
  }
  for (const SoundFileInfo& row : SoundFiles())
    EXPECT_EQ(WaveFault(GameFileBytes(row.File)), "") << row.File;

  // What other painting programs write: top-down rows, 16 and 32 bits with colour masks,
  // palettes of every depth, odd widths with padded rows.
  EXPECT_EQ(PictureFault(Bitmap(640, -35, 24), 640, 35), "");
  EXPECT_EQ(PictureFault(Bitmap(13, 7, 16, 3)), "");
  EXPECT_EQ(PictureFault(Bitmap(13, 7, 32, 3)), "");
  for (const int bits : {1, 4, 8}) EXPECT_EQ(PictureFault(Bitmap(13, 7, bits)), "") << bits;
  EXPECT_EQ(WaveFault(Wave(2, 44100, 16, 4000)), "");
  EXPECT_EQ(WaveFault(Wave(1, 4000, 8, 4000 * 60)), "") << "a minute is allowed";
}

TEST(MediaChecks, AHostileFileStopsTheStartLikeAMissingOne) {
  for (const char* file : {"Skull.bmp", "Boing.wav"}) {
    SCOPED_TRACE(file);
    ScratchFolder folder;
    ManualClock clock;
    TestHost host;
    folder.LinkGameFiles({file});
    const bool picture = std::string(file).ends_with(".bmp");
    WriteBytes(file, picture ? Bitmap(65536, 65536, 8, 0, 4096) : Wave(1, 1, 8, 800));
    Game game;
    EXPECT_FALSE(game.Initialize(host, false));
    EXPECT_EQ(folder.ErrorLog(),
              picture ? "VBGE - LoadBitmap - Picture is 65536 x 65536, larger than 4096 x 4096 - "
                        "Skull.bmp\r\n\r\n"
                      : "VBSE - LoadSound - Sample rate 1 Hz (4000 to 96000 only) - "
                        "Boing.wav\r\n\r\n");
  }
}
