#!/usr/bin/env bash
# End-to-end test of saves that fail, through the real program: on a full
# file system (a tiny tmpfs, as root) and with the system calls of the save
# made to fail by strace (write EIO and EDQUOT, fdatasync EIO). "Salva
# Record", then "Esci" answered Yes: each time a report of the failure (its
# text is checked by the unit tests), data.txt unchanged byte for byte, and
# the program still running.
#
#   savefailure_e2e.sh PROGRAM OUTPUT_DIR
set -euo pipefail

program=$(realpath "$1")
out=$2

source "$(dirname "$0")/e2e_lib.sh"

# About 4 KB of contacts: below the size of Qt's write buffer.
contacts() {
    for i in $(seq 110); do printf 'Rossi,          Mario,          %04d\r\n' "$i"; done
}

# Saves twice, by "Salva Record" and by "Esci" + Yes, and checks both fail
# cleanly. The program is left running.
saves_fail() { # saves_fail WHAT
    local what=$1 name=${1//[:=]/-}
    window_geometry "$wid"
    menu_h=$((win_h - client_h))
    press_main 2160
    check "$what: Salva Record reports the failure" critical_box '^Rubrio$' "$out/$name-save.png"
    check "$what: data.txt unchanged after Salva Record" cmp -s "$program_dir/data.txt" "$work/before"
    press_main 960 4080
    answer_box '^Chiusura \.\.\.$' y || fatal "$what: no exit question"
    check "$what: Esci + Yes reports the failure" critical_box '^Rubrio$' "$out/$name-exit.png"
    check "$what: data.txt unchanged after Esci + Yes" cmp -s "$program_dir/data.txt" "$work/before"
    check "$what: the program keeps running" kill -0 "$pid"
    # SIGTERM would ask the exit question.
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

contacts >"$work/before"

# A full file system.
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: full file system: mounting a tmpfs needs root"
else
    program_dir="$work/full"
    mkdir "$program_dir"
    mount -t tmpfs -o size=64k tmpfs "$program_dir"
    trap 'umount "$work/full" 2>/dev/null || true; cleanup' EXIT
    cp "$work/before" "$program_dir/data.txt"
    dd if=/dev/zero of="$program_dir/filler" bs=1k 2>/dev/null || true
    start_program full.log
    saves_fail "full file system"
    umount "$program_dir"
fi

# System calls that fail, injected by strace once the window is up, into the
# program's main thread only: the threads that talk to the X server and wake
# the main thread run untouched.
for fault in write:error=EIO write:error=EDQUOT fdatasync:error=EIO; do
    program_dir="$work/${fault//[:=]/-}"
    mkdir "$program_dir"
    cp "$work/before" "$program_dir/data.txt"
    start_program "${fault//[:=]/-}.log"
    strace -qq -o /dev/null -p "$pid" -e trace="${fault%%:*}" -e inject="$fault" &
    for _ in $(seq 50); do
        grep -q '^TracerPid:[[:space:]]*[1-9]' "/proc/$pid/status" && break
        sleep 0.1
    done
    saves_fail "$fault"
done

report
