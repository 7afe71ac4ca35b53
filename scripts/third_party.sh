#!/usr/bin/env bash
# Builds the game's third-party libraries for another system from Debian's own source packages,
# and prints the folder they were installed into (the last line of the output).
#
#   scripts/third_party.sh web        WebAssembly, with Debian's emscripten (static libraries)
#   scripts/third_party.sh windows    64-bit Windows, with Debian's mingw-w64 (DLLs)
#
# The sources come through apt, from deb-src entries made from this machine's own apt sources, so
# nothing is fetched from anywhere but the archive the machine already trusts. Builds are kept by
# version outside the build folder (PIBO_CACHE, default ~/.cache/pibo2): when Debian's versions and
# this recipe are unchanged, the next run only prints the folder.
set -euo pipefail

target=${1:-}
case "$target" in
  web | windows) ;;
  *) echo "usage: $0 web|windows" >&2; exit 2 ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
cache=${PIBO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pibo2}
jobs=$(nproc)
say() { echo "third-party: $*" >&2; }

# The source packages, in build order (each may use the ones before it).
packages=(libogg libvorbis freetype harfbuzz libsdl2 libsdl2-ttf libsdl2-mixer imgui)

# --- A private apt that knows only deb-src entries ------------------------------------------------
apt_home=$cache/apt
make_apt() {
  mkdir -p "$apt_home/sources.d" "$apt_home/lists/partial" "$apt_home/cache/archives/partial"
  rm -f "$apt_home/sources.d/"*
  # The machine's own sources, each turned into a source-package entry.
  local n=0 file
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list |
      sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' > "$apt_home/sources.d/machine.list" || true
  fi
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    n=$((n + 1))
    sed -E 's/^Types:.*$/Types: deb-src/' "$file" > "$apt_home/sources.d/machine-$n.sources"
  done
  for file in /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    n=$((n + 1))
    grep -E '^[[:space:]]*deb[[:space:]]' "$file" |
      sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' > "$apt_home/sources.d/machine-$n.list" || true
  done
  cat > "$apt_home/apt.conf" <<EOF
Dir::Etc::SourceList "/dev/null";
Dir::Etc::SourceParts "$apt_home/sources.d";
Dir::State::Lists "$apt_home/lists";
Dir::Cache "$apt_home/cache";
APT::Sandbox::User "root";
EOF
}

# Debian's current version of each source package; an empty answer when the archive is out of reach.
versions=()
resolve_versions() {
  make_apt
  if ! APT_CONFIG=$apt_home/apt.conf apt-get update -qq >/dev/null 2>"$apt_home/update.log"; then
    say "apt could not reach the archive (see $apt_home/update.log); using what is cached"
    return 1
  fi
  local p v
  for p in "${packages[@]}"; do
    v=$(APT_CONFIG=$apt_home/apt.conf apt-cache showsrc --only-source "$p" 2>/dev/null |
      awk '/^Version:/ { print $2 }' | sort -V | tail -1)
    [ -n "$v" ] || { say "no source package $p in the archive"; return 1; }
    versions+=("$p=$v")
  done
}

# --- The folder this set of versions builds into --------------------------------------------------
# The compiler's version is part of the name; the recipe is this script and the target's set-up.
if [ "$target" = web ]; then
  toolchain=em$(cat /usr/share/emscripten/emscripten-version.txt 2>/dev/null || echo none)
  setup_file=$here/emscripten_env.sh
else
  toolchain=mingw$(x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo none)
  setup_file=$here/../cmake/mingw-w64.cmake
fi
recipe_hash=$(cat "$0" "$setup_file" | sha256sum | cut -c1-12)
set_name() { echo "${target}-${toolchain}-$(printf '%s\n' "$@" | sha256sum | cut -c1-12)-$recipe_hash"; }

if resolve_versions; then
  home=$cache/$(set_name "${versions[@]}")
else
  # Offline: the newest complete build of this recipe will do.
  home=$(ls -dt "$cache/$target-$toolchain-"*"-$recipe_hash" 2>/dev/null | head -1 || true)
  [ -n "$home" ] && [ -f "$home/done" ] || { say "nothing cached to fall back on"; exit 1; }
fi
prefix=$home/prefix
if [ -f "$home/done" ]; then
  say "reusing $home"
  echo "$prefix"
  exit 0
fi

rm -rf "$home"
mkdir -p "$home/src" "$prefix"
say "building ${versions[*]} into $home"

# --- The compilers ----------------------------------------------------------------------------------
if [ "$target" = web ]; then
  # Emscripten, in a cache of its own; static libraries, linked into the game's WebAssembly.
  # shellcheck source=scripts/emscripten_env.sh
  . "$here/emscripten_env.sh"
  cmake_configure=(emcmake cmake -DBUILD_SHARED_LIBS=OFF)
  mixer_libraries=()
  sdl_libraries=(-DSDL_SHARED=OFF -DSDL_STATIC=ON)
  cxx=em++
  ar=emar
else
  # mingw-w64 with POSIX threads; DLLs, shipped beside the game.
  cmake_configure=(cmake -DCMAKE_TOOLCHAIN_FILE="$setup_file" -DBUILD_SHARED_LIBS=ON)
  sdl_libraries=(-DSDL_SHARED=ON -DSDL_STATIC=OFF)
  # SDL_mixer's DLL takes vorbisfile's static library but not the two it needs after it.
  windows_libraries="-lkernel32 -luser32 -lgdi32 -lwinspool -lshell32 -lole32 -loleaut32 -luuid"
  windows_libraries+=" -lcomdlg32 -ladvapi32"
  mixer_libraries=("-DCMAKE_C_STANDARD_LIBRARIES=$prefix/lib/libvorbis.a $prefix/lib/libogg.a $windows_libraries")
  cxx=x86_64-w64-mingw32-g++-posix
  ar=x86_64-w64-mingw32-ar
fi

fetch() {  # fetch PACKAGE=VERSION -> prints the unpacked folder
  local p=${1%%=*} v=${1#*=}
  (cd "$home/src" && APT_CONFIG=$apt_home/apt.conf apt-get source --download-only -qq "$p=$v" \
      >/dev/null 2>&1 && dpkg-source -x --no-check "${p}_${v#*:}.dsc" "$p" >/dev/null)
  echo "$home/src/$p"
}

cmake_build() {  # cmake_build SOURCE BUILD [options...]
  local src=$1 build=$2
  shift 2
  "${cmake_configure[@]}" -S "$src" -B "$build" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    "$@" >"$build.log" 2>&1 || { tail -30 "$build.log" >&2; return 1; }
  cmake --build "$build" -j "$jobs" >>"$build.log" 2>&1 || { tail -30 "$build.log" >&2; return 1; }
  cmake --install "$build" >>"$build.log" 2>&1
}

build_libraries() {
  local pv src
  for pv in "${versions[@]}"; do
    say "${pv}"
    src=$(fetch "$pv")
    case "${pv%%=*}" in
      libogg)
        # Type sizes cannot be run-tested for wasm; these are wasm32's.
        cmake_build "$src" "$home/build-ogg" -DINT16_SIZE=2 -DUINT16_SIZE=2 -DU_INT16_SIZE=2 \
          -DINT32_SIZE=4 -DUINT32_SIZE=4 -DU_INT32_SIZE=4 -DINT64_SIZE=8 -DSHORT_SIZE=2 \
          -DINT_SIZE=4 -DLONG_SIZE=4 -DLONG_LONG_SIZE=8 -DINSTALL_DOCS=OFF -DBUILD_SHARED_LIBS=OFF ;;
      libvorbis)
        # Static on every system: both go inside SDL_mixer (and vorbis's own DLL exports file is
        # one mingw's linker cannot read).
        cmake_build "$src" "$home/build-vorbis" -DBUILD_SHARED_LIBS=OFF ;;
      freetype)
        cmake_build "$src" "$home/build-freetype" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
          -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON ;;
      harfbuzz)
        # SDL_ttf lays text out with HarfBuzz in Debian's build; without it the glyphs would stand
        # a pixel apart from where the desktop game draws them.
        cmake_build "$src" "$home/build-harfbuzz" -DHB_HAVE_FREETYPE=ON -DHB_HAVE_GLIB=OFF \
          -DHB_HAVE_ICU=OFF -DHB_HAVE_GOBJECT=OFF -DHB_BUILD_SUBSET=OFF -DHB_BUILD_UTILS=OFF ;;
      libsdl2)
        cmake_build "$src" "$home/build-sdl2" "${sdl_libraries[@]}" -DSDL_TEST=OFF ;;
      libsdl2-ttf)
        cmake_build "$src" "$home/build-ttf" -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_HARFBUZZ=ON \
          -DSDL2TTF_VENDORED=OFF
        write_pc SDL2_ttf "${pv#*=}" "sdl2 harfbuzz freetype2" -lSDL2_ttf ;;
      libsdl2-mixer)
        # Waves and Ogg Vorbis only, with vorbisfile linked in rather than opened at run time.
        cmake_build "$src" "$home/build-mixer" -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF \
          -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF \
          -DSDL2MIXER_MP3=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_WAVPACK=OFF \
          -DSDL2MIXER_VORBIS=VORBISFILE -DSDL2MIXER_VORBIS_VORBISFILE_SHARED=OFF \
          "${mixer_libraries[@]}"
        write_pc SDL2_mixer "${pv#*=}" "sdl2 vorbisfile vorbis ogg" -lSDL2_mixer ;;
      imgui)
        build_imgui "$src" "${pv#*=}" ;;
    esac
    # Each library's licence, as Debian states it, goes wherever the library goes.
    mkdir -p "$prefix/share/doc/${pv%%=*}"
    cp "$src/debian/copyright" "$prefix/share/doc/${pv%%=*}/copyright"
  done
}

# A pkg-config file for a library whose CMake build installs none.
write_pc() {  # write_pc NAME VERSION REQUIRES LIBS
  mkdir -p "$prefix/lib/pkgconfig"
  cat > "$prefix/lib/pkgconfig/$1.pc" <<EOF
prefix=$prefix
Name: $1
Description: $1, built for $target
Version: $2
Requires.private: $3
Libs: -L\${prefix}/lib $4
Cflags: -I\${prefix}/include/SDL2
EOF
}

# Dear ImGui has no build of its own; the game needs its core, the FreeType font builder, the
# std::string helpers and the SDL2 platform backend, plus the SDL-renderer backend's source.
build_imgui() {
  local src=$1 version=$2 obj=$home/build-imgui f
  mkdir -p "$obj" "$prefix/include/imgui/backends" "$prefix/share/imgui" "$prefix/lib/pkgconfig"
  local sources=(imgui.cpp imgui_draw.cpp imgui_tables.cpp imgui_widgets.cpp imgui_demo.cpp
    misc/freetype/imgui_freetype.cpp misc/cpp/imgui_stdlib.cpp backends/imgui_impl_sdl.cpp)
  for f in "${sources[@]}"; do
    "$cxx" -O2 -std=c++17 -I"$src" -I"$prefix/include/freetype2" -I"$prefix/include/SDL2" \
      -c "$src/$f" -o "$obj/$(basename "$f" .cpp).o"
  done
  "$ar" rcs "$prefix/lib/libimgui.a" "$obj"/*.o
  cp "$src"/*.h "$src"/misc/cpp/*.h "$src"/misc/freetype/*.h "$prefix/include/imgui/"
  cp "$src"/backends/imgui_impl_sdl.h "$src"/backends/imgui_impl_sdlrenderer.h \
    "$prefix/include/imgui/backends/"
  cp "$src"/backends/imgui_impl_sdlrenderer.cpp "$prefix/share/imgui/"
  cat > "$prefix/lib/pkgconfig/imgui.pc" <<EOF
prefix=$prefix
includedir=\${prefix}/include/imgui
Name: imgui
Description: Dear ImGui, built for $target
Version: $version
Requires.private: freetype2 sdl2
Libs: -L\${prefix}/lib -limgui
Cflags: -I\${includedir}
EOF
}

build_libraries
# The pkg-config files name the folder relative to themselves, so the cache can be moved; and
# the game has no threads (HarfBuzz asks for them only in case).
for pc in "$prefix"/lib/pkgconfig/*.pc; do
  sed -i -e "s|$prefix|\${prefix}|g" -e 's|^prefix=.*|prefix=${pcfiledir}/../..|' \
    -e 's| -pthread||g' "$pc"
done
touch "$home/done"
say "done: $home"
echo "$prefix"
