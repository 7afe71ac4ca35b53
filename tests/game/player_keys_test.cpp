// The player's own keys: a key bound to an action moves the hero as the original key did, the
// original key left unbound does nothing in play, and a recording holds what the rules read, so
// the simulator replays it without knowing the player's keys.
#include "base/key_names.h"
#include "base/play_keys.h"
#include "data/player_settings.h"
#include "tests/started_game.h"

using namespace testing_support;

namespace {

class PlayerKeys : public StartedGame {
 protected:
  // Jump on W (Up no longer jumps), fire on Space.
  void BindJumpToW() {
    game.Settings.Controls[static_cast<int>(PlayAction::Jump)].Keys = {KeyFromName("W"), 0};
    game.Settings.Controls[static_cast<int>(PlayAction::Fire)].Keys = {dik::SPACE, 0};
    game.ApplyControls();
  }
  // Frames until the hero has dropped onto the floor at the start of level 1.
  void Land() {
    Play(1);
    for (int i = 0; i < 100 && game.Play.CharInAir != 0; ++i) Play(1);
    ASSERT_EQ(game.Play.CharInAir, 0);
  }
};

}  // namespace

TEST(PlayKeyMap, TheOriginalKeysMapNothingAndBoundKeysCountAsTheOriginal) {
  PlayerSettings settings;
  KeyboardSnapshot held{};
  held[dik::UP] = held[dik::SPACE] = held[KeyFromName("W")] = held[dik::NUMPAD0] = 0x80;
  EXPECT_EQ(MapPlayKeys(held, KeyMapFor(settings.Controls)), held);

  settings.Controls[static_cast<int>(PlayAction::Jump)].Keys = {KeyFromName("W"), 0};
  const KeyboardSnapshot mapped = MapPlayKeys(held, KeyMapFor(settings.Controls));
  KeyboardSnapshot expected{};
  expected[dik::UP] = 0x80;       // W
  expected[dik::NUMPAD0] = 0x80;  // no key of play: as it is
  EXPECT_EQ(mapped, expected) << "Up and Space are no longer jump keys";

  const PadKeys pad = PadKeysFor(settings.Controls);
  EXPECT_EQ(pad.Buttons[0], KeyFromName("W")) << "A jumps through the jump key";
  EXPECT_EQ(pad.StickUp, KeyFromName("W"));
  EXPECT_EQ(pad.Buttons[1], dik::LCONTROL);
}

TEST_F(PlayerKeys, AReboundKeyMovesTheHeroAndTheRecordingHoldsWhatTheRulesRead) {
  const std::filesystem::path file = folder.Path() / "keys.rec";
  game.RecordFile = file.string();
  Start(false, 1);
  BindJumpToW();
  Land();
  keys.Hold({dik::UP});
  Play(3);
  EXPECT_EQ(game.Play.CharInAir, 0) << "Up is no jump key any more";
  keys.Hold({KeyFromName("W")});
  Play(3);
  EXPECT_EQ(game.Play.CharInAir, 1) << "W jumps";
  EXPECT_LT(game.Play.CharVY, 0) << "the hero rises";
  keys.Hold({});
  Play(40);
  const int32_t score = game.Play.CharScore;
  ASSERT_TRUE(game.StopGame());

  // Headless, with no settings at all: the simulator sees the hero rise where W was held.
  const ProgramRun sim =
      RunProgram(std::string("'") + PIBO_GAME_DIR + "/pibo-sim' --folder '" + PIBO_GAME_DIR +
                 "' --replay '" + file.string() + "' --trace 2>&1");
  EXPECT_EQ(sim.status, 0) << sim.output;
  EXPECT_NE(sim.output.find("\"CharScore\":" + std::to_string(score)), std::string::npos);
  bool rose = false;
  for (const std::string& line : sim.Lines())
    rose = rose || (line.find("\"CharInAir\":1") != std::string::npos &&
                    line.find("\"CharVY\":-") != std::string::npos);
  EXPECT_TRUE(rose) << "the replayed hero never rose";
}
