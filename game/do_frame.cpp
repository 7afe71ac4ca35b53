// One frame of play as the game runs it: the keyboard is read once, a pause waits for P, the level
// editor takes its keys, the play state steps its rules, and the level's end leads on to the next
// level or to the end of the game.
#include "base/failure.h"
#include "engines/platform.h"
#include "game/game.h"

namespace {
constexpr uint32_t kPausePoll = 30;
}  // namespace

bool Game::PlayEffect(const SoundBufferPtr& dsb) {
  if (Options.bSoundEffects == 0) return true;
  return SE.PlaySound(dsb.get());
}

// Paused until P has been released, pressed and released again. The last frame stays on screen.
void Game::WaitForPauseKey() {
  KeyboardSnapshot keys{};
  int state = 0;
  while (true) {
    platform::DoEvents();
    if (QuitRequested || !IE.GetKeyboardState(keys)) return;
    const bool p = (keys[dik::P] & 0x80) != 0;
    if (state == 0 && !p)
      state = 1;
    else if (state == 1 && p)
      state = 2;
    else if (state == 2 && !p)
      break;
    // Do not spin the processor while nothing happens: a look at the keys every frame's time.
    platform::Sleep(kPausePoll);
  }
  IE.ForgetKeyPresses();
}

bool Game::DoFrame() {
  Busy busy(*this);
  return Trapped("Game - DoFrame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    if (GameMode != GAMEMODE_PLAYING) {
      // Keys pressed on the title screen belong to it, not to the game F1 starts next.
      IE.ForgetKeyPresses();
      return true;
    }

    // A replay that has played its last frame is over.
    if (Replaying && ReplayFrame >= Replaying->Frames()) return StopGame();

    KeyboardSnapshot keys{};
    if (!IE.GetKeyboardState(keys)) return false;
    if (Replaying) {
      keys = Replaying->SnapshotAt(ReplayFrame);
      Options.nHighDetailGraphics = Replaying->Detail[static_cast<size_t>(ReplayFrame++)];
    }
    Play.KeyboardState = keys;
    if (!Replaying && KeyDown(dik::P)) WaitForPauseKey();

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
  });
}
