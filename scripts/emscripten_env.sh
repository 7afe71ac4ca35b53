# Sourced by the web build's scripts: Debian's emscripten, working in a cache of its own (the
# packaged cache is read-only), with the machine's node modules.
cache=${PIBO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pibo2}
emscripten_version=$(cat /usr/share/emscripten/emscripten-version.txt 2>/dev/null || echo none)
export EM_CACHE=$cache/emscripten-$emscripten_version
export EM_FROZEN_CACHE=
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
# The first use copies the packaged cache; emscripten adds what else it builds.
if [ ! -f "$EM_CACHE/copied" ] && [ -d /usr/share/emscripten/cache ]; then
  rm -rf "$EM_CACHE"
  mkdir -p "$EM_CACHE"
  cp -a /usr/share/emscripten/cache/. "$EM_CACHE/"
  touch "$EM_CACHE/copied"
fi
