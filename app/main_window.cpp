#include "app/main_window.h"

#include "base/key_codes.h"
#include "engines/gamepad.h"
#include "game/game.h"

MainWindow::MainWindow() = default;
MainWindow::~MainWindow() {
  Unload();
}

void MainWindow::Load(bool bFullScreen, const std::string& sCaption) {
  display_.Open(sCaption, bFullScreen);
  // Gamepads play too, from the first pass on; without controller support the keyboard alone
  // does.
  gamepad::StartAtFirstPass();
  platform::SetEventHandler(this);
  loaded_ = true;
}

void MainWindow::Unload() {
  if (!loaded_) return;
  StopMusic();
  forms_.reset();
  if (platform::CurrentEventHandler() == this) platform::SetEventHandler(nullptr);
  loaded_ = false;
}

void MainWindow::StartMusic(int nStage) {
  if (cdmusic_.IsPlaying()) return;
  // The disc plays through the sound device, which may be resting.
  if (game_ != nullptr) game_->SE.Wake();
  cdmusic_.Command("Open");
  for (int stage = 1; stage < nStage; ++stage) cdmusic_.Command("Next");
  cdmusic_.Command("Play");
}

void MainWindow::StopMusic() {
  cdmusic_.Command("Stop");
  cdmusic_.Command("Close");
}

void MainWindow::NextSong() {
  cdmusic_.Command("Next");
}

void MainWindow::OpenWindow(Form& frm) {
  if (!forms_) forms_ = std::make_unique<FormScreen>(display_);
  forms_->Open(frm);
}

void MainWindow::WindowPass(Form&) {
  if (forms_) forms_->Pass();
}

void MainWindow::OnKeyDown(int nKeyCode, bool bRepeat) {
  if (game_ == nullptr) return;
  // Held down, only the develop keys act again at each repeat: a held Esc must not end the game
  // and then the program, nor a held F1 or F3 start game after game or reopen the options.
  if (bRepeat && (nKeyCode < vk::F5 || nKeyCode > vk::F8)) return;
  WhenNotWaiting([this, nKeyCode] { HandleKey(nKeyCode); });
}

void MainWindow::WhenNotWaiting(std::function<void()> action) {
  if (game_->IsWaiting() || !held_.empty())
    held_.push_back(std::move(action));
  else
    action();
}

void MainWindow::ActOnHeldInput() {
  if (game_ == nullptr || game_->QuitRequested) {
    held_.clear();
    return;
  }
  while (!held_.empty() && !game_->IsWaiting()) {
    auto action = std::move(held_.front());
    held_.pop_front();
    action();
  }
}

void MainWindow::HandleKey(int nKeyCode) {
  Game& game = *game_;
  const bool develop = game.EditorEnabled;
  switch (nKeyCode) {
    case vk::F1:
      if (!game.IsRunning()) game.StartGame(1);
      break;
    case vk::F2:
      if (!game.IsRunning()) game.StartFromStage();
      break;
    case vk::F3:
      game.ShowOptions();
      break;
    case vk::F4:
      game.ShowSettings();
      break;
    case vk::ESCAPE:
      if (game.IsRunning())
        game.EscapeFromGame();
      else
        game.QuitRequested = true;
      break;
    case vk::F5:
      if (develop) game.StartNextLevel();
      break;
    case vk::F6:
      if (develop) {
        int16_t last = 100;
        game.GotoLevel(last);
      }
      break;
    case vk::F7:
      if (develop) game.SetCharHealth(10);
      break;
    case vk::F8:
      if (develop) game.SetCharScore(static_cast<int16_t>(game.GetCharScore() + 1000));
      break;
    default:
      break;
  }
}

void MainWindow::OnMouse(int nKind, int16_t nButton, int16_t nShift, float X, float Y) {
  if (game_ == nullptr) return;
  WhenNotWaiting(
      [this, nButton, nShift, X, Y] { game_->ReceiveMouseInput(nButton, nShift, X, Y); });
}

// The window closed by the system (or SIGTERM) ends the run the normal way, saving everything;
// every wait ends at once.
void MainWindow::OnClose() {
  if (game_ != nullptr) game_->Close();
}
