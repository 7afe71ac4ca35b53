#!/usr/bin/env bash
# Installs every Debian package the game, its tools and its tests need, and nothing else.
# As root it installs what is missing with apt-get; otherwise it prints the command and stops.
#
#   scripts/setup.sh        the desktop game, its tools and tests
#   scripts/setup.sh web      also the browser build and its tests
#   scripts/setup.sh windows  also the Windows build and its tests under wine
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libfontconfig-dev libfreetype-dev libimgui-dev
  libcairo2-dev libvorbis-dev
  fonts-comic-neue fonts-liberation2
  libgtest-dev libbenchmark-dev libpng-dev
  clang libclang-rt-dev
  xvfb xauth xdotool x11-xkb-utils imagemagick x11-utils sox xfonts-base
  desktop-file-utils appstream
  help2man lintian dpkg-dev
)

if [ "${1:-}" = web ]; then
  # Emscripten, dpkg-source for the libraries' Debian sources, Chromium for the page's tests.
  packages+=(emscripten dpkg-dev xz-utils chromium)
  # Node and npm may come from elsewhere on a developer's machine; Debian's only when missing.
  command -v node >/dev/null || packages+=(nodejs)
  command -v npm >/dev/null || packages+=(npm)
fi

if [ "${1:-}" = windows ]; then
  # mingw-w64 with POSIX threads, dpkg-source for the libraries' Debian sources, wine to run the
  # result, unzip to unpack it as a player would.
  packages+=(g++-mingw-w64-x86-64-posix dpkg-dev xz-utils wine wine64 unzip)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "These packages are missing: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
