# xvfb.sh: sourced by the tests that run a real program on a virtual X server.

# start_xvfb DIR SCREEN: starts Xvfb with one screen of SCREEN (WIDTHxHEIGHTxDEPTH) on a display
# number of the server's own choosing, so that parallel runs stay apart; sets xvfb_pid, exports
# DISPLAY, and fails the test when the server does not start. DIR keeps its log.
start_xvfb() {
  local dir=$1 screen=$2
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  [ -s "$dir/display" ] || { echo "FAIL: Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
  export DISPLAY=:$(cat "$dir/display")
}
