#!/usr/bin/env bash
# Checks a built package without installing it: extracts it into a temporary
# root, then starts the program from there as an unprivileged user (nobody,
# with a home of its own) under a private Xvfb with the demo camera. The
# program folder is not that user's to write, so the settings and the data
# folders must land in the user's XDG folders, and nothing in the program
# folder may change.
# Usage: packaging/check-package.sh orvilo_<version>_<arch>.deb
set -euo pipefail
deb=$(realpath "$1")
work=$(mktemp -d /tmp/orvilo-package-XXXXXX)
xvfb=""
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package check FAILED: $*"; exit 1; }

chmod 755 "$work"
dpkg -x "$deb" "$work/root"
folder="$work/root/opt/orvilo"
for file in Vexmar_Orvilo Sonara_PC_App_M ARViewer VxmMjpeg.so libLEXIQ.so libPalenPublicAPI.so libSONARA_M.so \
            libVxRuntime.so Sonara_M_DB AR; do
  [ -e "$folder/$file" ] || fail "$file missing in /opt/orvilo"
done
for file in usr/share/applications/orvilo.desktop usr/share/applications/orvilo-speech-editor.desktop \
            usr/share/icons/hicolor/256x256/apps/orvilo.png; do
  [ -f "$work/root/$file" ] || fail "$file missing"
done
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$work/root/usr/share/applications/"*.desktop || fail "desktop entries"
fi
touch "$work/stamp"

home="$work/home"
runtime="$work/runtime"
mkdir -p "$home" "$runtime"
chown nobody:nogroup "$home" "$runtime"
chmod 700 "$runtime"

exec 3> "$work/display"
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 > "$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
display=":$(head -1 "$work/display")"

setpriv --reuid=nobody --regid=nogroup --clear-groups \
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$runtime" DISPLAY="$display" QT_QPA_PLATFORM=xcb \
  ORVILO_AUDIO_OUT=null "$folder/Vexmar_Orvilo" --demo-camera > "$work/program.log" 2>&1 &
program=$!

settings="$home/.config/orvilo/QEL-3.ini"
for _ in $(seq 200); do [ -f "$settings" ] && break; sleep 0.1; done
[ -f "$settings" ] || { cat "$work/program.log"; fail "no settings file in ~/.config/orvilo"; }
kill -0 "$program" 2> /dev/null || { cat "$work/program.log"; fail "the program ended early"; }
for data in Image Video STRQelOutput; do
  [ -d "$home/.local/share/orvilo/$data" ] || fail "no $data folder in ~/.local/share/orvilo"
done
grep -q "ImageFolder=$home/.local/share/orvilo/Image" "$settings" || fail "ImageFolder does not name the user's folder"

# Ended as a logout ends it: the shutdown's settings reach the user's file
# (saved through a new file, so it is another inode afterwards).
sleep 2
before=$(stat -c %i "$settings")
kill -TERM "$program"
for _ in $(seq 100); do kill -0 "$program" 2> /dev/null || break; sleep 0.1; done
kill -0 "$program" 2> /dev/null && fail "the program did not end on SIGTERM"
wait "$program" || true
program=""
[ "$(stat -c %i "$settings")" != "$before" ] || fail "the shutdown wrote no settings"
grep -q "FULLSCREEN=FALSE" "$settings" || fail "the shutdown's settings are not in the user's file"
changed=$(find "$work/root" -newer "$work/stamp" | head -5)
[ -z "$changed" ] || fail "the program changed its folder: $changed"
echo "package check passed: $(basename "$deb") runs from /opt/orvilo as nobody, settings in ~/.config/orvilo"
