# `make windows`: the game for 64-bit Windows. The folder `pibo2` holds what a player unzips and
# runs: pibo2.exe and pibo-sim.exe, the DLLs they load, the game's files, the fonts (Windows has no
# fontconfig, and the game must look the same there), the licences and a README. The zip is that
# folder. Unzipped anywhere the player may write, the game keeps its files beside it, as the
# original did; in a folder it may not write (Program Files) it keeps them in %APPDATA%\pibo2.
include(${CMAKE_SOURCE_DIR}/cmake/ShippedData.cmake)

set(WINDOWS_DIR ${CMAKE_BINARY_DIR}/pibo2)
set(WINDOWS_ZIP ${CMAKE_BINARY_DIR}/pibo2-${PROJECT_VERSION}-windows-x64.zip)
pibo_ship_data(windows_data ${WINDOWS_DIR})

# The program's icon and its version, for Explorer and the taskbar; the desktop build's asset
# tool draws the icon.
set(PIBO_ASSET_TOOL "${PIBO_GAME_FILES}/../tools/asset_gen/pibo-assets" CACHE FILEPATH
  "A desktop build's pibo-assets")
set(ICON_FILE ${CMAKE_BINARY_DIR}/pibo2.ico)
add_custom_command(
  OUTPUT ${ICON_FILE}
  COMMAND ${PIBO_ASSET_TOOL} --windows-icon ${ICON_FILE}
  DEPENDS ${PIBO_ASSET_TOOL}
  COMMENT "Drawing the Windows icon"
  VERBATIM)
configure_file(${CMAKE_SOURCE_DIR}/assets/install/pibo2.rc.in ${CMAKE_BINARY_DIR}/pibo2.rc @ONLY)
target_sources(pibo2 PRIVATE ${CMAKE_BINARY_DIR}/pibo2.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/pibo2.rc PROPERTIES OBJECT_DEPENDS ${ICON_FILE})

# Both programs in the folder; the simulator is a console program, the game is not.
set_target_properties(pibo2 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WINDOWS_DIR})
add_dependencies(pibo2 windows_data)
include_directories(${CMAKE_SOURCE_DIR})
add_subdirectory(tools/simulator)
set_target_properties(pibo-sim PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WINDOWS_DIR})
target_link_options(pibo2 PRIVATE -s)
target_link_options(pibo-sim PRIVATE -s)

# The DLLs both programs load, found by walking their imports: the libraries built for Windows and
# mingw's runtime (libstdc++, libgcc, winpthread); Windows' own are left out.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE runtime_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(runtime_dir ${runtime_dll} DIRECTORY)
set(DLL_FOLDERS ${PIBO_THIRD_PARTY}/bin ${runtime_dir} /usr/x86_64-w64-mingw32/lib)
add_custom_target(windows_dlls
  COMMAND ${CMAKE_COMMAND} -DDEST=${WINDOWS_DIR} "-DFOLDERS=${DLL_FOLDERS}"
          "-DPROGRAMS=$<TARGET_FILE:pibo2>;$<TARGET_FILE:pibo-sim>"
          -P ${CMAKE_SOURCE_DIR}/cmake/WindowsDlls.cmake
  DEPENDS pibo2 pibo-sim
  COMMENT "Gathering the DLLs"
  VERBATIM)

# The licences: the game's, each library's as Debian states it, and mingw's runtime's (GCC's
# runtime library exception, winpthreads). The two texts a player opens in Notepad have Windows'
# line ends.
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${WINDOWS_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/assets/install/README-windows.txt ${WINDOWS_DIR}/README.txt
  @ONLY NEWLINE_STYLE CRLF)
pibo_ship_licences(windows_licences ${WINDOWS_DIR})
add_custom_command(TARGET windows_licences POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/gcc-mingw-w64-base/copyright
          ${WINDOWS_DIR}/Licences/gcc-runtime.txt
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/mingw-w64-x86-64-dev/copyright
          ${WINDOWS_DIR}/Licences/mingw-w64-winpthreads.txt
  VERBATIM)

# The zip, made afresh from the folder's shipped files only (never from files a game run there
# may have left).
add_custom_target(windows_zip ALL
  COMMAND ${CMAKE_COMMAND} -DFOLDER=${WINDOWS_DIR} -DZIP=${WINDOWS_ZIP}
          -P ${CMAKE_SOURCE_DIR}/cmake/WindowsZip.cmake
  DEPENDS pibo2 pibo-sim windows_data windows_dlls windows_licences
  COMMENT "Packing ${WINDOWS_ZIP}"
  VERBATIM)

# The Windows side of the files module, tested where it runs (`make test-windows`), with
# GoogleTest built from Debian's source (package googletest); linked statically, so it runs from
# the build folder, and never shipped.
set(GTEST_SOURCE /usr/src/googletest/googletest)
if(EXISTS ${GTEST_SOURCE}/src/gtest-all.cc)
  add_library(gtest_windows STATIC ${GTEST_SOURCE}/src/gtest-all.cc)
  target_include_directories(gtest_windows PUBLIC ${GTEST_SOURCE}/include PRIVATE ${GTEST_SOURCE})
  target_compile_options(gtest_windows PRIVATE -w)
  add_executable(pibo-windows-tests ${CMAKE_SOURCE_DIR}/tests/windows/files_windows_test.cpp)
  target_link_libraries(pibo-windows-tests PRIVATE pibo_base gtest_windows)
  target_link_options(pibo-windows-tests PRIVATE -static)
  set_target_properties(pibo-windows-tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(windows_zip pibo-windows-tests)
endif()
