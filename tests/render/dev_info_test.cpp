// The frame-rate meter: averages over windows of at least three seconds.
#include "render/dev_info.h"

#include <gtest/gtest.h>

#include "engines/vbge.h"
#include "tests/test_support.h"

using namespace testing_support;

namespace {

class Meter : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(GE.Initialize(800, 600, 16, 31, host, 1200, 600));
    clock.now = 1000;
    ASSERT_TRUE(meter.Initialize(GE));
  }
  ScratchFolder folder;
  ManualClock clock;
  TestHost host;
  VBGE GE;
  DevInfo meter;
};

}  // namespace

TEST_F(Meter, ShowsZeroUntilTheFirstWindowCloses) {
  for (int i = 1; i < 100; ++i) {
    clock.now = 1000 + 30 * i;
    ASSERT_TRUE(meter.Calculate());
  }
  EXPECT_EQ(meter.FramesPerSecond, 0);
  EXPECT_EQ(meter.FrameCount, 99);
  clock.now = 4000;  // the 100th frame, three seconds on
  ASSERT_TRUE(meter.Calculate());
  EXPECT_EQ(DevInfo::FormatRate(meter.FramesPerSecond), "33.33333");
  EXPECT_EQ(meter.FrameCount, 0);
  EXPECT_EQ(meter.WindowStart, 4000u);
}

TEST_F(Meter, AWindowClosesOnlyAfterThreeSeconds) {
  clock.now = 1000 + 2999;
  ASSERT_TRUE(meter.Calculate());
  EXPECT_EQ(meter.FramesPerSecond, 0);
  clock.now = 1000 + 5998;
  ASSERT_TRUE(meter.Calculate());
  EXPECT_FLOAT_EQ(meter.FramesPerSecond, 2 / 5.998f);
  EXPECT_EQ(DevInfo::FormatRate(0), "0");
}

TEST(MeterUninitialised, ReportsNotInitialized) {
  ScratchFolder folder;
  DevInfo meter;
  EXPECT_FALSE(meter.Calculate());
  EXPECT_EQ(folder.ErrorLog(), "DevInfo - Calculate - Not initialized.\r\n\r\n");
}
