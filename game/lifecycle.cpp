// The game object's life: creation, start-up, the sounds it plays, its waits, and what is drawn
// on each pass. What the game does on a pass and at the end of the run is in run.cpp.
#include "base/failure.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "game/game.h"
#include "render/screens.h"

Game::Game() {
  Play.Levels = &Levels;
  Play.Events = this;
}

Game::~Game() = default;

void Game::SetCharHealth(int16_t nHealth) {
  Play.CharHealth = nHealth;
}
void Game::SetCharScore(int16_t nScore) {
  Play.CharScore = nScore;
}
int16_t Game::GetCharScore() const {
  return static_cast<int16_t>(static_cast<uint16_t>(Play.CharScore));
}

bool Game::Initialize(HostWindow& frm, bool bDevelop, bool bExtra, const std::string& sDataFolder) {
  return Trapped("Game - Initialize - ", [&] {
    HostForm = &frm;
    EditorEnabled = bDevelop;
    ExtraMode = bExtra;
    DataFolder = sDataFolder.empty() && PlaysPack() ? PackFolder : sDataFolder;
    RemoveInterruptedSaves();
    platform::ShowPointer(EditorEnabled);
    Play.Randomize(platform::Ticks());
    // A meter that cannot start ends the run at once.
    if (EditorEnabled && !FrameMeter.Initialize(GE)) return false;

    if (!IE.Initialize()) return false;
    if (!SE.Initialize()) return false;
    if (!GE.Initialize(800, 600, 16, 31, frm, 1200, 600)) return false;
    if (!LoadPicture(PictureId::Loading)) return false;
    if (!Art.ShowBitmap(Art.Picture(PictureId::Loading), true)) return false;

    if (!LoadPlayerSettings()) return false;
    ApplyVolumes();
    ApplyControls();
    if (!LoadGameOptions()) return false;
    if (!LoadSounds()) return false;
    if (!LoadLevels()) return false;
    if (!LoadHighScores()) return false;

    Fonts.Medium = Font("Comic Sans MS", 12);
    Fonts.Large = Font("Comic Sans MS", 16);
    Fonts.Small = Font("Comic Sans MS", 8);
    StageNames = {"",      "The Factory",        "Caves Of Chaos",
                  "Egypt", "The Final Frontier", "The Machine!"};
    if (ExtraMode)
      StagePasswords = {"", "MORVEK", "SIDAPU", "LYTRON", "HEBQAZ", "NUFOGE"};
    else
      StagePasswords = {"", "KOLWAB", "TIRMEX", "GUNPAV", "BEZOLT", "WAQUDI"};

    // The title comes up as soon as its own picture is read; the pictures of play are read
    // while it stands on the screen.
    if (!LoadPicture(PictureId::Title)) return false;
    Title.Draw(Art, HighScores);
    if (!LoadGraphics()) return false;
    GameMode = GAMEMODE_TITLE;
    Initialized = true;
    return true;
  });
}

bool Game::DrawFrame() {
  return Trapped("Game - DrawFrame - ", [&] {
    if (!Initialized) RaiseNotInitialized();
    if (GameMode == GAMEMODE_PLAYING)
      return View.DrawGameFrame(Play, LevelNames, EditorEnabled ? &FrameMeter : nullptr, Cursor());
    if (GameMode == GAMEMODE_TITLE) Title.Draw(Art, HighScores);
    return true;
  });
}

EditCursor Game::Cursor() const {
  return EditCursor{EditorEnabled && EditActive, EditScrollX, EditLastCol, EditLastRow, EditByte};
}

bool Game::PlayEffect(const SoundBufferPtr& dsb) {
  if (Options.bSoundEffects == 0) return true;
  return SE.PlaySound(dsb.get());
}

void Game::Close() {
  QuitRequested = true;
  ++CloseRequests;
}

void Game::Wait(std::unique_ptr<ScreenState> state, Then then, bool bEndsRunOnFailure) {
  Screens.Push(std::move(state), std::move(then), bEndsRunOnFailure);
}
