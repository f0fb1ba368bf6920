#!/usr/bin/env bash
# x11_test.sh: runs the real program on Qt's xcb platform under Xvfb, an X server without a
# compositor as many X11 desktops are, and checks on the server's own screenshots that the game
# area holds nothing but the maze's five colours: after the title, after a dialog has opened and
# closed, and after another window has been mapped over the game and unmapped. A pixel the
# window left stale (a letter of the title, a piece of a dialog) shows as another colour.
#
#   x11_test.sh PROGRAM SHOT_CHECK
set -euo pipefail
. "$(dirname "$0")/../xvfb.sh"
. "$(dirname "$0")/../need_tools.sh"

program=$1 check=$2

need_tools Xvfb xdotool xlogo

dir=$(mktemp -d)
xvfb_pid='' game_pid='' passing_pid=''
cleanup() {
  for pid in $passing_pid $game_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

start_xvfb "$dir" 1280x800x24
unset WAYLAND_DISPLAY

mkdir -m 700 "$dir/runtime"
export XDG_RUNTIME_DIR=$dir/runtime
QT_QPA_PLATFORM=xcb "$program" >"$dir/game.log" 2>&1 &
game_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vennaloop$' | head -n 1) ||
  { echo "FAIL: no window"; cat "$dir/game.log"; exit 1; }
# No window manager: the frame is the window, and the game area lies inside the window's sunken
# client edge and the view's, 2 pixels each.
eval "$(xdotool getwindowgeometry --shell "$window")"
area=("$((X + 4))" "$((Y + 4))" "$((WIDTH - 8))" "$((HEIGHT - 8))")
xdotool windowfocus --sync "$window"

# Exits 0 when the game area shows only the maze, 1 when not; while the title phase lasts
# (status 3) it looks again.
only_maze() {
  local moment=$1 status
  for try in $(seq 60); do
    kill -0 "$game_pid" 2>/dev/null || { echo "FAIL: the game ended $moment"; cat "$dir/game.log"; exit 1; }
    "$check" --grab "$dir/shot.png" || { echo "FAIL: no screenshot $moment"; exit 1; }
    status=0
    "$check" --only-maze "$dir/shot.png" "${area[@]}" >"$dir/census" || status=$?
    case $status in
      0) cat "$dir/census"; echo "only the maze's colours $moment"; return 0 ;;
      3) sleep 0.5 ;;
      *) cat "$dir/census"; echo "FAIL: other colours in the game area $moment"
         [ -n "${VENNALOOP_SHOTS:-}" ] && cp "$dir/shot.png" "$VENNALOOP_SHOTS"
         exit 1 ;;
    esac
  done
  cat "$dir/census"; echo "FAIL: the maze did not grow $moment"
  exit 1
}

# Waits until the program shows COUNT windows.
program_windows() {
  local count=$1
  for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | wc -l)" -eq "$count" ] && return 0
    sleep 0.1
  done
  echo "FAIL: the program did not come to $count visible windows"
  exit 1
}

only_maze "after the title"

xdotool key v
program_windows 2
xdotool key Escape
program_windows 1
sleep 0.5
only_maze "after the about box"

# A window of another program over the middle of the game, then gone.
xlogo -geometry "$((WIDTH / 2))x$((HEIGHT / 2))+$((X + WIDTH / 4))+$((Y + HEIGHT / 4))" 2>/dev/null &
passing_pid=$!
timeout 10 xdotool search --sync --onlyvisible --name '^xlogo$' >/dev/null ||
  { echo "FAIL: the passing window did not show"; exit 1; }
kill "$passing_pid"
wait "$passing_pid" 2>/dev/null || true
passing_pid=''
sleep 0.5
only_maze "after a window passed over the game"
