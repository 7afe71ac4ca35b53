# The game's files for a build that carries them itself (the page's data package, the Windows
# folder): copies of a desktop build's generated files, and the fonts fontconfig picks on the
# desktop, each with its package's copyright file (the OFL), since such a system has no fontconfig.
include(${CMAKE_SOURCE_DIR}/cmake/GameFileList.cmake)

set(PIBO_GAME_FILES "" CACHE PATH "A desktop build's program folder, whose generated files are shipped")
if(NOT EXISTS "${PIBO_GAME_FILES}/Levels.dat")
  message(FATAL_ERROR "PIBO_GAME_FILES must be a desktop build's game folder (make build first)")
endif()

# pibo_ship_data(TARGET FOLDER [INSTALLED_NOTE TEXT]): TARGET copies the files into FOLDER; with
# INSTALLED_NOTE the folder is marked as installed, so the game keeps the player's files in the
# player's data folder.
function(pibo_ship_data target folder)
  cmake_parse_arguments(SHIP "" "INSTALLED_NOTE" "" ${ARGN})
  set(pairs)
  foreach(f ${GAME_PICTURES} ${GAME_WAVES} ${GAME_MUSIC} ${GAME_LEVEL_FILES})
    list(APPEND pairs "${PIBO_GAME_FILES}/${f}=${f}")
  endforeach()
  foreach(family "Comic Sans MS" "Liberation Sans")
    execute_process(COMMAND fc-match -f "%{file}" "${family}" OUTPUT_VARIABLE font_file
      COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND dpkg-query -S "${font_file}" OUTPUT_VARIABLE owner
      COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX REPLACE ":.*" "" owner "${owner}")
    get_filename_component(font_name "${font_file}" NAME)
    get_filename_component(font_stem "${font_file}" NAME_WE)
    list(APPEND pairs "${font_file}=Fonts/${font_name}"
      "/usr/share/doc/${owner}/copyright=Fonts/${font_stem}.copyright.txt")
  endforeach()

  set(outputs)
  set(commands)
  foreach(pair ${pairs})
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    list(APPEND outputs ${folder}/${to})
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy ${from} ${folder}/${to})
  endforeach()
  if(SHIP_INSTALLED_NOTE)
    list(APPEND outputs ${folder}/pibo2.installed)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E echo "${SHIP_INSTALLED_NOTE}"
      > ${folder}/pibo2.installed)
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/Music ${folder}/Fonts
    ${commands}
    DEPENDS ${PIBO_GAME_FILES}/Levels.dat ${PIBO_GAME_FILES}/Music/Track01.ogg
    COMMENT "Gathering the game's files into ${folder}"
    VERBATIM)
  add_custom_target(${target} DEPENDS ${outputs})
endfunction()

# pibo_ship_licences(TARGET FOLDER): TARGET copies the licence of every library built into the
# game for this system (scripts/third_party.sh keeps each one's Debian copyright file) into
# FOLDER/Licences, one text per library.
set(PIBO_THIRD_PARTY "" CACHE PATH "The third-party libraries built for this system (scripts/third_party.sh)")
function(pibo_ship_licences target folder)
  file(GLOB copyrights ${PIBO_THIRD_PARTY}/share/doc/*/copyright)
  if(NOT copyrights)
    message(FATAL_ERROR "No licences in ${PIBO_THIRD_PARTY}/share/doc: set PIBO_THIRD_PARTY")
  endif()
  set(commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/Licences)
  set(outputs)
  foreach(copyright ${copyrights})
    get_filename_component(library_folder ${copyright} DIRECTORY)
    get_filename_component(library ${library_folder} NAME)
    list(APPEND outputs ${folder}/Licences/${library}.txt)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy ${copyright} ${folder}/Licences/${library}.txt)
  endforeach()
  add_custom_command(OUTPUT ${outputs} ${commands} DEPENDS ${copyrights} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
