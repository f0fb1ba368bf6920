#!/usr/bin/env bash
# window_test.sh: runs the Windows program under Wine on a virtual X server (Xvfb), in a fresh
# Wine prefix, and plays it as a player would, checking the server's own screenshots:
#   - the title shows over the first picture, then the maze grows with nothing of it left;
#   - V, A and Esc open the about box, the author's profile and the stage result, found by their
#     captions, and Esc or Enter closes each;
#   - Ctrl+3 slows the game down; S finishes the maze: the open cells come to half the grid;
#   - after each dialog and after another window passed over the game, the game area holds only
#     the maze's five colours (a stale pixel of the title or a dialog would be another colour).
#
#   window_test.sh PROGRAM.exe SHOT_CHECK
# SHOT_CHECK is tests/desktop's maze_shot_check of the native build: it grabs the screen and
# counts the colours of the game area.
set -euo pipefail
. "$(dirname "$0")/../xvfb.sh"
. "$(dirname "$0")/../need_tools.sh"

program=$1 check=$2

need_tools Xvfb xdotool wine wineserver

dir=$(mktemp -d)
xvfb_pid='' game_pid='' passing_pid='' grabber_pid=''
export WINEPREFIX=$dir/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
cleanup() {
  for pid in $grabber_pid $passing_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  wineserver -k 2>/dev/null || true
  [ -n "$game_pid" ] && wait "$game_pid" 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

since() {  # seconds since a date +%s.%N
  awk -v from="$1" -v to="$(date +%s.%N)" 'BEGIN { printf "%.1f", to - from }'
}

# The prefix first, without a display, so that making it shows no window; its Wine server must
# end before the program starts, or the program would find no display either.
unset DISPLAY WAYLAND_DISPLAY
start=$(date +%s.%N)
wineboot -i >/dev/null 2>&1
wineserver -w
echo "fresh Wine prefix in $(since "$start") s"
start=$(date +%s.%N)

# A screen large enough for the whole title.
start_xvfb "$dir" 1600x1000x24
mkdir -m 700 "$dir/runtime"
export XDG_RUNTIME_DIR=$dir/runtime

# The title lasts about a second: the screen is grabbed over and over from the start, and the
# shots are looked at afterwards.
mkdir "$dir/early"
(
  i=0
  while :; do
    "$check" --grab "$dir/early/$(printf %04d $i).png" 2>/dev/null || true
    i=$((i + 1))
  done
) &
grabber_pid=$!

wine "$program" >"$dir/game.log" 2>&1 &
game_pid=$!
window=''
for _ in $(seq 600); do
  window=$(xdotool search --onlyvisible --name '^Vennaloop$' 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  kill -0 "$game_pid" 2>/dev/null || { echo "FAIL: the program ended"; cat "$dir/game.log"; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: no window captioned Vennaloop"; cat "$dir/game.log"; exit 1; }
echo "window after $(since "$start") s"
# Without a window manager the X window is the frame without caption and border: the game area
# lies inside the frame's sunken client edge and the view's, 2 pixels each.
eval "$(xdotool getwindowgeometry --shell "$window")"
area=("$((X + 4))" "$((Y + 4))" "$((WIDTH - 8))" "$((HEIGHT - 8))")
echo "game area ${area[2]}x${area[3]} at (${area[0]}, ${area[1]})"

# Census of one shot: prints it, and sets census_status (0 only the maze, 1 other colours, 3 not
# grown yet), open_percent and stray_pixels.
census() {
  census_status=0
  "$check" --only-maze "$1" "${area[@]}" >"$dir/census" || census_status=$?
  open_percent=$(sed -n 's/.*: \([0-9.]*\)% open.*/\1/p' "$dir/census")
  stray_pixels=$(sed -n 's/.*open, \([0-9]*\) pixels of.*/\1/p' "$dir/census")
}

fail() {
  echo "FAIL: $*"
  [ -n "${VENNALOOP_SHOTS:-}" ] && cp "$dir/shot.png" "$VENNALOOP_SHOTS" 2>/dev/null
  exit 1
}

# The title: letters over the first picture (many pixels of no maze colour, nothing grown), in
# a shot taken before the maze grew.
sleep 3
kill "$grabber_pid" 2>/dev/null || true
wait "$grabber_pid" 2>/dev/null || true
grabber_pid=''
title_seen=0
for shot in "$dir"/early/*.png; do
  census "$shot"
  if [ "$census_status" -eq 3 ] && [ "${stray_pixels:-0}" -gt 2000 ]; then
    title_seen=1
    echo "the title: $stray_pixels pixels of its letters over the first picture ($(basename "$shot"))"
    break
  fi
done
[ "$title_seen" -eq 1 ] || fail "no shot showed the title ($(ls "$dir/early" | wc -l) shots)"

# Exits the test unless the game area shows only the maze, grown; looks again while it has not
# grown yet.
only_maze() {
  local moment=$1
  for _ in $(seq 60); do
    kill -0 "$game_pid" 2>/dev/null || { echo "FAIL: the game ended $moment"; cat "$dir/game.log"; exit 1; }
    "$check" --grab "$dir/shot.png" || fail "no screenshot $moment"
    census "$dir/shot.png"
    case $census_status in
      0) echo "only the maze's colours $moment: $(cat "$dir/census")"; return 0 ;;
      3) sleep 0.5 ;;
      *) cat "$dir/census"; fail "other colours in the game area $moment" ;;
    esac
  done
  cat "$dir/census"
  fail "the maze did not grow $moment"
}

# Waits until a window captioned CAPTION shows (present 1) or is gone (present 0). Without a window
# manager Wine waits about 2 s for one to withdraw a closing window before it lets it go.
dialog_is() {
  local caption=$1 present=$2
  for _ in $(seq 100); do
    local found=0
    xdotool search --onlyvisible --name "^$caption\$" >/dev/null 2>&1 && found=1
    [ "$found" -eq "$present" ] && return 0
    sleep 0.2
  done
  [ "$present" -eq 1 ] && fail "no dialog captioned '$caption'"
  fail "the dialog captioned '$caption' did not close"
}

# Opens a dialog by KEY, finds it by CAPTION, closes it by CLOSE.
dialog_by_key() {
  local key=$1 caption=$2 close=$3
  xdotool key "$key"
  dialog_is "$caption" 1
  echo "$key opened '$caption'"
  xdotool key "$close"
  dialog_is "$caption" 0
}

only_maze "after the title"
xdotool windowfocus --sync "$window"

dialog_by_key v 'バージョン情報 Vennaloop' Escape
sleep 0.5
only_maze "after the about box"
dialog_by_key a '著者経歴' Escape
sleep 0.5
only_maze "after the author's profile"
# Esc gives the stage up; Enter in the result starts the next stage, whose maze has only begun.
grown=${open_percent%.*}
dialog_by_key Escape 'Go To Next Stage' Return
sleep 0.5
only_maze "after the stage result"
[ "${open_percent%.*}" -lt "$grown" ] ||
  fail "Enter in the stage result did not start a new stage ($open_percent% open, $grown% before)"

# Ctrl+3 slows the game to a cycle every 300 ms, a nineteenth of the pace before: over the same
# time the maze opens far fewer cells than it did. The game reads Ctrl when the digit's cycle
# runs, so Ctrl is held a while, as a player holds it.
growth_over() {  # percent of the game area opened in SECONDS
  "$check" --grab "$dir/shot.png" || fail "no screenshot"
  census "$dir/shot.png"
  local before=$open_percent
  sleep "$1"
  "$check" --grab "$dir/shot.png" || fail "no screenshot"
  census "$dir/shot.png"
  awk -v a="$open_percent" -v b="$before" 'BEGIN { printf "%.2f", a - b }'
}
default_growth=$(growth_over 2)
xdotool keydown ctrl key 3 sleep 0.5 keyup ctrl
slow_growth=$(growth_over 2)
echo "growth in 2 s: $default_growth% of the game area at 16 ms, $slow_growth% after Ctrl+3"
awk -v slow="$slow_growth" -v usual="$default_growth" 'BEGIN { exit !(slow * 3 < usual) }' ||
  fail "Ctrl+3 did not slow the game"

# S finishes the maze: a spanning tree of all rooms opens half the grid's cells.
xdotool key s
finished=0
for _ in $(seq 40); do
  "$check" --grab "$dir/shot.png" || fail "no screenshot after S"
  census "$dir/shot.png"
  if [ "$census_status" -eq 0 ] && [ "${open_percent%.*}" -ge 45 ]; then
    finished=1
    break
  fi
  sleep 0.25
done
[ "$finished" -eq 1 ] || { cat "$dir/census"; fail "S did not finish the maze"; }
echo "S finished the maze: $open_percent% of the game area open"

# A window of another program over the middle of the game, then gone.
if command -v xlogo >/dev/null; then
  xlogo -geometry "$((WIDTH / 2))x$((HEIGHT / 2))+$((X + WIDTH / 4))+$((Y + HEIGHT / 4))" 2>/dev/null &
  passing_pid=$!
  timeout 10 xdotool search --sync --onlyvisible --name '^xlogo$' >/dev/null ||
    fail "the passing window did not show"
  kill "$passing_pid"
  wait "$passing_pid" 2>/dev/null || true
  passing_pid=''
  sleep 0.5
  only_maze "after a window passed over the game"
fi
echo "window test: the title, growth, three dialogs, Ctrl+3, S and a passing window, all clean"
