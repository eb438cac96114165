#!/bin/sh
# Makes the screenshot the software-centre description names: the main window
# with four contacts under A, as the installed program draws it under a real
# X server (Xvfb, no window manager), without the offscreen platform.
#
#   take.sh PROGRAM OUTPUT.png
#
# Run again after a change to the window: take.sh build-release/src/app/rubrio
# packaging/screenshots/main-window.png. Needs xvfb, xauth, xdotool and
# imagemagick.
set -eu

program=$(realpath "$1")
output=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%s\r\n' \
    'Alberti,        Anna,           02 5550123' \
    'Amato,          Bruno,          06 5550456' \
    'Angelini,       Davide,         055 5550321' \
    'Arena,          Carla,          011 5550789' >"$work/data.txt"

cat >"$work/shoot.sh" <<'SHOOT'
set -eu
cd "$1"
"$2" &
pid=$!
trap 'kill -KILL "$pid" 2>/dev/null' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Rubrio$' | head -n 1)
# Until the first paint is on the screen.
sleep 1
import -window "$window" "$3"
SHOOT

env -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24" \
    sh "$work/shoot.sh" "$work" "$program" "$work/shot.png"
# A picture without the time it was taken, so the same window gives the
# same file.
convert "$work/shot.png" -strip "$output"
