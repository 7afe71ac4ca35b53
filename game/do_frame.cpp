// One frame of play as the game runs it: the keyboard is read once, a pause waits for P, the level
// editor takes its keys, the play state steps its rules, and the level's end leads on to the next
// level or to the end of the game.
#include "base/failure.h"
#include "game/game.h"

namespace {

// Paused until P has been released, pressed and released again, the keys looked at once a pass.
// The last frame stays on screen. A closed window ends the pause too.
class PauseState : public ScreenState {
 public:
  explicit PauseState(VBIE& keyboard) : keyboard_(keyboard) {}
  const char* Name() const override { return "pause"; }
  bool Still() const override { return true; }
  StateResult Pass() override {
    KeyboardSnapshot keys{};
    if (!keyboard_.GetPlayKeys(keys)) return StateResult::Over;
    const bool p = (keys[dik::P] & 0x80) != 0;
    if (step_ == 0 && !p)
      step_ = 1;
    else if (step_ == 1 && p)
      step_ = 2;
    else if (step_ == 2 && !p)
      return StateResult::Over;
    return StateResult::Waiting;
  }

 private:
  VBIE& keyboard_;
  int step_ = 0;
};

}  // namespace

bool Game::DoFrame() {
  return Trapped("Game - DoFrame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    if (GameMode != GAMEMODE_PLAYING) {
      // Keys pressed on the title screen belong to it, not to the game F1 starts next; and a
      // replay that is not playing is over.
      IE.ForgetKeyPresses();
      EndReplay();
      return true;
    }

    // A replay that has played its last frame is over.
    if (Replaying && ReplayFrame >= Replaying->Frames()) return StopGame();

    KeyboardSnapshot keys{};
    if (!IE.GetPlayKeys(keys)) return false;
    if (Replaying) {
      keys = Replaying->SnapshotAt(ReplayFrame);
      Options.nHighDetailGraphics = Replaying->Detail[static_cast<size_t>(ReplayFrame++)];
    }
    Play.KeyboardState = keys;
    if (!Replaying && KeyDown(dik::P)) {
      if (Settings.bShowPaused) View.DrawPaused();
      // The frame goes on with these keys once the pause is over; what was pressed during the
      // pause stays with it.
      Wait(
          std::make_unique<PauseState>(IE),
          [this] {
            IE.ForgetKeyPresses();
            return Trapped("Game - DoFrame - ", [&] { return FinishFrame(); });
          },
          true);
      return true;
    }
    return FinishFrame();
  });
}

bool Game::FinishFrame() {
  if (EditorEnabled) {
    if (KeyDown(dik::DIVIDE)) EditActive = true;
    if (KeyDown(dik::MULTIPLY)) EditActive = false;
  }
  Play.TurnChar();
  if (EditorEnabled && EditActive) EditorKeys();

  Play.nHighDetailGraphics = HighDetailRule(Options);
  if (Recorded) Recorded->AddFrame(Play.KeyboardState, Play.nHighDetailGraphics);
  switch (Play.Step(EditActive)) {
    case PlayStep::Failed:
      return false;
    case PlayStep::LevelDone:
      StartNextLevel();
      break;
    case PlayStep::GameOver:
      FinishGame();
      break;
    case PlayStep::Playing:
      break;
  }
  return true;
}
