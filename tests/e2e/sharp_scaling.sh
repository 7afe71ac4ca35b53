#!/usr/bin/env bash
# Full screen on a 1600 x 1200 display, the title picture fills the screen twice its size, every
# picture pixel a crisp 2 x 2 block.
source "$(dirname "$0")/common.inc"

export work E2E_DIR
cat > "$work/session.sh" <<'SESSION'
set -u
source "$E2E_DIR/functions.inc"
cd "$work"
./pibo2 > run.log 2>&1 &
pid=$!
convert Title_ZT.bmp -scale 200% expected.png
convert expected.png -crop 760x1200+420+0 +repage expected-middle.png
for _ in $(seq 1 60); do
  sleep 0.5
  import -window root big.png 2>/dev/null || continue
  convert big.png -crop 760x1200+420+0 +repage big-middle.png
  d=$(compare -metric RMSE expected-middle.png big-middle.png null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
  awk -v d="$d" 'BEGIN { exit !(d < 0.03) }' && break
done
echo "$d" > difference
xdotool key Escape
await_exit
SESSION
xvfb-run -a -s "-screen 0 1600x1200x24" bash "$work/session.sh"

d=$(cat "$work/difference")
awk -v d="$d" 'BEGIN { exit !(d < 0.03) }' || fail "the screen does not show the title at twice its size (RMSE $d)"
[ "$(identify -format '%wx%h' "$work/big.png")" = 1600x1200 ] || fail "the screenshot is not 1600 x 1200"
# Shrunk to half and enlarged again, a picture made of uniform 2 x 2 blocks stays the same.
convert "$work/big.png" -sample 50% -sample 200% "$work/blocks.png"
blur=$(compare -metric AE "$work/big.png" "$work/blocks.png" null: 2>&1 || true)
[ "$blur" = 0 ] || fail "$blur pixels are not part of a uniform 2 x 2 block"
[ "$(cat "$work/status")" = 0 ] || fail "the game did not end cleanly (status $(cat "$work/status"))"
echo "sharp scaling: passed"
