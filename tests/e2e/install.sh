#!/usr/bin/env bash
# `make install` into a staging folder, in the layout of the Debian package: the desktop entry
# and the AppStream metadata validate, the icons are there at every size, the manual page and the
# copyright file are there, and the installed launcher starts the game, whose options and high
# scores land in $XDG_DATA_HOME/pibo2 at the end, nothing in the installed folder.
source "$(dirname "$0")/common.inc"
build_dir=$2

stage="$work/stage"
DESTDIR="$stage" cmake --install "$build_dir" --prefix /usr/local > "$work/install.log"
prefix="$stage/usr/local"
[ -x "$prefix/games/pibo2" ] || fail "no launcher in games"
[ -e "$prefix/lib/games/pibo2/pibo2.installed" ] || fail "the program's folder is not marked as installed"
[ ! -e "$prefix/lib/games/pibo2/pibo-sim" ] || fail "a developer tool was installed"
desktop-file-validate "$prefix/share/applications/io.github.piboii.PiboII.desktop" ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.piboii.PiboII.metainfo.xml" > "$work/appstream.log" ||
  { cat "$work/appstream.log" >&2; fail "the AppStream metadata does not validate"; }
zcat "$prefix/share/man/man6/pibo2.6.gz" | grep -q -- "--window" || fail "no manual page from --help"
grep -q "^License: GPL-3+" "$prefix/share/doc/pibo2/copyright" || fail "no copyright file"
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/io.github.piboii.PiboII.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "no ${size} px icon"
done
installed_before=$(cd "$prefix/lib/games/pibo2" && find . -type f | sort | xargs sha256sum)

export XDG_DATA_HOME="$work/xdg-data"
export work E2E_DIR prefix
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
cd "$work"
"$prefix/games/pibo2" > run.log 2>&1 &
pid=$!
for _ in $(seq 1 60); do
  sleep 0.5
  import -window root title.png 2>/dev/null || continue
  d=$(middle_difference "$prefix/lib/games/pibo2/Title_ZT.bmp" title.png)
  awk -v d="$d" 'BEGIN { exit !(d < 0.03) }' && break
done
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/session.sh"

[ "$(cat "$work/status")" = 0 ] || { cat "$work/run.log" >&2; fail "the installed game did not end cleanly (status $(cat "$work/status"))"; }
difference=$(middle_difference "$prefix/lib/games/pibo2/Title_ZT.bmp" "$work/title.png")
awk -v d="$difference" 'BEGIN { exit !(d < 0.03) }' || fail "the installed game never showed its title (RMSE $difference)"
for f in Options_zt.dat HighScores_zt.dat Levels.dat; do
  [ -e "$XDG_DATA_HOME/pibo2/$f" ] || fail "$f is not in the data folder"
done
installed_after=$(cd "$prefix/lib/games/pibo2" && find . -type f | sort | xargs sha256sum)
[ "$installed_before" = "$installed_after" ] || fail "the installed folder changed"
echo "install: passed"
