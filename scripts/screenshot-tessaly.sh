#!/usr/bin/env bash
# Screenshots of the real Tessaly main window with a worked example typed in, taken under
# a virtual X server: an advanced document at the default and at the minimum window
# size, and an alternative document.
#   scripts/screenshot-tessaly.sh [output folder]      (default: build/screenshots)
# BUILD_DIR chooses the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out=${1:-$build/screenshots}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tessaly_ui_screenshot --parallel 2
# A throw-away home, so the suite folder and settings file of the user stay untouched.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$out"
out=$(cd "$out" && pwd)
HOME="$home" XDG_DOCUMENTS_DIR="$home/Documents" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/tessaly_ui_screenshot" "$out"
