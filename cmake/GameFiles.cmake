# Generated game files in the program's folder. Nothing generated is committed; every file is
# made here from the sources in assets/ and tools/, the same bytes on every machine.

set(GAME_PICTURES
  Loading_ZT.bmp Background_ZT.bmp StagePreviews.bmp GetReady_ZT.bmp GameOver_ZT.bmp
  Title_ZT.bmp Title_ZTE.bmp Platform_ZT.bmp Character.bmp Invulnerable.bmp GemNormal.bmp
  HighJump.bmp ExtraSpeed.bmp ExtraHealth.bmp Shoot.bmp ShootSpread.bmp ShootBounce.bmp
  ShootBidi.bmp ShootExplode.bmp MysteryBox.bmp FreezeBombs.bmp Magnet.bmp Skull.bmp
  NormalBomb_ZT.bmp HotBomb_ZT.bmp HitBomb_ZT.bmp AmmoBall_ZT.bmp BombExit.bmp Machine.bmp
  MachineHit.bmp Fireworks.bmp)
set(GAME_WAVES
  Shoot.wav Boing.wav GetReady.wav GameOver.wav Hit.wav Gem.wav BombHit.wav HitBomb.wav
  Explosion.wav Teleport.wav Jump.wav ExtraHealth.wav Speed.wav HyperJump.wav BallBlaster.wav
  Invulnerability.wav SwitchBB.wav Congrats.wav FreezeBalls.wav Smoking.wav StageFactory.wav
  StageCave.wav StageEgypt.wav StageSpace.wav StageMachine.wav)

# The music disc: one track for each stage in the order the game plays them, then the finale's.
set(GAME_MUSIC
  Music/Track01.ogg Music/Track02.ogg Music/Track03.ogg Music/Track04.ogg Music/Track05.ogg
  Music/Track06.ogg)

set(ASSET_OUTPUTS)
foreach(f ${GAME_PICTURES} ${GAME_WAVES} ${GAME_MUSIC})
  list(APPEND ASSET_OUTPUTS ${GAME_DIR}/${f})
endforeach()
file(GLOB_RECURSE ASSET_GEN_DEPS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/asset_gen/*)
add_custom_command(
  OUTPUT ${ASSET_OUTPUTS}
  COMMAND pibo-assets ${GAME_DIR}
  DEPENDS pibo-assets ${ASSET_GEN_DEPS}
  COMMENT "Drawing pictures, synthesising sounds and composing music"
  VERBATIM)

# Level sets. A level file the editor has changed is newer than its sources, so a rebuild keeps
# it; `pibo-levels unpack` turns it back into text for assets/levels/. Only the sources count: the
# packer is relinked whenever the game's library changes, and that must not pack the set anew
# over the editor's work (naming the packer as COMMAND still builds it first).
function(pack_level_set set_dir levels_file names_file)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/levels/${set_dir}/*.txt)
  add_custom_command(
    OUTPUT ${GAME_DIR}/${levels_file} ${GAME_DIR}/${names_file}
    COMMAND pibo-levels pack ${CMAKE_SOURCE_DIR}/assets/levels/${set_dir}
            ${GAME_DIR}/${levels_file} ${GAME_DIR}/${names_file}
    DEPENDS ${sources}
    COMMENT "Packing the ${set_dir} level set"
    VERBATIM)
endfunction()
pack_level_set(normal Levels.dat LevelNames_zt.txt)
pack_level_set(extra Levels_e.dat LevelNames_zt_e.txt)

add_custom_target(game_files ALL DEPENDS
  ${ASSET_OUTPUTS}
  ${GAME_DIR}/Levels.dat ${GAME_DIR}/LevelNames_zt.txt
  ${GAME_DIR}/Levels_e.dat ${GAME_DIR}/LevelNames_zt_e.txt)
add_dependencies(pibo2 game_files)
