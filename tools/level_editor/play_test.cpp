#include "tools/level_editor/play_test.h"

#include "tools/simulator/simulator.h"

namespace level_editor {

HeroPlace HeroPlaceAt(const PlayState& play, CellPos at) {
  const auto platformIn = [&](int nRow) -> const PlatformRec* {
    for (int i = 0; i < play.PlatformCount; ++i) {
      const PlatformRec& p = play.Platforms[i];
      if (p.Left == 50 * at.Col + 5 && p.Bottom == 20 * nRow + 17) return &p;
    }
    return nullptr;
  };
  const PlatformRec* ground = platformIn(at.Row);
  if (ground == nullptr) ground = platformIn(at.Row + 1);
  const float feet = ground != nullptr ? static_cast<float>(ground->Top) : 20.0f * at.Row + 20;
  return HeroPlace{50.0f * at.Col + 5, feet - 36};
}

bool PlayTest::Start(const LevelSet& levels, int nLevel, std::optional<CellPos> from,
                     uint32_t nSeed) {
  levels_ = levels;
  play_ = PlayState();
  play_.Levels = &levels_;
  play_.Events = nullptr;  // silent
  play_.Randomize(nSeed);
  outcome_ = PlayOutcome::Playing;
  from_ = from;
  level_ = nLevel;
  frames_ = 0;
  if (!StartLevel(play_, nLevel, 0)) return false;
  if (from) {
    const HeroPlace place = HeroPlaceAt(play_, *from);
    play_.CharX = place.X;
    play_.CharY = place.Y;
  }
  return true;
}

PlayOutcome PlayTest::Pass(const KeyboardSnapshot& keys) {
  if (outcome_ != PlayOutcome::Playing) return outcome_;
  play_.KeyboardState = keys;
  play_.TurnChar();
  ++frames_;
  switch (play_.Step(false)) {
    case PlayStep::LevelDone:
      outcome_ = PlayOutcome::Won;
      break;
    case PlayStep::GameOver:
      outcome_ = play_.CharHealth > 0 ? PlayOutcome::Won : PlayOutcome::Lost;
      break;
    case PlayStep::Failed:
    case PlayStep::Playing:
      break;
  }
  return outcome_;
}

}  // namespace level_editor
