# Generated game files in the program's folder. Nothing generated is committed; every file is
# made here from the sources in assets/ and tools/, the same bytes on every machine.

include(${CMAKE_SOURCE_DIR}/cmake/GameFileList.cmake)

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
