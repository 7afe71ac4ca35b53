#include "tools/simulator/simulator.h"

#include <unistd.h>

#include <cstdio>
#include <ostream>

#include "app/globals.h"
#include "engines/display.h"
#include "engines/form.h"
#include "engines/host_window.h"
#include "engines/platform.h"
#include "game/game.h"
#include "game/random.h"

namespace {

// Time passes only when the game sleeps. A sleep inside a frame means the game is blocked in one
// of its waits (stage preview, level screen, pause, game over).
class VirtualClock : public platform::Backend {
 public:
  uint32_t Ticks() override { return now_; }
  void Sleep(uint32_t nMilliseconds) override {
    now_ += nMilliseconds;
    waiting_ = true;
  }
  void DoEvents() override {}
  void ShowPointer(bool) override {}

  bool Waiting() const { return waiting_; }
  void NewFrame() { waiting_ = false; }

 private:
  uint32_t now_ = 0;
  bool waiting_ = false;
};

// The scripted keys of the current frame. While the game waits, the player answers every wait:
// SPACE is held (the stage preview goes on) and P is released, pressed and released (a pause
// ends at once).
class ScriptedKeyboard : public KeyStateSource {
 public:
  ScriptedKeyboard(const KeyScript& script, const VirtualClock& clock)
      : script_(script), clock_(clock) {}
  void Read(KeyboardSnapshot& state) override {
    if (!clock_.Waiting()) {
      state = script_.KeysAt(frame_);
      return;
    }
    state.fill(0);
    state[dik::SPACE] = 0x80;
    if (++wait_reads_ % 2 == 0) state[dik::P] = 0x80;
  }
  void NewFrame(long nFrame) {
    frame_ = nFrame;
    wait_reads_ = 0;
  }

 private:
  const KeyScript& script_;
  const VirtualClock& clock_;
  long frame_ = 0;
  int wait_reads_ = 0;
};

// A main window on the dummy display whose music is never heard.
class HeadlessHost : public HostWindow {
 public:
  HeadlessHost() { display_.Open("Pibo II simulator"); }
  Display& Screen() override { return display_; }
  void StartMusic() override {}
  void StopMusic() override {}
  void NextSong() override {}
  // Nobody answers a window here: it is closed at once, as with its close box.
  void ShowModal(Form& frm) override { frm.CloseBox(); }

 private:
  Display display_;
};

void Field(std::string& out, const char* name, double value) {
  char number[64];
  std::snprintf(number, sizeof number, "%.9g", value);
  out += '"';
  out += name;
  out += "\":";
  out += number;
  out += ',';
}

}  // namespace

std::string StateJson(const Game& g, long nFrame) {
  std::string out = "{";
  Field(out, "frame", static_cast<double>(nFrame));
  Field(out, "Level", g.Level);
  Field(out, "Stage", g.Stage);
  Field(out, "GameMode", g.GameMode);
  Field(out, "CharX", g.CharX);
  Field(out, "CharY", g.CharY);
  Field(out, "CharVX", g.CharVX);
  Field(out, "CharVY", g.CharVY);
  Field(out, "CharInAir", g.CharInAir);
  Field(out, "CharFacing", g.CharFacing);
  Field(out, "CharFrame", g.CharFrame);
  Field(out, "CharHealth", g.CharHealth);
  Field(out, "CharScore", g.CharScore);
  Field(out, "HighJumps", g.HighJumps);
  Field(out, "ExtraSpeedTime", g.ExtraSpeedTime);
  Field(out, "InvulnerableTime", g.InvulnerableTime);
  Field(out, "FreezeTime", g.FreezeTime);
  Field(out, "GemsCollected", g.GemsCollected);
  Field(out, "GemCount", g.GemCount);
  Field(out, "PowerUpCount", g.PowerUpCount);
  Field(out, "PlatformCount", g.PlatformCount);
  Field(out, "ExitCountdown", g.ExitCountdown);
  Field(out, "BombCount", g.BombCount);
  Field(out, "Ammo", g.Ammo);
  Field(out, "BallType", g.BallType);
  Field(out, "ShotCharge", g.ShotCharge);
  Field(out, "MachineHealth", g.MachineHealth);
  out += "\"Bombs\":[";
  for (int i = 0; i < g.BombCount; ++i) {
    const BombRec& b = g.Bombs[i];
    std::string bomb = "{";
    Field(bomb, "X", b.X);
    Field(bomb, "Y", b.Y);
    Field(bomb, "VX", b.VX);
    Field(bomb, "VY", b.VY);
    Field(bomb, "Hot", b.Hot);
    Field(bomb, "Hits", b.Hits);
    Field(bomb, "Delay", b.Delay);
    bomb.back() = '}';
    out += bomb + (i + 1 < g.BombCount ? "," : "");
  }
  out += "],\"Shots\":[";
  bool first = true;
  for (const ShotRec& s : g.Shots) {
    if (s.Active == VB_FALSE) continue;
    std::string shot = "{";
    Field(shot, "X", s.X);
    Field(shot, "Y", s.Y);
    Field(shot, "VX", s.VX);
    Field(shot, "VY", s.VY);
    shot.back() = '}';
    out += (first ? "" : ",") + shot;
    first = false;
  }
  out += "]}";
  return out;
}

int RunSimulation(const SimulatorOptions& options, const KeyScript& script, std::ostream& out) {
  if (chdir(options.sFolder.c_str()) != 0) {
    std::fprintf(stderr, "pibo-sim: cannot enter the folder %s\n", options.sFolder.c_str());
    return 1;
  }
  ProgramFolder = options.sFolder;
  ExtraMode = options.bExtra;
  DevelopMode = false;

  VirtualClock clock;
  platform::InstallBackend(&clock);
  ScriptedKeyboard keyboard(script, clock);
  HeadlessHost host;
  Game game;
  TheGame = &game;
  game.IE.SetSource(&keyboard);

  int status = 0;
  if (!game.Initialize(host, false)) {
    std::fprintf(stderr, "pibo-sim: the game could not start; see Errors.txt in %s\n",
                 options.sFolder.c_str());
    status = 1;
  } else {
    Randomize(options.nSeed);
    // The player's options file must not change a replay: fixed options, easy only on request
    // and never in the extra set, which is always played at full difficulty.
    game.Options = GameOptions{};
    game.Options.nEasyGame = options.bEasy && !options.bExtra ? 1 : 0;
    const int last = game.Levels.LevelCount;
    const int level = options.nLevel < 1 ? 1 : options.nLevel > last ? last : options.nLevel;
    const int stage = level > 30 ? 4 : (level - 1) / (last / 5) + 1;
    // The level before, and a different stage before, so that the level's preview is shown.
    const int stageBefore = level > 30 ? 4 : level == 1 ? 0 : stage - 1;
    clock.NewFrame();
    keyboard.NewFrame(0);
    if (!game.BeginGame(static_cast<int16_t>(level - 1), static_cast<int16_t>(stageBefore))) {
      std::fprintf(stderr, "pibo-sim: level %d could not be started\n", level);
      status = 1;
    } else {
      long frame = 0;
      for (; frame < options.nFrames && game.GameMode == GAMEMODE_PLAYING; ++frame) {
        clock.NewFrame();
        keyboard.NewFrame(frame);
        if (!game.DoFrame()) {
          status = 1;
          break;
        }
        if (options.bTrace) out << StateJson(game, frame) << '\n';
      }
      if (!options.bTrace) out << StateJson(game, frame > 0 ? frame - 1 : 0) << '\n';
    }
  }
  TheGame = nullptr;
  game.IE.SetSource(nullptr);
  platform::InstallBackend(nullptr);
  return status;
}
