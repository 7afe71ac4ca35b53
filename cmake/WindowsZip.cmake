cmake_minimum_required(VERSION 3.25)
# Packs the Windows folder FOLDER into ZIP, as a folder "pibo2" inside it. Only what the build
# put there goes in: a game played in the folder leaves its options, high scores and error log,
# which are the player's, not the game's. Run with cmake -P.
get_filename_component(parent ${FOLDER} DIRECTORY)
get_filename_component(name ${FOLDER} NAME)
set(players_files Options_zt.dat Options_zt_e.dat HighScores_zt.dat HighScores_zt_e.dat
  Errors.txt)
file(GLOB_RECURSE shipped RELATIVE ${parent} ${FOLDER}/*)
set(entries)
foreach(file ${shipped})
  get_filename_component(base ${file} NAME)
  if(base IN_LIST players_files OR base MATCHES "\\.lock$|\\.tmp-")
    continue()
  endif()
  list(APPEND entries ${file})
endforeach()
list(SORT entries)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip --mtime=2026-01-01 -- ${entries}
  WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
file(SIZE ${ZIP} size)
math(EXPR kb "${size} / 1024")
message(STATUS "${ZIP}: ${kb} KB")
