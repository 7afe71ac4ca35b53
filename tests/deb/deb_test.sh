#!/usr/bin/env bash
# `make test-deb`: the Debian package unpacked into a scratch root and played from its launcher on
# a virtual X display, as an installed game: it must show the desktop game's title frame, end on
# Esc, and keep its files in the player's folders, never in its own.
#
#   tests/deb/deb_test.sh PACKAGE.deb
set -euo pipefail
package=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/pibo-deb.XXXXXX)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
E2E_DIR=$source_dir/tests/e2e
source "$E2E_DIR/functions.inc"

dpkg-deb -x "$package" "$work/root"
program=$work/root/usr/lib/games/pibo2
[ -x "$work/root/usr/games/pibo2" ] || fail "no launcher /usr/games/pibo2"
[ -f "$program/pibo2.installed" ] || fail "the program's folder is not marked as installed"
file "$program/pibo2" | grep -q "stripped" && ! file "$program/pibo2" | grep -q "not stripped" ||
  fail "the game is not stripped"
zcat "$work/root/usr/share/man/man6/pibo2.6.gz" | grep -q "DEVELOP" || fail "the manual page lacks the words"
shipped=$(cd "$work/root" && find . | sort)

# A player of their own, with the default folders.
export HOME=$work/home
unset XDG_DATA_HOME XDG_CONFIG_HOME PIBO_WINDOWED SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy
mkdir -p "$HOME"
game_colours "$source_dir/tests/render/golden/title.png" "$work/title-golden.miff"
export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
cd "$work"
"$work/root/usr/games/pibo2" > "$work/run.log" 2>&1 &
pid=$!
await_exact_title "$work/title-golden.miff" 30
xdotool search --name "Pibo II" windowfocus --sync 2>/dev/null || true
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the game did not end cleanly on Esc"; }
differing=$(compare -metric AE "$work/title.miff" "$work/title-golden.miff" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "$differing pixels of the title frame differ from the pinned one"
data=$HOME/.local/share/pibo2
[ "$(hex "$data/Options_zt.dat")" = "00 ff ff 00 00 01" ] || fail "no options in $data"
[ "$(stat -c %s "$data/HighScores_zt.dat")" = 240 ] || fail "no high scores in $data"
[ ! -e "$data/Errors.txt" ] || { cat "$data/Errors.txt" >&2; fail "errors were logged"; }
grep -qxF "AppPath=$program" "$HOME/.config/VORA/settings.ini" || fail "the settings value is missing"
[ "$(cd "$work/root" && find . | sort)" = "$shipped" ] || fail "the game wrote into its own folder"
echo "test-deb: the package plays from its launcher and keeps the player's files in ~/.local/share/pibo2"
