#!/usr/bin/env bash
# The picture held on the screen by the real window under a virtual X server, at a scale factor:
#   flash_scale_x11.sh PROGRAM FACTOR
# It loads a picture with odd sides through Qt's open dialog, holds "2. Показать картинку" with the
# mouse, and checks from a dump of the screen that its top-left corner holds exactly the picture,
# one picture pixel on one device pixel, with the background right of it and below it: no strip
# of the window beyond the picture, and nothing of the picture left out.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
width=37 height=23

if [ "${FLASH_INSIDE:-}" != 1 ]; then
  program="$1" factor="$2"
  for tool in xdotool xwd python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/home" "$work/config" "$work/runtime"
  chmod 700 "$work/runtime"
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
  export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$factor" LANG=C.UTF-8
  unset LC_ALL LC_MESSAGES LANGUAGE QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING
  python3 "$here/screen.py" picture "$work/picture.png" "$width" "$height"
  # A white background: a black strip of the window beyond the picture would show against it.
  FLASH_INSIDE=1 XVFB_SCREEN=1600x1200x24 XVFB_OPTIONS=-wr "$here/xvfb.sh" "$0" "$program" "$work"
  exit 0
fi

program="$1" work="$2"
pid=""
fail() {
  echo "FAILED (scale $QT_SCALE_FACTOR): $*"
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}

# The id of the visible window titled exactly $1 (see window_scenario.sh).
find_window() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
  done
  return 1
}
wait_window() {
  for _ in $(seq 1 300); do
    find_window "$1" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
corner() {
  xwd -root -silent >"$work/screen.xwd" || { echo "no screen dump"; return 0; }
  python3 "$here/screen.py" exact "$work/screen.xwd" "$width" "$height"
}

"$program" &
pid=$!
window="$(wait_window Tesselet)" || fail "no window titled Tesselet"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The buttons' centres from the layout in 1/1440 inch, the window 3795 wide (window_scenario.sh).
px() { echo $(((($1) * WIDTH + 3795 / 2) / 3795)); }
button_x=$((X + $(px 120) + $(px 3555) / 2))
button_y() { echo $((Y + $(px "$1") + $(px 495) / 2)); }

xdotool mousemove --sync "$button_x" "$(button_y 120)" click 1
dialog="$(wait_window Открыть)" || fail "no open dialog"
xdotool windowfocus --sync "$dialog"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 10 "$work/picture.png"
for _ in 1 2 3 4; do
  xdotool key Return
  sleep 0.5
  find_window Открыть >/dev/null || break
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
done
find_window Открыть >/dev/null && fail "the open dialog did not take the picture"

# Held with the mouse; the button is enabled once the picture is loaded, so the press is retried.
xdotool mousemove --sync "$button_x" "$(button_y 720)"
result=""
for _ in $(seq 1 8); do
  xdotool mousedown 1
  for _ in $(seq 1 5); do
    result="$(corner)"
    [ "$result" = exact ] && break 2
    sleep 0.1
  done
  xdotool mouseup 1
done
[ "$result" = exact ] || fail "the screen's corner while the button is held: $result"
xdotool mouseup 1
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "passed (scale $QT_SCALE_FACTOR): ${width}x$height device pixels at the corner, exactly"
