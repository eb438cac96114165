#!/usr/bin/env bash
# The command line as a user runs it, with no display: exit statuses, the
# report, data.txt after each run, the round trip through a vCard file, the
# vCard written read back by an independent reader, python3-vobject, and the
# contacts --find finds, by the table the Find dialog's test also runs.
#
#   commandline.sh PROGRAM SAMPLES_DIR FIND_DIR
set -uo pipefail

program=$(realpath "$1")
samples=$(realpath "$2")
find_data=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what"
        sed 's/^/  stdout: /' "$work/out"
        sed 's/^/  stderr: /' "$work/err"
    fi
}

# run DIR ARGS...: the program in DIR without a display; sets status.
run() {
    local dir=$1
    shift
    (cd "$dir" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@") \
        >"$work/out" 2>"$work/err"
    status=$?
}
folder() { # folder NAME [DATA_TXT_LINES...]: a fresh folder, with data.txt when lines are given
    local dir="$work/$1"
    shift
    mkdir -p "$dir"
    [ $# -gt 0 ] && printf '%s\r\n' "$@" | iconv -f UTF-8 -t WINDOWS-1252 >"$dir/data.txt"
    echo "$dir"
}
data_is() { # data_is DIR LINES...: data.txt holds exactly these lines
    cmp -s "$1/data.txt" <(shift; printf '%s\r\n' "$@" | iconv -f UTF-8 -t WINDOWS-1252)
}
out_is() { cmp -s "$work/out" <(printf '%s\n' "$@"); }
err_has() { grep -q -- "$1" "$work/err"; }

# Options.
d=$(folder options)
run "$d" --help
check "--help: status 0" test $status = 0
check "--help: in Italian, every option" cmp -s "$work/out" "$(dirname "$0")/help.txt"
run "$d" --version
check "--version" out_is "Rubrio 1.0.0"
for args in "--bogus" "--dry-run" "--import a.vcf --export b.vcf" "--export b.vcf extra" \
    "--find a --export b.vcf" "--find a --find b" "--find" "--help-all" "--find a --menu"; do
    # shellcheck disable=SC2086
    run "$d" $args
    check "$args: status 2 and a message" test $status = 2 -a -s "$work/err"
done
check "no data.txt appeared" test ! -e "$d/data.txt"

# Import into an empty folder: every card in (0), some left out (1), a dry run.
d=$(folder all-in)
run "$d" --import "$samples/cr-only.vcf"
check "all cards in: status 0" test $status = 0
check "all cards in: report" out_is "Importati 3 contatti da $samples/cr-only.vcf." \
    "Scheda 1 (riga 1, Nicolò Cafè): testo non UTF-8 letto come Windows-1252."
check "all cards in: data.txt" data_is "$d" "Cafè,           Nicolò,         0471 55" \
    "Müller,         Jürgen,         089 1234" "D’Amico,        Renée,          06 99"
d=$(folder dry-run)
run "$d" --dry-run --import "$samples/android21.vcf"
check "dry run: status 1" test $status = 1
check "dry run: report" out_is \
    "Prova: si importerebbero 2 contatti da $samples/android21.vcf; data.txt non è stato modificato." \
    "Scheda 1 (riga 1, André Nicolò): altri numeri non importati: 06 5551234, 02 7654321." \
    "Scheda 3 (riga 20, Mamma): non importata. Manca il Cognome."
check "dry run: no data.txt" test ! -e "$d/data.txt"
d=$(folder some-out "Rossi,          Mario,          06 123")
run "$d" --import "$samples/android21.vcf"
check "cards left out: status 1" test $status = 1
check "cards left out: added after the lines there" data_is "$d" \
    "Rossi,          Mario,          06 123" "Nicolò,         André,          +39 333 1234567" \
    "Ferrari,        Gianluca Maria, 347 0001112"

# Errors: nothing changes.
d=$(folder errors "Rossi,          Mario,          06 123")
cp "$d/data.txt" "$work/before"
truncate -s 17M "$d/big.vcf"
for file in missing.vcf data.txt big.vcf; do
    run "$d" --import "$file"
    check "import $file: status 2, data.txt unchanged" test $status = 2 -a -s "$work/err"
    check "import $file: data.txt unchanged" cmp -s "$d/data.txt" "$work/before"
done
for file in out.txt no/such/folder/out.vcf; do
    run "$d" --export "$file"
    check "export $file: status 2" test $status = 2 -a ! -e "$d/$file"
done
d=$(folder nothing-to-export)
run "$d" --export out.vcf
check "export without data.txt: status 2, nothing written" test $status = 2 -a ! -e "$d/out.vcf"
d=$(folder unreadable)
mkdir "$d/data.txt"
run "$d" --import "$samples/cr-only.vcf"
check "unreadable data.txt: import status 2" test $status = 2
run "$d" --export out.vcf
check "unreadable data.txt: export status 2" test $status = 2 -a ! -e "$d/out.vcf"
run "$d" --find Rossi
check "unreadable data.txt: find status 2" test $status = 2 -a -s "$work/err"

# A save that fails leaves data.txt as it was. Root ignores permissions, so
# then the program runs as nobody.
d=$(folder read-only "Rossi,          Mario,          06 123")
cp "$samples/cr-only.vcf" "$d/in.vcf"
chmod 444 "$d/data.txt"
chmod 555 "$d"
if [ "$(id -u)" = 0 ]; then
    chmod 755 "$work"
    cp "$program" "$work/rubrio"
    (cd "$d" && exec setpriv --reuid=65534 --regid=65534 --clear-groups env -u DISPLAY \
        "$work/rubrio" --import in.vcf) >"$work/out" 2>"$work/err"
    status=$?
else
    run "$d" --import in.vcf
fi
check "failed save: status 2, a message" test $status = 2 -a -s "$work/err"
check "failed save: data.txt unchanged" data_is "$d" "Rossi,          Mario,          06 123"
chmod 755 "$d"

# Round trip: export, then import into an empty folder, gives the same
# table; data.txt's lines beyond the table's 1001 are exported too.
table=("Rossi,          Mario,          06 123"
    "Dell'Acqua,     Zoë Œlla,       06 1, int. 2;3 \\ €"
    "Abcdefghijklmno,Anna;Maria\\Pia, +39 $(printf '0123456789 %.0s' {1..7})fine"
    "Bianchi,        Anna,           02 55")
d=$(folder round-trip "${table[@]}")
run "$d" --export out.vcf
check "export: status 0, report" out_is "Esportati 4 contatti in out.vcf."
e=$(folder round-trip-back)
run "$e" --import "$d/out.vcf"
check "import of the export: status 0" test $status = 0
check "import of the export: the same data.txt" cmp -s "$d/data.txt" "$e/data.txt"
run "$d" --export out.csv
check "CSV" cmp -s "$d/out.csv" <(printf '%s\r\n' "Cognome,Nome,Telefono" "Rossi,Mario,06 123" \
    "Dell'Acqua,Zoë Œlla,\"06 1, int. 2;3 \\ €\"" \
    "Abcdefghijklmno,Anna;Maria\\Pia,+39 $(printf '0123456789 %.0s' {1..7})fine" \
    "Bianchi,Anna,02 55")

# The vCard written, read by python3-vobject: every field back, and the
# file's form (no byte-order mark, CR LF only, lines of at most 75 octets).
check "python3-vobject reads the export" cmp -s <(/usr/bin/python3 - "$d/out.vcf" <<'PY' 2>&1
import sys, vobject
data = open(sys.argv[1], 'rb').read()
assert not data.startswith(b'\xef\xbb\xbf'), 'byte-order mark'
assert b'\n' not in data.replace(b'\r\n', b''), 'line end other than CR LF'
assert all(len(l) <= 75 for l in data.split(b'\r\n')), 'line over 75 octets'
for card in vobject.readComponents(data.decode('utf-8'), validate=True):
    assert not card.tel.params, 'TEL with parameters: voice is the default'
    print('|'.join([card.version.value, card.n.value.family, card.n.value.given, card.fn.value,
                    card.tel.value]))
PY
) <(printf '%s\n' "3.0|Rossi|Mario|Mario Rossi|06 123" \
    "3.0|Dell'Acqua|Zoë Œlla|Zoë Œlla Dell'Acqua|06 1, int. 2;3 \\ €" \
    "3.0|Abcdefghijklmno|Anna;Maria\\Pia|Anna;Maria\\Pia Abcdefghijklmno|+39 $(printf '0123456789 %.0s' {1..7})fine" \
    "3.0|Bianchi|Anna|Anna Bianchi|02 55")

# And by the terminal address book, abook: each full name with its number.
# abook keeps vCard's escapes and does not join folded lines, so it gets
# contacts without commas, semicolons, backslashes or long numbers.
d=$(folder abook "Rossi,          Mario,          06 123" "Russo,          Nicolò,         333 123 4" \
    "Bianchi,        Anna,           (02) 55.12-34")
run "$d" --export out.vcf
HOME=$work abook --convert --informat vcard --infile "$d/out.vcf" --outformat abook \
    --outfile "$work/abook.out" >"$work/out" 2>"$work/err"
check "abook reads the export's names and numbers" cmp -s \
    <(sed -n 's/^\(name\|phone\)=//p' "$work/abook.out") "$(dirname "$0")/abook-export.txt"

d=$(folder over-capacity)
for i in $(seq 1003); do printf 'Rossi,          Mario,          %s\r\n' "$i"; done >"$d/data.txt"
cp "$d/data.txt" "$work/before"
run "$d" --export out.vcf
check "export of 1003 lines: every one" test "$(grep -c '^BEGIN:VCARD' "$d/out.vcf")" = 1003
# The list shows the table's 1001; the lines kept aside beyond it are not found.
run "$d" --find 1001
check "find the table's last contact" test $status = 0
check "find the table's last contact: it alone" out_is "Rossi Mario 1001"
run "$d" --find 1003
check "find a contact kept aside: nothing, status 1" test $status = 1 -a ! -s "$work/out"
run "$d" --import "$samples/cr-only.vcf"
check "import into a full table: status 1, data.txt unchanged" \
    test $status = 1 -a "$(grep -c "pieno" "$work/out")" = 3
check "import into a full table: data.txt unchanged" cmp -s "$d/data.txt" "$work/before"

# From the menu entry (--menu first): the phone book in $XDG_DATA_HOME/rubrio
# (~/.local/share/rubrio without it), the folder created; a data.txt that
# earlier versions left in the home folder stays in use there.
menu() { # menu HOME XDG_DATA_HOME ARGS...: run from $work; an empty XDG_DATA_HOME is unset
    local home=$1 xdg=$2
    shift 2
    (cd "$work" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_DATA_HOME \
        HOME="$home" ${xdg:+XDG_DATA_HOME="$xdg"} "$program" --menu "$@") \
        >"$work/out" 2>"$work/err"
    status=$?
}
h=$(folder menu-home)
menu "$h" "$work/xdg" --import "$samples/cr-only.vcf"
check "menu: status 0" test $status = 0
check "menu: data.txt in XDG_DATA_HOME/rubrio, nowhere else" \
    test -s "$work/xdg/rubrio/data.txt" -a ! -e "$h/data.txt" -a ! -e "$work/data.txt"
menu "$h" "" --import "$samples/cr-only.vcf"
check "menu without XDG_DATA_HOME: ~/.local/share/rubrio" \
    test $status = 0 -a -s "$h/.local/share/rubrio/data.txt" -a ! -e "$h/data.txt"
h=$(folder menu-earlier "Rossi,          Mario,          06 123")
menu "$h" "$work/xdg-earlier" --find rossi
check "menu, ~/data.txt there: it is used" out_is "Rossi Mario 06 123"
check "menu, ~/data.txt there: no other folder made" test ! -e "$work/xdg-earlier"
h=$(folder menu-blocked)
touch "$work/not-a-folder"
menu "$h" "$work/not-a-folder" --import "$samples/cr-only.vcf"
check "menu, data folder cannot be made: said, home folder used" \
    test $status = 0 -a -s "$work/err" -a -s "$h/data.txt"

# Find: each row of the matching rules (name|text|contacts found, in list
# order), status 0 when something is found, 1 when nothing is.
d=$(folder find)
cp "$find_data/contacts.txt" "$d/data.txt"
while IFS='|' read -r -a row; do
    { [ ${#row[@]} -eq 0 ] || [[ ${row[0]} == '#'* ]]; } && continue
    run "$d" --find "${row[1]-}"
    if [ ${#row[@]} -gt 2 ]; then
        check "find, ${row[0]}: status 0" test $status = 0
        check "find, ${row[0]}: the contacts" out_is "${row[@]:2}"
    else
        check "find, ${row[0]}: status 1, nothing printed" test $status = 1 -a ! -s "$work/out"
    fi
done <"$find_data/cases.txt"
check "find changed no data.txt" cmp -s "$d/data.txt" "$find_data/contacts.txt"

echo "$passed passed, $failed failed"
[ $failed = 0 ]
