// Starting games and levels: the play state set up for the level, the music following the
// stages, the stage preview that waits for SPACE and the "Next Level" screen.
#include <utility>

#include "base/failure.h"
#include "base/numbers.h"
#include "base/version.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "game/game.h"
#include "render/screens.h"

namespace {

constexpr uint32_t kScreenPause = 3000;

// The stage preview waits for SPACE. The test looks at the keys read in the pass before, so a
// SPACE still held from play ends the wait at once; a closed window ends it too.
class StagePreviewState : public ScreenState {
 public:
  explicit StagePreviewState(Game& game) : game_(game) {}
  const char* Name() const override { return "stage preview"; }
  StateResult Pass() override {
    if (game_.Play.KeyDown(dik::SPACE)) return StateResult::Over;
    return game_.IE.GetKeyboardState(game_.Play.KeyboardState) ? StateResult::Waiting
                                                               : StateResult::Failed;
  }

 private:
  Game& game_;
};

}  // namespace

bool Game::StartGame(int16_t nStage, Then then) {
  return Trapped("Game - StartGame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    return BeginGame(Wrap16(6 * nStage - 6), Wrap16(nStage - 1), std::move(then));
  });
}

// A new game that goes on from level nLevelBefore + 1; nStageBefore differs from that level's
// stage when its preview should be shown. Play begins once the level has started.
bool Game::BeginGame(int16_t nLevelBefore, int16_t nStageBefore, Then then) {
  if (!RecordFile.empty() && !EditorEnabled && !Replaying) {
    // What the rules start from: the random numbers, the level set and the options they read.
    Recorded.emplace();
    Recorded->GameVersion = GAME_VERSION;
    Recorded->bExtra = ExtraMode;
    Recorded->sPack = PackName;
    Recorded->LevelsCheck = LevelSetCheck(Levels);
    Recorded->RandomState = Play.Rng.State();
    Recorded->nEasyGame = EasyGameRule(Options);
    Recorded->nHighDetailGraphics = HighDetailRule(Options);
    Recorded->LevelBefore = nLevelBefore;
    Recorded->StageBefore = nStageBefore;
  }
  // The assists that change play: the recording's in a replay, else the player's.
  Play.bSafeTimeAfterHit = Replaying ? Replaying->bSafeTimeAfterHit : Settings.bSafeTimeAfterHit;
  Play.nGameSpeed = Replaying ? Replaying->nGameSpeed : static_cast<int16_t>(Settings.nGameSpeed);
  if (Recorded) {
    Recorded->bSafeTimeAfterHit = Play.bSafeTimeAfterHit;
    Recorded->nGameSpeed = Play.nGameSpeed;
  }
  // A new game starts with no key of the title screen or of the game before it.
  IE.ForgetKeyPresses();
  Play.KeyboardState.fill(0);
  EditActive = false;
  EditLastCol = 0;
  EditLastRow = 0;
  EditByte = 255;
  EditScrollX = 0;
  Play.NewGame(nLevelBefore, nStageBefore);
  GameBeginning = true;
  return StartNextLevel([this, then = std::move(then)] {
    GameMode = GAMEMODE_PLAYING;
    View.NewGame();
    return Continue(then);
  });
}

bool Game::StartNextLevel(Then then) {
  return Trapped("Game - StartNextLevel - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    View.NewLevel();
    const int16_t oldStage = Play.EnterNextLevel(EasyGameRule(Options));

    // A new game starts the disc at its stage's track, a game begun with a stage password too;
    // each new stage after that moves it on one track.
    const bool newGame = std::exchange(GameBeginning, false);
    if (Options.bMusic != 0) {
      if (newGame)
        HostForm->StartMusic(Play.Stage);
      else if (Play.Level != 1 && oldStage != Play.Stage)
        HostForm->NextSong();
    }

    Then levelScreen = [this, then = std::move(then)] {
      return Trapped("Game - StartNextLevel - ", [&] {
        if (Play.Level == 31) return PlayEffect(SoundId::Congrats) && Continue(then);
        return LevelScreen(then);
      });
    };
    if (oldStage != Play.Stage) return StagePreview(std::move(levelScreen));
    return levelScreen();
  });
}

bool Game::StagePreview(Then then) {
  const int16_t stage = Play.Stage;
  const std::string password = stage != 1 ? StagePasswords.at(stage) : std::string();
  if (!DrawStagePreview(Art, stage, StageNames.at(stage), password)) return false;

  const SoundId jingle = StageJingle(stage);
  if (jingle != SoundId::None && !PlayEffect(jingle)) return false;

  // A SPACE tapped before the preview showed does not answer it.
  IE.ForgetKeyPresses();
  Wait(std::make_unique<StagePreviewState>(*this), [this, jingle, then = std::move(then)] {
    if (Options.bSoundEffects != 0 && jingle != SoundId::None) Sound(jingle)->Stop();
    IE.ForgetKeyPresses();
    return Continue(then);
  });
  return true;
}

bool Game::LevelScreen(Then then) {
  const size_t name = static_cast<size_t>(Play.Level - 1);
  if (!DrawLevelScreen(Art, name < LevelNames.size() ? LevelNames[name] : std::string()))
    return false;
  if (!PlayEffect(SoundId::GetReady)) return false;
  // Develop mode leaves the pause out.
  if (EditorEnabled) return Continue(then);
  Wait(std::make_unique<TimedState>("level screen", kScreenPause), [this, then = std::move(then)] {
    // What was pressed while the screen showed is not the first frame's to act on; keys still
    // held are.
    IE.ForgetKeyPresses();
    return Continue(then);
  });
  return true;
}

void Game::GotoLevel(int16_t& nLevel) {
  if (nLevel > Levels.LevelCount) nLevel = Levels.LevelCount;
  if (nLevel < 1) nLevel = 1;
  Play.Level = Wrap16(nLevel - 1);
  StartNextLevel();
}
