#!/usr/bin/env bash
# cpu_play.sh: plays the game for a fixed time on a virtual 1920 x 1080 X screen, window as large
# as the screen, zoom 1, and reports the CPU time the game process (and the X server) spent per
# second of play. The target is at most 10% of one core at the default 16 ms period.
#
#   bench/cpu_play.sh [PROGRAM] [SECONDS]
#
# PROGRAM defaults to build/app/vennaloop, SECONDS (whole) to 20. Needs Debian's xvfb and xdotool.
# Extra settings through the environment: VENNALOOP_MODE is the key that sets the player walking
# (default w, the explorer; empty for none), CPU_PLAY_SCREEN the screen (default 1920x1080x24).
set -euo pipefail

program=${1:-build/app/vennaloop}
seconds=${2:-20}
mode=${VENNALOOP_MODE-w}
screen=${CPU_PLAY_SCREEN:-1920x1080x24}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "cpu_play: $tool is missing (apt-get install xvfb xdotool)" >&2; exit 2; }
done
[ -x "$program" ] || { echo "cpu_play: no program at $program" >&2; exit 2; }

hz=$(getconf CLK_TCK)
# utime + stime of a process, in clock ticks (fields 14 and 15 of /proc/PID/stat; the command
# name in field 2 may hold spaces, so count from the closing parenthesis).
cpu_ticks() {
  local stat
  stat=$(<"/proc/$1/stat")
  stat=${stat##*) }
  set -- $stat
  echo $(( ${12} + ${13} ))
}
now() { date +%s%N; }  # nanoseconds

display=:$(( 100 + RANDOM % 400 ))
while [ -e "/tmp/.X11-unix/X${display#:}" ]; do display=:$(( 100 + RANDOM % 400 )); done
Xvfb "$display" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
game=
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  sleep 0.2
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

log=$(mktemp)
DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" >"$log" 2>&1 &
game=$!
window=
for _ in $(seq 100); do
  window=$(DISPLAY=$display xdotool search --onlyvisible --pid "$game" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "cpu_play: the game showed no window; its output:" >&2; cat "$log" >&2; exit 1; }

# No window manager runs here, so "maximised" means placed at the origin at the screen's size.
size=${screen%x*}
DISPLAY=$display xdotool windowmove "$window" 0 0 windowsize "$window" "${size%x*}" "${size#*x}"
# The title lasts 59 ticks of 16 ms; give the start-up and the title two seconds.
sleep 2
# Without a window manager xdotool warns about the focus; the keys arrive all the same.
[ -n "$mode" ] && DISPLAY=$display xdotool key --window "$window" "$mode" 2>/dev/null || true
sleep 0.5

start=$(now)
game_start=$(cpu_ticks "$game")
x_start=$(cpu_ticks "$xvfb")
dialogs=0
end=$((start + seconds * 1000000000))
while [ "$(now)" -lt "$end" ]; do
  sleep 0.5
  kill -0 "$game" 2>/dev/null || { echo "cpu_play: the game ended early; its output:" >&2; cat "$log" >&2; exit 1; }
  # A stage that ends puts up its result dialog, which freezes the game: count it, go on.
  count=$(DISPLAY=$display xdotool search --onlyvisible --pid "$game" 2>/dev/null | wc -l || true)
  if [ "${count:-0}" -gt 1 ]; then
    dialogs=$((dialogs + 1))
    dialog=$(DISPLAY=$display xdotool search --onlyvisible --pid "$game" | tail -1)
    DISPLAY=$display xdotool key --window "$dialog" Return 2>/dev/null || true
    [ -n "$mode" ] && DISPLAY=$display xdotool key --window "$window" "$mode" 2>/dev/null || true
  fi
done
elapsed=$(awk -v ns=$(($(now) - start)) 'BEGIN { print ns / 1e9 }')
game_used=$(( $(cpu_ticks "$game") - game_start ))
x_used=$(( $(cpu_ticks "$xvfb") - x_start ))
rm -f "$log"

geometry=$(DISPLAY=$display xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
awk -v g="$game_used" -v x="$x_used" -v hz="$hz" -v t="$elapsed" -v geo="$geometry" -v d="$dialogs" 'BEGIN {
  printf "window %s, %.1f s of play, %d stage result dialog(s)\n", geo, t, d
  printf "game process: %.2f s CPU = %.1f%% of one core\n", g / hz, 100 * g / hz / t
  printf "X server:     %.2f s CPU = %.1f%% of one core\n", x / hz, 100 * x / hz / t
}'
