#!/usr/bin/env bash
# Runs a command against a private Xvfb display that lives as long as the command:
#   scripts/with-xvfb.sh build/test/editor_window_tests
# Never display :0: JUCE connects there when DISPLAY is unset, so any other test program would
# attach to this server and die when it stops. A display number already taken makes Xvfb exit,
# and the next random one is tried. When no server starts, the command does not run and this
# fails. The server never resets: by default it does when its last client disconnects, and a
# program that connects again at that moment is refused.
set -uo pipefail

fifo="$(mktemp -u)"
server=""
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; wait 2>/dev/null; rm -f "$fifo"' EXIT

display=""
for _ in $(seq 20); do
    rm -f "$fifo"
    mkfifo "$fifo"
    candidate=$((10 + RANDOM % 1000))
    Xvfb ":$candidate" -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
    server=$!
    read -r display <"$fifo" || display=""
    [ -n "$display" ] && break
    wait "$server" 2>/dev/null
    server=""
done

if [ -z "$display" ]; then
    echo "with-xvfb.sh: Xvfb did not start" >&2
    exit 1
fi

DISPLAY=":$display" "$@"
