#!/usr/bin/env bash
# End-to-end test of the main window: starts the built program in a
# temporary directory holding a data.txt, under Xvfb with the real xcb
# platform plugin, drives it with the pointer and the keyboard, and checks
# the window, the screen and data.txt afterwards.
#
#   atel_e2e.sh PROGRAM OUTPUT_DIR
#
# Screenshots are left in OUTPUT_DIR. Fails when a tool, platform plugin or
# font the program needs is missing.
set -euo pipefail

program=$(realpath "$1")
out=$2

source "$(dirname "$0")/e2e_lib.sh"

# ---------------------------------------------------------------------------
# 1. No window manager: choose a letter, leave through "Esci", answer Yes.

# LF line ends: a save rewrites them as CR LF.
printf '%s\n' \
    'Rossi,          Mario,         02 7' \
    'Abate,          Anna,          06 1' \
    'Russo,          Luca,          011 5' \
    'Bianchi,        Sara,          3' \
    'Ricci,          Ugo,           0471 22' >"$work/data.txt"

start_program run1.log
window_geometry "$wid"
menu_h=$((win_h - client_h))
check "caption is Rubrio" test "$(xdotool getwindowname "$wid")" = "Rubrio"
check "client area at 2550, 1755 twips (got $win_x, $((win_y + menu_h)))" \
    test "$win_x,$((win_y + menu_h))" = "$client_x,$client_y"
check "client area 7485 twips wide (got $win_w)" test "$win_w" = "$client_w"
check "menu bar above the client area (height $menu_h)" test "$menu_h" -gt 10 -a "$menu_h" -lt 40
check "only the main window is shown" \
    test "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" = 1

sleep 0.5
import -window root "$out/start.png"
read -r lx ly <<<"$(at 2500 4000)"
check "light yellow list" test "$(pixel "$out/start.png" "$lx" "$ly")" = "srgb(255,255,192)"
read -r gx gy <<<"$(at 6600 3060)"
check "grey Label1" test "$(pixel "$out/start.png" "$gx" "$gy")" = "srgb(128,128,128)"
red=$(red_pixels_in_letter_strip "$out/start.png")
check "red letters beside the scroll bar ($red pixels)" test "$red" -gt 100
lines=$(text_lines_in_list "$out/start.png")
check "letter A lists one contact (saw $lines)" test "$lines" = 1

# Down arrow of the scroll bar, 17 times: A -> R.
click_at 5647 5580 17
import -window root "$out/letter-r.png"
lines=$(text_lines_in_list "$out/letter-r.png")
check "letter R lists three contacts (saw $lines)" test "$lines" = 3

# Select the first contact; the list highlights it.
click_at 1500 450
import -window root "$out/selected.png"

# "Esci", then the exit question: Yes.
click_at 6667 5287
leave_answering y
check "the program ends after Yes" test "$ended" = yes
wait "$pid" && status=0 || status=$?
check "exit status 0 (got $status)" test "$status" = 0
expected=$(printf '%s\r\n' \
    'Rossi,          Mario,          02 7' \
    'Abate,          Anna,           06 1' \
    'Russo,          Luca,           011 5' \
    'Bianchi,        Sara,           3' \
    'Ricci,          Ugo,            0471 22' | od -c)
check "Yes saved the table with CR LF" test "$(od -c <"$work/data.txt")" = "$expected"

# ---------------------------------------------------------------------------
# 2. Scale factor 2 on this 1024 x 768 screen (512 x 384 in Qt's pixels): the
#    windows described for an ordinary screen do not fit at their places.
#    Each moves just enough to fit, and a window taller than the screen
#    starts at its top.

printf '%s\n' 'Rossi,          Mario,         02 7' >"$work/data.txt"
QT_SCALE_FACTOR=2 start_program run-scaled.log
sleep 0.5
window_geometry "$wid"
check "scaled: the main window ends at the right edge of the screen (got $win_x + $win_w)" \
    test $((win_x + win_w)) = 1024
check "scaled: the main window taller than the screen starts at its top (got $win_y)" \
    test "$win_y" = 0
import -window root "$out/scaled.png"
# "Aggiungi Record", at twice the pixels.
xdotool mousemove $((win_x + 2 * 6667 / 15)) $((win_y + win_h - 2 * (5700 - 627) / 15)) click 1
dlg=$(timeout 10 xdotool search --sync --onlyvisible --name '^Inserimento$' | head -n1) ||
    fatal "scaled: the entry dialog did not open"
sleep 0.5
window_geometry "$dlg"
check "scaled: the entry dialog fits the screen (got $win_x, $win_y, $win_w x $win_h)" \
    test $((win_x + win_w)) -le 1024 -a $((win_y + win_h)) -le 768 -a "$win_x" -ge 0 -a "$win_y" -ge 0
check "scaled: the entry dialog moved only as far as it must (got $win_x + $win_w, $win_y + $win_h)" \
    test $((win_x + win_w)) = 1024 -a $((win_y + win_h)) = 768
import -window root "$out/scaled-dialog.png"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true

# ---------------------------------------------------------------------------
# 3. Under a window manager: the close box, answered No, leaves data.txt as
#    it was, byte for byte.

printf '%s\n' 'Rossi,          Mario,         02 7' 'zeta minuscola' >"$work/data.txt"
cp "$work/data.txt" "$work/before.txt"
openbox --sm-disable >"$out/openbox.log" 2>&1 &
pids+=("$!")
# On a busy machine openbox can take seconds to start.
for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fatal "openbox did not start"

start_program run2.log
sleep 0.5
window_geometry "$wid"
menu_h=$((win_h - client_h))
check "under openbox the client area is still at 2550, 1755 twips (got $win_x, $((win_y + menu_h)))" \
    test "$win_x,$((win_y + menu_h))" = "$client_x,$client_y"
import -window root "$out/openbox.png"

# "Aggiungi Record": the entry dialog's client area opens at 3225, 4395
# twips, frame or no frame.
click_at 6667 627
dlg=$(timeout 10 xdotool search --sync --onlyvisible --name '^Inserimento$' | head -n1) ||
    fatal "the entry dialog did not open"
sleep 0.5
window_geometry "$dlg"
check "under openbox the entry dialog's client area is at 3225, 4395 twips (got $win_x, $win_y)" \
    test "$win_x,$win_y" = "215,293"
check "the entry dialog's client area is 5580 x 1545 twips (got $win_w x $win_h)" \
    test "$win_w,$win_h" = "372,103"
import -window root "$out/openbox-dialog.png"
click_in "$dlg" 5047 1267 # Annulla
window_geometry "$wid"

xdotool windowactivate --sync "$wid"
xdotool key --clearmodifiers alt+F4
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Chiusura \.\.\.$' | head -n1) ||
    fatal "no exit question after the close box"
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key --clearmodifiers Return # the default answer, No
ended=no
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || { ended=yes; break; }
    sleep 0.1
done
check "the program ends after No" test "$ended" = yes
check "No left data.txt as it was" cmp -s "$work/data.txt" "$work/before.txt"

# ---------------------------------------------------------------------------
# 4. A screen reader's view, read from outside the program on the AT-SPI bus:
#    the keyboard moves the letter selector to R, then a contact is stored.

printf '%s\r\n' \
    'Rossi,          Mario,         02 7' \
    'Abate,          Anna,          06 1' \
    'Russo,          Luca,          011 5' \
    'Ricci,          Ugo,           0471 22' >"$work/data.txt"
command -v dbus-run-session >/dev/null || fatal "dbus-run-session is not installed"
test -x /usr/libexec/at-spi-bus-launcher || fatal "at-spi2-core is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fatal "python3-pyatspi is not installed"
dbus-run-session -- bash "$(dirname "$0")/atspi_run.sh" "$program" "$work" "$out/run-atspi.log" \
    >"$out/atspi.txt" 2>"$out/atspi.err" || true
heard_as_expected() {
    diff -u "$(dirname "$0")/atel_atspi.expected" "$out/atspi.txt" >"$out/atspi.diff"
}
check "a screen reader hears the letters, the list and the stored contact (see $out/atspi.diff)" \
    heard_as_expected

report
