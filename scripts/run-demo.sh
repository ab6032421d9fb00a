#!/usr/bin/env bash
# Starts the staged program (dist/) with the built-in demo camera.
# With a desktop session it opens as a normal window. Without a display it
# runs on Qt's VNC platform instead, so it can be seen from any VNC viewer.
set -euo pipefail
cd "$(dirname "$0")/.."
program=dist/Vexmar_Orvilo
if [ ! -x "$program" ]; then
  echo "run-demo: $program is missing; run 'make demo' from the top of the tree" >&2
  exit 1
fi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" --demo-camera "$@"
fi
port=${ORVILO_VNC_PORT:-5900}
cat <<MSG
run-demo: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
  Orvilo now runs on a virtual screen served over VNC: connect a VNC viewer
  to $(hostname):$port (for example 'vncviewer $(hostname):$port').
  To get a real window instead, run 'make demo' in a desktop session, or
  log in with 'ssh -X' so that DISPLAY is set. Press Ctrl-C to stop.
MSG
export QT_QPA_PLATFORM="vnc:size=1280x1024:port=$port"
exec "$program" --demo-camera "$@"
