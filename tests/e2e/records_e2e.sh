#!/usr/bin/env bash
# End-to-end test of the record commands, as a person works: adds two
# contacts by typing into the entry dialog, changes one, deletes one with the
# pointer, saves, leaves answering Yes, starts again and checks data.txt byte
# for byte.
#
#   records_e2e.sh PROGRAM OUTPUT_DIR
set -euo pipefail

program=$(realpath "$1")
out=$2

source "$(dirname "$0")/e2e_lib.sh"

printf 'Bianchi,        Carla,          011 22\r\n' >"$work/data.txt"
start_program records1.log
window_geometry "$wid"
menu_h=$((win_h - client_h))

# The entry dialog, which opens beside the main window.
dialog() {
    timeout 10 xdotool search --sync --onlyvisible --name '^Inserimento$' | head -n1
}
type_contact() { # type_contact WINDOW SURNAME NAME NUMBER
    click_in "$1" 2767 307 # LastName
    xdotool type --delay 40 "$2"
    xdotool key Tab
    xdotool type --delay 40 "$3"
    xdotool key Tab
    xdotool type --delay 40 "$4"
}

# "Aggiungi Record", then two contacts through "Aggiungi".
press_main 360
dlg=$(dialog) || fatal "the entry dialog did not open"
xdotool windowfocus --sync "$dlg" 2>/dev/null || true
type_contact "$dlg" Russo Anna "02 55"
click_in "$dlg" 5047 787 # Aggiungi
type_contact "$dlg" Rossi Mario "06 123"
click_in "$dlg" 5047 787
import -window root "$out/added.png"
click_in "$dlg" 5047 1267 # Annulla
sleep 0.5
check "Annulla closes the dialog" test -z "$(xdotool search --onlyvisible --name '^Inserimento$')"
check "adding wrote nothing yet" cmp -s "$work/data.txt" <(printf 'Bianchi,        Carla,          011 22\r\n')

# Letter R lists both, sorted: Rossi above Russo.
click_at 5647 5580 17
import -window root "$out/records-r.png"
mapfile -t rows < <(text_line_rows "$out/records-r.png")
check "letter R lists the two new contacts (saw ${#rows[@]})" test "${#rows[@]}" = 2
[ "${#rows[@]}" = 2 ] || fatal "cannot go on without the two rows"

# Select Rossi, "Modifica Record", change the number, "Aggiorna".
click_list_row "${rows[0]}"
press_main 960
dlg=$(dialog) || fatal "the entry dialog did not open for the change"
xdotool windowfocus --sync "$dlg" 2>/dev/null || true
click_in "$dlg" 2767 1267 # TelNumber
xdotool key ctrl+a
xdotool type --delay 40 "06 999"
click_in "$dlg" 5047 307 # Aggiorna
sleep 0.5
check "Aggiorna closes the dialog" test -z "$(xdotool search --onlyvisible --name '^Inserimento$')"
check "Aggiorna saved at once" cmp -s "$work/data.txt" <(printf '%s\r\n' \
    'Bianchi,        Carla,          011 22' \
    'Russo,          Anna,           02 55' \
    'Rossi,          Mario,          06 999')

# Select Russo (the second row) and "Cancella Record"; then "Salva Record".
import -window root "$out/changed.png"
mapfile -t rows < <(text_line_rows "$out/changed.png")
click_list_row "${rows[1]}"
press_main 1560
import -window root "$out/deleted.png"
check "one contact left under R" test "$(text_lines_in_list "$out/deleted.png")" = 1
press_main 2160

# "Esci", Yes.
press_main 960 4080
leave_answering y
check "the program ends after Yes" test "$ended" = yes
expected=$(printf '%s\r\n' 'Bianchi,        Carla,          011 22' \
    'Rossi,          Mario,          06 999' | od -c)
check "data.txt holds the change and not the deleted contact" \
    test "$(od -c <"$work/data.txt")" = "$expected"

# A fresh start reads it back: R lists the changed contact; Yes writes the
# same bytes again.
start_program records2.log
window_geometry "$wid"
click_at 5647 5580 17
import -window root "$out/restart-r.png"
check "after a restart R lists one contact" test "$(text_lines_in_list "$out/restart-r.png")" = 1
press_main 960 4080
leave_answering y
check "the second run ends" test "$ended" = yes
check "data.txt unchanged byte for byte" test "$(od -c <"$work/data.txt")" = "$expected"

report
