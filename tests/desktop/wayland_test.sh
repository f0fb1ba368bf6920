#!/usr/bin/env bash
# wayland_test.sh: runs the real program under a headless Weston with the pixman renderer, which
# honours alpha as a desktop compositor does, and checks on screenshots that the maze fills the
# game area. A picture the window system takes as transparent shows as an empty window here.
#
#   wayland_test.sh PROGRAM SHOT_CHECK
set -euo pipefail
. "$(dirname "$0")/../need_tools.sh"

program=$1 check=$2
tries=30  # screenshots, one a second: past the title and a few seconds of growth

need_tools weston weston-screenshooter

dir=$(mktemp -d)
weston_pid='' game_pid=''
cleanup() {
  # Weston's own clients hold the test's output open until it is gone: it must not outlive us.
  for pid in $game_pid $weston_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A private runtime directory and socket, so parallel runs and a real session stay apart.
mkdir -m 700 "$dir/runtime" "$dir/shots"
export XDG_RUNTIME_DIR=$dir/runtime
export WAYLAND_DISPLAY=vennaloop-test-$$
unset DISPLAY

# --debug offers the screenshooter protocol to any client.
timeout 300 weston --backend=headless-backend.so --use-pixman --debug --no-config \
  --width=1024 --height=768 --socket="$WAYLAND_DISPLAY" --log="$dir/weston.log" &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]; then
  echo "FAIL: weston did not start"
  cat "$dir/weston.log"
  exit 1
fi

QT_QPA_PLATFORM=wayland timeout 300 "$program" >"$dir/game.log" 2>&1 &
game_pid=$!

for try in $(seq "$tries"); do
  sleep 1
  if ! kill -0 "$game_pid" 2>/dev/null; then
    echo "FAIL: the game ended on its own"
    cat "$dir/game.log"
    exit 1
  fi
  rm -f "$dir"/shots/*.png
  (cd "$dir/shots" && timeout 20 weston-screenshooter) || { echo "FAIL: no screenshot"; exit 1; }
  shot=$(ls "$dir"/shots/*.png 2>/dev/null | head -n 1)
  [ -n "$shot" ] || { echo "FAIL: weston-screenshooter wrote no file"; exit 1; }
  if "$check" "$shot"; then
    echo "the maze fills the game area under Weston's pixman renderer (screenshot $try)"
    exit 0
  fi
done
echo "FAIL: no screenshot in $tries showed the maze"
cat "$dir/game.log"
exit 1
