#!/bin/sh
# Runs under xvfb-run: starts Rubrio with COMMAND (the program itself, or a
# launcher that starts it and returns), waits for its main window, presses
# "Salva Record" from the keyboard (from the contact list, Tab reaches the
# scroll bar, then skips the disabled "Modifica Record" and lands on "Salva
# Record"; Space presses it), waits for the data file in the program's
# folder, then ends the program with SIGTERM, which asks the exit question,
# answered No. Prints what it saw as key=value lines. Every wait is bounded
# and the program is always ended.
# Usage: run-installed.sh COMMAND [ARGUMENT...]
set -u

"$@" &
launcher=$!
pid=
trap 'kill -KILL "$launcher" ${pid:+"$pid"} 2>/dev/null' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Rubrio$' | head -n 1)
echo "window=$window"
if [ -n "$window" ]; then
    pid=$(xdotool getwindowpid "$window")
    echo "pid=$pid"
    echo "name=$(xdotool getwindowname "$window")"
    echo "exe=$(readlink "/proc/$pid/exe")"
    cwd=$(readlink "/proc/$pid/cwd")
    echo "cwd=$cwd"
    xdotool windowfocus --sync "$window"
    xdotool key --delay 100 Tab Tab space
    for _ in $(seq 50); do
        [ -e "$cwd/data.txt" ] && break
        sleep 0.2
    done
    kill "$pid" 2>/dev/null
    box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Chiusura \.\.\.$' | head -n 1)
    echo "question=$box"
    if [ -n "$box" ]; then
        xdotool windowfocus --sync "$box" 2>/dev/null
        for _ in $(seq 50); do
            [ "$(xdotool getwindowfocus)" = "$box" ] && break
            sleep 0.1
        done
        sleep 0.2
        xdotool key n
    fi
    ended=no
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || { ended=yes; break; }
        sleep 0.1
    done
    echo "ended=$ended"
fi
