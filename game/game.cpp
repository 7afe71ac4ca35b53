// The game object's life: creation, start-up, the per-pass drawing dispatch, the work put off
// until a wait is over, and the end of the run.
#include "game/game.h"

#include "base/failure.h"
#include "engines/host_window.h"
#include "engines/platform.h"
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
    DataFolder = sDataFolder;
    RemoveInterruptedSaves();
    platform::ShowPointer(EditorEnabled);
    Play.Randomize(platform::Ticks());
    // A meter that cannot start ends the run at once.
    if (EditorEnabled && !FrameMeter.Initialize(GE)) return false;

    if (!IE.Initialize()) return false;
    if (!SE.Initialize()) return false;
    if (!GE.Initialize(800, 600, 16, 31, frm, 1200, 600)) return false;
    SurfacePtr& loading = Pictures[static_cast<size_t>(PictureId::Loading)];
    const PictureSize loadingSize = PictureSizeOf(PictureId::Loading);
    if (!GE.LoadBitmap(PictureFile(PictureId::Loading, ExtraMode), loading, loadingSize.Width,
                       loadingSize.Height))
      return false;
    platform::DoEvents();
    if (!Art.ShowBitmap(loading.get(), true)) return false;

    if (!LoadGameOptions()) return false;
    if (!LoadSounds()) return false;
    if (!LoadGraphics()) return false;
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

void Game::ShowWindow(Form& frm) {
  HostForm->ShowModal(frm);
  IE.ForgetKeyPresses();
}

EditCursor Game::Cursor() const {
  return EditCursor{EditorEnabled && EditActive, EditScrollX, EditLastCol, EditLastRow, EditByte};
}

void Game::WhenSettled(std::function<void()> action) {
  if (busy_ > 0)
    settled_.push_back(std::move(action));
  else
    action();
}

Game::Busy::~Busy() noexcept(false) {
  if (--game_.busy_ > 0 || std::uncaught_exceptions() > unwinding_) return;
  // What came in during the wait, in the order it came.
  while (!game_.settled_.empty()) {
    std::vector<std::function<void()>> actions;
    actions.swap(game_.settled_);
    for (auto& action : actions) action();
  }
}

void Game::Terminate() {
  WriteRecording();  // a game under way when the window closed
  try {
    SaveGameOptions();
    SaveHighScores();
    if (Options.bSoundEffects != 0) {
      SE.PlaySound(Sound(SoundId::Smoking).get());
      // Let the exit sound play out before the window goes.
      if (!EditorEnabled) platform::Sleep(3000);
    }
    SaveLevels();
  } catch (const std::exception& e) {
    LogError(std::string("Game - Class_Terminate - ") + e.what());
  }
}
