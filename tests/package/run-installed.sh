#!/bin/sh
# Runs under xvfb-run in the folder the program is to keep its data in:
# starts PROGRAM, waits for its main window, presses "Salva Record" from the
# keyboard (from the contact list, Tab reaches the scroll bar, then skips the
# disabled "Modifica Record" and lands on "Salva Record"; Space presses it),
# waits for the data file, then ends the program. Prints what it saw as
# key=value lines. Every wait is bounded and the program is always ended.
# Usage: run-installed.sh PROGRAM
set -u
program=$1

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT
echo "pid=$pid"

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Rubrio$' | head -n 1)
echo "window=$window"
if [ -n "$window" ]; then
    echo "name=$(xdotool getwindowname "$window")"
    echo "exe=$(readlink "/proc/$pid/exe")"
    echo "cwd=$(readlink "/proc/$pid/cwd")"
    xdotool windowfocus --sync "$window"
    xdotool key --delay 100 Tab Tab space
    for _ in $(seq 50); do
        [ -e data.txt ] && break
        sleep 0.2
    done
fi

kill "$pid" 2>/dev/null
status=0
wait "$pid" || status=$?
echo "status=$status"
kill -0 "$pid" 2>/dev/null && echo "ended=no" || echo "ended=yes"
