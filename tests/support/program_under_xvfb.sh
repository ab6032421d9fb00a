# Shared set-up of the tests that run a program under a real X server.
# Source it, then call the functions; both expect `work` to name a fresh
# temporary folder that the caller removes.

# A private copy of the program folder in $work/program (settings and data
# folders are written beside the program; nothing is left from earlier runs)
# and a private runtime folder (the single-instance lock). Headless sound.
copy_program_folder() {
  local source_folder=$1
  mkdir -p "$work/program" "$work/runtime"
  cp -a "$source_folder/." "$work/program/"
  rm -rf "$work/program/Image" "$work/program/Video" "$work/program/STRQelOutput" "$work/program/QEL-3.ini"
  chmod 700 "$work/runtime"
  export XDG_RUNTIME_DIR="$work/runtime"
  unset QT_QPA_PLATFORM
  export ORVILO_AUDIO_OUT=null
}

# An X server of its own on a free display, exported as DISPLAY once it
# answers. -noreset: by default the server resets when its last client
# leaves (here the readiness probe) and refuses connections meanwhile.
start_xvfb() {
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" > "$work/xvfb.log" 2>&1 &
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
  export DISPLAY=":$(tr -d '[:space:]' < "$work/display")"
  xdpyinfo > /dev/null 2>&1 || { echo "FAIL: Xvfb on $DISPLAY does not answer"; cat "$work/xvfb.log"; exit 1; }
}

# wait_for_window <pid> <name pattern>: prints the first visible window of
# that name, waited for up to 10 s; fails at once when the program ended.
wait_for_window() {
  local pid=$1 name=$2 found=""
  for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1 || true)
    [ -n "$found" ] && { echo "$found"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
