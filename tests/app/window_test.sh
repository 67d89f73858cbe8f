#!/usr/bin/env bash
# Starts the window program under a virtual X server, waits for its window "Tesselet", presses
# Esc in it and expects the program to end with status 0.
set -euo pipefail
program="$1"
command -v xdotool >/dev/null || { echo "xdotool is missing (scripts/install-deps installs it)"; exit 1; }
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$config" QT_QPA_PLATFORM=xcb

"$(dirname "$0")/xvfb.sh" bash -c '
  set -u
  "$1" & pid=$!
  window=""
  for _ in $(seq 1 300); do
    window="$(xdotool search --name "^Tesselet\$" 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window appeared"; exit 1; }
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no window titled Tesselet"; kill "$pid"; exit 1; }
  echo "window $window: $(xdotool getwindowname "$window"), $(xdotool getwindowgeometry "$window" | tr "\n" " ")"
  xdotool windowfocus --sync "$window"
  xdotool key Escape
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then echo "Esc did not end the program"; kill "$pid"; exit 1; fi
  wait "$pid"; status=$?
  echo "exit status $status"
  exit "$status"
' window-test "$program"
