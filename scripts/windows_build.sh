#!/usr/bin/env bash
# Builds the game for 64-bit Windows with Debian's mingw-w64 into WINDOWS_BUILD, and its zip, from
# a desktop build's generated files.
#
#   scripts/windows_build.sh DESKTOP_BUILD WINDOWS_BUILD
set -euo pipefail
desktop=$(cd "$1" && pwd)
windows=$2
here=$(cd "$(dirname "$0")" && pwd)

prefix=$("$here/third_party.sh" windows)
# shellcheck source=scripts/use_third_party.inc
. "$here/use_third_party.inc"
use_third_party "$windows" "$prefix"

cmake -S "$here/.." -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64.cmake" \
  -DCMAKE_FIND_ROOT_PATH="$prefix" -DPKG_CONFIG_ARGN=--static \
  -DPIBO_GAME_FILES="$desktop/game" -DPIBO_THIRD_PARTY="$prefix" \
  -DIMGUI_SDLRENDERER_SOURCE="$prefix/share/imgui/imgui_impl_sdlrenderer.cpp" >/dev/null
cmake --build "$windows" --target windows_zip
