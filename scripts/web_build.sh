#!/usr/bin/env bash
# Builds the game for the browser into WEB_BUILD/site, from a desktop build's generated files.
#
#   scripts/web_build.sh DESKTOP_BUILD WEB_BUILD
set -euo pipefail
desktop=$(cd "$1" && pwd)
web=$2
here=$(cd "$(dirname "$0")" && pwd)

prefix=$("$here/third_party.sh" web)
# shellcheck source=scripts/emscripten_env.sh
. "$here/emscripten_env.sh"
# Only the libraries built for the browser are seen; they are linked by their paths (emcc would
# take a bare -logg for one of its own ports, which it downloads).
# shellcheck source=scripts/use_third_party.inc
. "$here/use_third_party.inc"
use_third_party "$web" "$prefix"

# Every compile and link gets emscripten's environment, so `cmake --build` works on its own too.
launcher="env;EM_CACHE=$EM_CACHE;EM_FROZEN_CACHE=;NODE_PATH=$NODE_PATH"
emcmake cmake -S "$here/.." -B "$web" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DPKG_CONFIG_ARGN=--static \
  "-DCMAKE_CXX_COMPILER_LAUNCHER=$launcher" "-DCMAKE_CXX_LINKER_LAUNCHER=$launcher" \
  -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=BOTH \
  -DPIBO_GAME_FILES="$desktop/game" -DPIBO_THIRD_PARTY="$prefix" \
  -DIMGUI_SDLRENDERER_SOURCE="$prefix/share/imgui/imgui_impl_sdlrenderer.cpp" >/dev/null
cmake --build "$web"
