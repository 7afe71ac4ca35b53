#include "tools/asset_gen/music.h"

#include "tools/asset_gen/music/master.h"
#include "tools/asset_gen/music/ogg_file.h"
#include "tools/asset_gen/music/tracks.h"

void ComposeAllMusic(const std::filesystem::path& out) {
  const std::filesystem::path folder = out / "Music";
  std::filesystem::create_directories(folder);
  int serial = 0x50494230;  // "PIB0": every track its own fixed stream number
  for (music::Track& track : music::ComposeTracks(MUSIC_RATE)) {
    music::FoldTail(track.mix, track.fLoopSeconds);
    music::Master(track.mix);
    music::WriteOgg(folder / track.File, track.mix, track.Title, ++serial);
  }
}
