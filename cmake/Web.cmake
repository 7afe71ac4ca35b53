# `make web`: the game as a web page. The site folder holds everything a static host serves:
# the page, the game's script and WebAssembly, and its data package (the program's folder as the
# desktop build makes it, with the fonts fontconfig picks there and their licences). The player's
# own files live in the browser's IndexedDB (web/pre.js mounts it).
include(${CMAKE_SOURCE_DIR}/cmake/ShippedData.cmake)

set(SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(WEB_DATA ${CMAKE_BINARY_DIR}/data)

# The data package's folder, marked as installed so the game keeps the player's files in its data
# folder (IndexedDB) rather than beside the shipped ones.
pibo_ship_data(web_data ${WEB_DATA} INSTALLED_NOTE
  "Shipped with the page: the player's own files live in the browser's storage.")

# The game: its script, its WebAssembly and the data package beside them.
set_target_properties(pibo2 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SITE_DIR} SUFFIX .js)
add_dependencies(pibo2 web_data)
target_link_options(pibo2 PRIVATE
  -sENVIRONMENT=web
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=64MB
  # The page starts the game once the player has clicked or pressed a key: browsers keep sound
  # locked until then.
  -sINVOKE_RUN=0
  "-sEXPORTED_RUNTIME_METHODS=['callMain','FS','UTF8ToString']"
  "-sEXPORTED_FUNCTIONS=['_main','_pibo_status','_pibo_save_now']"
  # SDL's sound for the browser needs two functions of emscripten's library; their names begin
  # with a dollar sign, which no build tool passes on unharmed, so they come from a file.
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_SOURCE_DIR}/web/library_functions.json
  -lidbfs.js
  --pre-js ${CMAKE_SOURCE_DIR}/web/pre.js
  --preload-file ${WEB_DATA}@/)
set_property(TARGET pibo2 APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/pre.js
  ${WEB_DATA}/pibo2.installed)

# The page itself, and the game's licence beside it (as text any host shows).
set(page_outputs)
foreach(pair web/index.html=index.html web/page.js=page.js web/page.css=page.css
             LICENSE=LICENSE.txt)
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 name)
  list(APPEND page_outputs ${SITE_DIR}/${name})
  add_custom_command(OUTPUT ${SITE_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${from} ${SITE_DIR}/${name}
    DEPENDS ${CMAKE_SOURCE_DIR}/${from} VERBATIM)
endforeach()
add_custom_target(web_page ALL DEPENDS ${page_outputs})
# The licences of the libraries built into the WebAssembly, beside it.
pibo_ship_licences(web_licences ${SITE_DIR})

# The simulator as WebAssembly under node, reading and writing the machine's files directly: the
# pinned replays must print the same bytes here as on the desktop.
include_directories(${CMAKE_SOURCE_DIR})
add_subdirectory(tools/simulator)
set_target_properties(pibo-sim PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/node SUFFIX .js)
# Compiled at once, from the file: node's fetch would take the wasm file's path for an address.
target_link_options(pibo-sim PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1
  -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0)
