#include "tools/simulator/simulator.h"

#include <cstdio>
#include <filesystem>
#include <ostream>

#include "base/failure.h"
#include "base/paths.h"
#include "base/text_encoding.h"
#include "data/file_io.h"
#include "data/level_set.h"
#include "data/options.h"
#include "data/recording.h"
#include "play/play_state.h"

namespace {

// The game's modes as the state lines show them: playing, and back on the title screen.
constexpr int16_t GAME_PLAYING = 1;
constexpr int16_t GAME_OVER = 2;

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

std::string StateJson(const PlayState& g, int16_t nGameMode, long nFrame) {
  std::string out = "{";
  Field(out, "frame", static_cast<double>(nFrame));
  Field(out, "Level", g.Level);
  Field(out, "Stage", g.Stage);
  Field(out, "GameMode", nGameMode);
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
  // Only with the assist on: traces of the classic game stay as they were.
  if (g.bSafeTimeAfterHit) Field(out, "SafeTime", g.SafeTime);
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

bool StartLevel(PlayState& play, int nLevel, int16_t nEasy) {
  const int last = play.Levels->LevelCount;
  const int stage = nLevel > 30 ? 4 : (nLevel - 1) / (last / 5) + 1;
  // The level before, and a different stage before, as when the level's preview is shown.
  const int stageBefore = nLevel > 30 ? 4 : nLevel == 1 ? 0 : stage - 1;
  play.NewGame(static_cast<int16_t>(nLevel - 1), static_cast<int16_t>(stageBefore));
  return Trapped("Game - StartNextLevel - ", [&] { return play.EnterNextLevel(nEasy), true; });
}

namespace {

// Enters the program's folder and reads its level set, as the game does at start. False, with
// the reason logged (or said), when either fails.
bool LoadLevelSet(const std::string& sFolder, bool bExtra, LevelSet& levels) {
  if (!EnterFolder(PathFromText(sFolder))) {
    std::fprintf(stderr, "pibo-sim: cannot enter the folder %s\n", sFolder.c_str());
    return false;
  }
  return Trapped("Game - LoadLevels - ", [&] {
    levels = ParseLevelFile(
        ReadFileBytes(PathFromText(sFolder) / LevelFileName(bExtra), LEVEL_FILE_LIMIT));
    return true;
  });
}

}  // namespace

int RunSimulation(const SimulatorOptions& options, const KeyScript& script, std::ostream& out) {
  LevelSet levels;
  if (!LoadLevelSet(options.sFolder, options.bExtra, levels)) {
    std::fprintf(stderr, "pibo-sim: the game could not start; see Errors.txt in %s\n",
                 options.sFolder.c_str());
    return 1;
  }

  // The player's options file must not change a replay: fixed options, easy only on request
  // and never in the extra set, which is always played at full difficulty.
  const int16_t easy = options.bEasy && !options.bExtra ? 1 : 0;
  PlayState play;
  play.Levels = &levels;
  play.nHighDetailGraphics = GameOptions{}.nHighDetailGraphics;
  play.bSafeTimeAfterHit = options.bSafeTime;
  play.Randomize(options.nSeed);

  const int last = levels.LevelCount;
  const int level = options.nLevel < 1 ? 1 : options.nLevel > last ? last : options.nLevel;
  int16_t mode = GAME_PLAYING;
  int status = 0;
  if (!StartLevel(play, level, easy)) {
    std::fprintf(stderr, "pibo-sim: level %d could not be started\n", level);
    return 1;
  }

  long frame = 0;
  for (; frame < options.nFrames && mode == GAME_PLAYING; ++frame) {
    play.KeyboardState = script.KeysAt(frame);
    play.TurnChar();
    const PlayStep step = play.Step(false);
    if (step == PlayStep::Failed) {
      status = 1;
      break;
    }
    // The screens between levels and the high-score table are passed at once.
    if (step == PlayStep::LevelDone &&
        !Trapped("Game - StartNextLevel - ", [&] { return play.EnterNextLevel(easy), true; }))
      status = 1;
    if (step == PlayStep::GameOver) mode = GAME_OVER;
    if (options.bTrace) out << StateJson(play, mode, frame) << '\n';
    if (status != 0) break;
  }
  if (!options.bTrace) out << StateJson(play, mode, frame > 0 ? frame - 1 : 0) << '\n';
  return status;
}

int ReplayRecording(const SimulatorOptions& options, const Recording& recording,
                    std::ostream& out) {
  LevelSet levels;
  if (!LoadLevelSet(options.sFolder, recording.bExtra, levels)) return 1;
  if (LevelSetCheck(levels) != recording.LevelsCheck) {
    if (!recording.sPack.empty())
      std::fprintf(stderr,
                   "pibo-sim: the recording was played on the level pack \"%s\", whose %s is not "
                   "in %s; give the pack's folder with --folder\n",
                   PrintableText(recording.sPack).c_str(), LevelFileName(false),
                   options.sFolder.c_str());
    else
      std::fprintf(stderr, "pibo-sim: the recording was played on other levels than %s holds\n",
                   LevelFileName(recording.bExtra));
    return 1;
  }
  // As the game begins a game: the random numbers as they were, then the first level.
  PlayState play;
  play.Levels = &levels;
  play.Rng.SetState(recording.RandomState);
  play.bSafeTimeAfterHit = recording.bSafeTimeAfterHit;
  play.nGameSpeed = recording.nGameSpeed;
  // A game played with help is replayed with it, and says so.
  if (recording.WithAssists())
    std::fprintf(stderr, "pibo-sim: recorded with assists:%s%s\n",
                 recording.bSafeTimeAfterHit ? " a safe time after each hit" : "",
                 recording.nGameSpeed != 100
                     ? (" the game at " + std::to_string(recording.nGameSpeed) + " % speed").c_str()
                     : "");
  play.NewGame(recording.LevelBefore, recording.StageBefore);
  if (!Trapped("Game - StartNextLevel - ",
               [&] { return play.EnterNextLevel(recording.nEasyGame), true; }))
    return 1;
  int16_t mode = GAME_PLAYING;
  long frame = 0;
  for (; frame < recording.Frames() && mode == GAME_PLAYING; ++frame) {
    play.KeyboardState = recording.SnapshotAt(frame);
    play.nHighDetailGraphics = recording.Detail[static_cast<size_t>(frame)];
    play.TurnChar();
    const PlayStep step = play.Step(false);
    if (step == PlayStep::Failed) return 1;
    if (step == PlayStep::LevelDone && !Trapped("Game - StartNextLevel - ", [&] {
          return play.EnterNextLevel(recording.nEasyGame), true;
        }))
      return 1;
    if (step == PlayStep::GameOver) mode = GAME_OVER;
    if (options.bTrace) out << StateJson(play, mode, frame) << '\n';
  }
  if (!options.bTrace) out << StateJson(play, mode, frame > 0 ? frame - 1 : 0) << '\n';
  if (play.CharScore != recording.EndScore || play.Level != recording.EndLevel) {
    std::fprintf(stderr,
                 "pibo-sim: the replay ended with score %d on level %d, the recorded game with "
                 "score %d on level %d\n",
                 static_cast<int>(play.CharScore), static_cast<int>(play.Level),
                 static_cast<int>(recording.EndScore), static_cast<int>(recording.EndLevel));
    return 3;
  }
  return 0;
}
