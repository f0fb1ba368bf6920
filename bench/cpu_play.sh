#!/usr/bin/env bash
# cpu_play.sh: plays the game on virtual X screens, window as large as the screen, zoom 1, the
# explorer walking, and reports the CPU time the game process and the X server spend per second
# of play, for each way frames reach the screen, in the same run:
#   full     every frame rendered and flushed whole, as the game once drew: the benchmark's own
#            build of the program, build/bench/vennaloop_whole_frames (the game has no such path)
#   bands    the changed cells redrawn, the rows they touch flushed: the game itself
# Each is played RUNS times, interleaved, and the medians are reported. Targets: at most 4% of a
# core for the game at 1920 x 1080 and 12% at 3840 x 2160, at least 3 times less than "full" at
# 3840 x 2160, and the X server no busier than with "full".
#
#   bench/cpu_play.sh [PROGRAM] [SECONDS]
#
# PROGRAM defaults to build/app/vennaloop, SECONDS (whole, per play) to 10. Needs Debian's xvfb and
# xdotool. Settings through the environment: CPU_PLAY_SCREENS (default "1920x1080 3840x2160"),
# CPU_PLAY_FRAMES (default "full bands"), CPU_PLAY_RUNS (default 5), CPU_PLAY_WHOLE_FRAMES the
# baseline program (default build/bench/vennaloop_whole_frames), VENNALOOP_MODE the key that sets
# the player walking (default w, the explorer; empty for none).
set -euo pipefail

program=${1:-build/app/vennaloop}
seconds=${2:-10}
mode=${VENNALOOP_MODE-w}
screens=${CPU_PLAY_SCREENS:-1920x1080 3840x2160}
ways=${CPU_PLAY_FRAMES:-full bands}
runs=${CPU_PLAY_RUNS:-5}
whole=${CPU_PLAY_WHOLE_FRAMES:-build/bench/vennaloop_whole_frames}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "cpu_play: $tool is missing (apt-get install xvfb xdotool)" >&2; exit 2; }
done
[ -x "$program" ] || { echo "cpu_play: no program at $program" >&2; exit 2; }
case " $ways " in
  *" full "*) [ -x "$whole" ] || { echo "cpu_play: no baseline program at $whole" \
                "(cmake --build build --target vennaloop_whole_frames)" >&2; exit 2; } ;;
esac

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

xvfb= game=
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  sleep 0.2
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  game= xvfb=
}
trap cleanup EXIT

# play SCREEN FRAMES: one play; prints "GAME_PERCENT X_PERCENT DIALOGS".
play() {
  local screen=$1 frames=$2 display log window size start game_start x_start end count dialog
  local played=$program
  [ "$frames" = full ] && played=$whole
  display=:$(( 100 + RANDOM % 400 ))
  while [ -e "/tmp/.X11-unix/X${display#:}" ]; do display=:$(( 100 + RANDOM % 400 )); done
  Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

  log=$(mktemp)
  DISPLAY=$display QT_QPA_PLATFORM=xcb "$played" >"$log" 2>&1 &
  game=$!
  window=
  for _ in $(seq 100); do
    window=$(DISPLAY=$display xdotool search --onlyvisible --pid "$game" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "cpu_play: the game showed no window; its output:" >&2; cat "$log" >&2; exit 1; }

  # No window manager runs here, so "maximised" means placed at the origin at the screen's size.
  DISPLAY=$display xdotool windowmove "$window" 0 0 windowsize "$window" "${screen%x*}" "${screen#*x}"
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
  awk -v g=$(( $(cpu_ticks "$game") - game_start )) -v x=$(( $(cpu_ticks "$xvfb") - x_start )) \
      -v hz="$hz" -v t=$(($(now) - start)) -v d="$dialogs" \
      'BEGIN { printf "%.2f %.2f %d\n", 100 * g / hz / (t / 1e9), 100 * x / hz / (t / 1e9), d }'
  rm -f "$log"
  cleanup
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

results=$(mktemp) line=$(mktemp)
for screen in $screens; do
  for run in $(seq "$runs"); do
    for frames in $ways; do
      play "$screen" "$frames" >"$line"  # not in a subshell, so the trap knows what to stop
      echo "$screen $frames $(<"$line")" | tee -a "$results" >&2
    done
  done
done
rm -f "$line"
echo "medians of $runs plays of $seconds s, explorer walking, zoom 1, 16 ms period:"
printf '%-10s %-6s %12s %12s\n' screen frames "game %core" "X %core"
for screen in $screens; do
  for frames in $ways; do
    g=$(awk -v s="$screen" -v f="$frames" '$1 == s && $2 == f { print $3 }' "$results" | median)
    x=$(awk -v s="$screen" -v f="$frames" '$1 == s && $2 == f { print $4 }' "$results" | median)
    printf '%-10s %-6s %12s %12s\n' "$screen" "$frames" "$g" "$x"
  done
done
rm -f "$results"
