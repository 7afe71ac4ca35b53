# The files of the program's folder that the build generates, by kind.

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

# The level sets and their names, packed from assets/levels.
set(GAME_LEVEL_FILES Levels.dat LevelNames_zt.txt Levels_e.dat LevelNames_zt_e.txt)
