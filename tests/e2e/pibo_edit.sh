#!/usr/bin/env bash
# The level editor pibo-edit on a copy of the shipped Levels.dat: a cell painted with a click,
# undone with Ctrl+Z, another painted and saved with Ctrl+S: the file differs from the original in
# exactly that cell's byte. Then, in a new set (Ctrl+N), a box of platforms drawn with the
# rectangle tool and a gem painted inside it: the live checks list the gem as unreachable. The
# editor says where the level lies in its window and what the checks found in the file named by
# --report-checks, which the session reads to aim its clicks.
source "$(dirname "$0")/common.inc"

mkdir -p "$work/set"
cp "$work/Levels.dat" "$work/LevelNames_zt.txt" "$work/set/"
cp "$work/Levels.dat" "$work/original.dat"

# Two empty cells of level 1, away from the edges: the first is painted and undone, the second
# painted and saved.
cells=()
for c in $(seq 8 24); do
  for r in $(seq 10 20); do
    [ "$(level_cell "$work/original.dat" 1 "$c" "$r")" = 255 ] && cells+=("$c $r")
    [ "${#cells[@]}" -ge 2 ] && break 2
  done
done
[ "${#cells[@]}" -ge 2 ] || fail "level 1 has no two empty cells to paint"
read -r c1 r1 <<< "${cells[0]}"
read -r c2 r2 <<< "${cells[1]}"

export work E2E_DIR c1 r1 c2 r2
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
cd "$work"
./pibo-edit set/Levels.dat --window 1200x800 --report-checks report.txt > edit.log 2>&1 &
pid=$!
# Waits up to $2 seconds until the report has a line matching $1.
await_report() {
  for _ in $(seq 1 $(($2 * 5))); do
    grep -q "$1" report.txt 2>/dev/null && return 0
    sleep 0.2
  done
  echo "no '$1' in the report:" >&2; cat report.txt >&2 2>/dev/null; return 1
}
await_report '^checked' 30 || exit 1
wid=$(xdotool search --sync --name 'pibo-edit' | head -1)
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 0.5
# The window point in the middle of cell ($1, $2), from where the report says the level lies.
click_cell() {
  read -r x y < <(awk -v c="$1" -v r="$2" '
    $1 == "canvas" { cx = $2; cy = $3 } $1 == "zoom" { z = $2 } $1 == "scroll" { sx = $2; sy = $3 }
    END { printf "%d %d\n", cx + (50 * c + 25 - sx) * z, cy + (20 * r + 10 - sy) * z }' report.txt)
  xdotool mousemove --window "$wid" "$x" "$y"; sleep 0.2
}
click_cell "$c1" "$r1"; xdotool click 1; sleep 0.5
xdotool key ctrl+z; sleep 0.5
click_cell "$c2" "$r2"; xdotool click 1; sleep 0.5
xdotool key ctrl+s
await_report '^modified no' 10 || exit 1
cp set/Levels.dat saved.dat

# A new set: a box of sand (the code chosen at start) from column 12, row 8 to column 16, row 12,
# then the gem (Shift+] twice: from the platforms to the power-ups to the gems) in its middle.
xdotool key ctrl+n; sleep 0.5
await_report '^modified no' 10 || exit 1
xdotool key r; sleep 0.2
click_cell 12 8; xdotool mousedown 1; sleep 0.2
click_cell 14 10; sleep 0.1
click_cell 16 12; xdotool mouseup 1; sleep 0.3
xdotool key braceright braceright p; sleep 0.2
click_cell 14 10; xdotool click 1; sleep 0.3
import -window root box.png
await_report '^unreachable gem 14 10$' 60 || exit 1
grep -q '^checked yes' report.txt || sleep 2
cp report.txt report-box.txt
# Quit without saving the new set: Ctrl+Q asks, N answers "Don't save".
xdotool key ctrl+q; sleep 0.5
xdotool key n
await_exit
SESSION
xvfb-run -a -s "-screen 0 1280x900x24" bash "$work/session.sh" || true

[ -e "$work/saved.dat" ] || { cat "$work/edit.log" >&2; fail "the edited set was not saved"; }
differences=$(cmp -l "$work/original.dat" "$work/saved.dat" || true)
expected_offset=$((2 + r2 + 30 * c2 + 1))  # cmp counts bytes from 1
[ "$(echo "$differences" | wc -l)" = 1 ] || fail "the saved file differs in more than one byte: $differences"
read -r offset was now <<< "$differences"
[ "$offset" = "$expected_offset" ] || fail "byte $offset changed, not cell ($c2, $r2) at $expected_offset"
[ "$was $now" = "377 0" ] || fail "cell ($c2, $r2) went from octal $was to $now, not from empty to sand"
[ "$(stat -c %s "$work/saved.dat")" = 29762 ] || fail "the saved file is not 29 762 bytes"
cmp -s "$work/original.dat" "$work/Levels.dat" || fail "the program folder's own Levels.dat changed"
[ -e "$work/report-box.txt" ] || { cat "$work/edit.log" >&2; fail "the gem in the box was not found unreachable"; }
grep -q '^unreachable gem 14 10$' "$work/report-box.txt" || fail "the gem in the box is not listed"
[ "$(cat "$work/status")" = 0 ] || { cat "$work/edit.log" >&2; fail "pibo-edit did not end cleanly (status $(cat "$work/status"))"; }
[ ! -e "$work/Errors.txt" ] || { cat "$work/Errors.txt" >&2; fail "errors were logged"; }
echo "pibo_edit: passed"
