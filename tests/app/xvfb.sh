#!/usr/bin/env bash
# Runs a command under a virtual X server of its own and ends the server afterwards:
#   xvfb.sh COMMAND [ARGUMENT...]
# The server picks a display number no other server holds (-displayfd: it tries the numbers in
# turn and takes the first whose lock it wins), says which once it accepts connections, and the
# command starts only after a client has connected to it. xvfb-run -a guesses a free number first
# and starts the server after, so two runs at once could guess the same one.
set -euo pipefail
for tool in Xvfb xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps installs it)"; exit 1; }
done

scratch="$(mktemp -d)"
server=""
finish() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap finish EXIT

# A pipe rather than a file: reading it waits for the number instead of polling for it.
mkfifo "$scratch/display"
# XVFB_OPTIONS adds the server's own options (-wr: a white background instead of black).
# shellcheck disable=SC2086
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" ${XVFB_OPTIONS:-} -nolisten tcp -noreset \
  3>"$scratch/display" 2>"$scratch/server.log" &
server=$!
number=""
if ! read -r -t 60 number <"$scratch/display" || [ -z "$number" ]; then
  echo "the virtual X server did not start:"
  cat "$scratch/server.log"
  exit 1
fi
export DISPLAY=":$number"
unset XAUTHORITY

for _ in $(seq 1 100); do
  xdpyinfo >/dev/null 2>&1 && break
  kill -0 "$server" 2>/dev/null || { echo "the virtual X server on $DISPLAY ended:"; cat "$scratch/server.log"; exit 1; }
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "the virtual X server on $DISPLAY does not answer"; exit 1; }

status=0
"$@" || status=$?
exit "$status"
