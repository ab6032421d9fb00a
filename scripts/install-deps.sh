#!/usr/bin/env bash
# Installs every Debian package Orvilo needs to build, run and test.
# Idempotent: only packages that are missing are installed. Works as root or through sudo.
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config git ccache clang libclang-rt-14-dev
  # toolkit
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  # media pipeline
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-tools
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav
  # camera controls and snapshot button
  linux-libc-dev libevdev-dev
  # OCR
  libtesseract-dev libleptonica-dev tesseract-ocr tesseract-ocr-eng tesseract-ocr-kor
  # speech and audio
  libespeak-ng-dev espeak-ng libsamplerate0-dev libasound2-dev alsa-utils
  # fonts standing in for "Arial", "굴림", "굴림체"
  fonts-liberation2 fonts-nanum fontconfig
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev libturbojpeg0-dev libjpeg62-turbo-dev libjpeg-turbo-progs
  xvfb xauth x11-utils xdotool sox libsndfile1-dev
  # the lesson tour's test: its JSON report and the recording it leaves
  jq gstreamer1.0-plugins-base-apps
  # reading exported PDFs back (pdftotext, pdftoppm, pdfinfo)
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: missing packages (${missing[*]}) and neither root nor sudo is available" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
