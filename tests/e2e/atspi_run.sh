#!/usr/bin/env bash
# Runs inside a D-Bus session of its own (dbus-run-session): starts the
# accessibility bus, then the program with Qt's AT-SPI bridge on, and prints
# what atspi_events.py reads from that bus while it drives the program.
#
#   atspi_run.sh PROGRAM WORK_DIR LOG
set -euo pipefail

program=$1
work=$2
log=$3
here=$(dirname "$0")

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$log.bus" 2>&1 &
bus=$!
(cd "$work" && exec env -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 LANGUAGE= \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program") >"$log" 2>&1 &
pid=$!
trap 'kill -KILL "$pid" "$bus" 2>/dev/null || true' EXIT
wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^Rubrio$' | head -n1)
xdotool windowactivate --sync "$wid"
/usr/bin/python3 "$here/atspi_events.py" Rubrio
