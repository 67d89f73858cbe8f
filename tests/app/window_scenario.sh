#!/usr/bin/env bash
# The window program as a user drives it, under a virtual X server, in one language:
#   window_scenario.sh PROGRAM CONVERTER ru|C|en
# It loads a picture through Qt's open dialog, shows it on the screen while the mouse holds
# "2. Показать картинку" and while Space is held (with Tab pressed during the hold), saves the three
# pages through the save dialog and compares each with the converter's page of the same picture.
# The dialogs' titles, Qt's words, must be in the run's language.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

if [ "${SCENARIO_INSIDE:-}" != 1 ]; then
  program="$1" converter="$2" language="$3"
  for tool in xdotool xwd python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  case "$language" in
    ru) locale=ru_RU.UTF-8 ;;
    C) locale=C ;;
    en) locale=en_US.UTF-8 ;;
    *) echo "unknown language $language"; exit 2 ;;
  esac
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/home" "$work/config" "$work/runtime" "$work/in" "$work/out" "$work/expected"
  chmod 700 "$work/runtime"
  # A home and remembered folders of this run only; the language from LANG alone.
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
  export QT_QPA_PLATFORM=xcb SCENARIO_LOCALE="$locale"
  unset LC_ALL LC_MESSAGES LANGUAGE
  python3 "$here/screen.py" picture "$work/in/picture.png"
  # The converter's pages, from the same start-up files beside the programs.
  LANG="$locale" "$converter" --quiet --out-dir "$work/expected" "$work/in/picture.png"
  status=0
  SCENARIO_INSIDE=1 "$here/xvfb.sh" "$0" "$program" "$work" "$language" || status=$?
  exit "$status"
fi

program="$1" work="$2" language="$3"
if [ "$language" = en ]; then
  open_title="Open" save_title="Save As"
else
  open_title="Открыть" save_title="Сохранить как"
fi
box_title="Korvane - Tesselet"
pid=""

fail() {
  echo "FAILED ($language): $*"
  [ -n "${SCENARIO_KEEP_SCREEN:-}" ] && cp "$work/screen.xwd" "$SCENARIO_KEEP_SCREEN" 2>/dev/null
  xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | sed 's/^/  window: /' || true
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}

# The id of the visible window titled exactly $1, if there is one. Titles are compared as the
# UTF-8 bytes of _NET_WM_NAME: xdotool's own --name matching reads them through the C locale.
find_window() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
      echo "$id"
      return 0
    fi
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

wait_closed() {
  for _ in $(seq 1 300); do
    find_window "$1" >/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Whether the picture is at ($1, $2) of the screen, as far as a box of $3 x $4 there shows it.
picture_at() {
  xwd -root -silent >"$work/screen.xwd" 2>"$work/screen.why" || { echo "no screen dump"; return 0; }
  python3 "$here/screen.py" at "$work/screen.xwd" "$@" 2>"$work/screen.why"
}

# Waits until picture_at says $1 for the box $2..; false when it never does.
wait_picture() {
  local want="$1"
  shift
  for _ in $(seq 1 "${tries:-100}"); do
    [ "$(picture_at "$@")" = "$want" ] && return 0
    sleep 0.1
  done
  return 1
}

# Types a path into the file dialog titled $1, which has the keyboard, and accepts it with Enter.
choose_in_dialog() {
  local title="$1" path="$2" dialog
  dialog="$(wait_window "$title")" || fail "no dialog titled \"$title\""
  xdotool windowfocus --sync "$dialog"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 10 "$path"
  xdotool key Return
  # The name's completion list may take the first Enter.
  for _ in 1 2 3; do
    wait_closed "$title" && return 0
    xdotool windowfocus --sync "$dialog" 2>/dev/null && xdotool key Return
  done
  fail "the dialog \"$title\" did not take $path"
}

# The language from LANG alone, for the program only: the shell and the tools keep theirs.
LANG="$SCENARIO_LOCALE" "$program" &
pid=$!
window="$(wait_window Tesselet)" || fail "no window titled Tesselet"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The layout is in 1/1440 inch and the window 3795 wide: the buttons' centres in pixels.
px() { echo $(((($1) * WIDTH + 3795 / 2) / 3795)); }
button_x=$((X + $(px 120) + $(px 3555) / 2))
button_y() { echo $((Y + $(px "$1") + $(px 495) / 2)); }
click() {
  xdotool mousemove --sync "$button_x" "$(button_y "$1")" click 1
}

# Load, through Qt's own open dialog.
click 120
choose_in_dialog "$open_title" "$work/in/picture.png"

# Shown while the mouse holds the button, gone once it lets go. The button is enabled once the
# picture is loaded, which may take a moment: a press on it while disabled does nothing, so the
# press is tried again.
xdotool mousemove --sync "$button_x" "$(button_y 720)"
held=""
for _ in $(seq 1 20); do
  xdotool mousedown 1
  tries=10 wait_picture shown 0 0 40 24 && { held=1; break; }
  xdotool mouseup 1
done
[ -n "$held" ] || fail "holding the show button with the mouse: $(cat "$work/screen.why")"
xdotool mouseup 1
wait_picture absent 0 0 40 24 || fail "the picture stays after the mouse let go"

# Shown while Space is held; a Tab during the hold moves the focus on, and the release still takes
# the picture away.
xdotool windowfocus --sync "$window"
xdotool keydown space
wait_picture shown 0 0 40 24 || fail "holding Space: $(cat "$work/screen.why")"
xdotool key Tab
xdotool keyup space
wait_picture absent 0 0 40 24 || fail "the picture stays after Space was released (Tab during the hold)"

# The three pages through the save dialog, each the converter's page byte for byte.
for page in "span 1320" "table 1920" "div 2520"; do
  set -- $page
  style="$1" top="$2"
  target="$work/out/picture.$style.htm"
  xdotool windowfocus --sync "$window"
  click "$top"
  choose_in_dialog "$save_title" "$target"
  box="$(wait_window "$box_title")" || fail "no message after saving the $style page"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  wait_closed "$box_title" || fail "Enter did not close the message after the $style page"
  [ -f "$target" ] || fail "no $style page at $target"
  cmp "$target" "$work/expected/picture.$style.htm" ||
    fail "the window's $style page differs from the converter's"
done

xdotool windowfocus --sync "$window"
xdotool key Escape
for _ in $(seq 1 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Esc did not end the program"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "passed ($language)"
