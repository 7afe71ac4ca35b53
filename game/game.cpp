// The game object's life: creation, start-up, the per-pass drawing dispatch and the end of the run.
#include "game/game.h"

#include "app/failure.h"
#include "app/globals.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "game/random.h"

Game::Game() = default;
Game::~Game() = default;

void Game::SetCharHealth(int16_t nHealth) {
  CharHealth = nHealth;
}
void Game::SetCharScore(int16_t nScore) {
  CharScore = nScore;
}
int16_t Game::GetCharScore() const {
  return static_cast<int16_t>(static_cast<uint16_t>(CharScore));
}

bool Game::Initialize(HostWindow& frm, bool bDevelop) {
  return Trapped("Game - Initialize - ", [&] {
    HostForm = &frm;
    Effects.assign(MAX_EFFECTS, EffectRec{});
    EditorEnabled = bDevelop;
    platform::ShowPointer(EditorEnabled);
    Randomize(platform::Ticks());
    // A meter that cannot start ends the run at once.
    if (EditorEnabled && !FrameMeter.Initialize(GE)) return false;

    if (!IE.Initialize()) return false;
    if (!SE.Initialize()) return false;
    if (!GE.Initialize(800, 600, 16, 31, frm, 1200, 600)) return false;
    if (!GE.LoadBitmap("Loading_ZT.bmp", SurfLoading)) return false;
    platform::DoEvents();
    if (!ShowBitmap(SurfLoading.get(), true)) return false;

    if (!LoadGameOptions()) return false;
    if (!LoadSounds()) return false;
    if (!LoadGraphics()) return false;
    if (!LoadLevels()) return false;
    if (!LoadHighScores()) return false;

    FontMedium = Font("Comic Sans MS", 12);
    FontLarge = Font("Comic Sans MS", 16);
    FontSmall = Font("Comic Sans MS", 8);
    StageNames = {"",      "The Factory",        "Caves Of Chaos",
                  "Egypt", "The Final Frontier", "The Machine!"};
    if (ExtraMode)
      StagePasswords = {"", "MORVEK", "SIDAPU", "LYTRON", "HEBQAZ", "NUFOGE"};
    else
      StagePasswords = {"", "KOLWAB", "TIRMEX", "GUNPAV", "BEZOLT", "WAQUDI"};

    GameMode = GAMEMODE_TITLE;
    Initialized = true;
    return true;
  });
}

bool Game::DrawFrame() {
  return Trapped("Game - DrawFrame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    if (GameMode == GAMEMODE_PLAYING) return DrawGameFrame();
    if (GameMode == GAMEMODE_TITLE) DrawTitleScreen();
    return true;
  });
}

void Game::Terminate() {
  try {
    SaveGameOptions();
    SaveHighScores();
    if (Options.bSoundEffects != 0) {
      SE.PlaySound(SndSmoking.get());
      // Let the exit sound play out before the window goes.
      if (!EditorEnabled) platform::Sleep(3000);
    }
    SaveLevels();
  } catch (const std::exception& e) {
    LogError(std::string("Game - Class_Terminate - ") + e.what());
  }
}
