# Shared by the end-to-end scripts: sourced after setting "program" and
# "out". Re-runs the calling script under Xvfb, checks the tools and fonts,
# and offers helpers to start the program, find its windows, click at twips
# positions and read the screen.
# shellcheck shell=bash

if [ -z "${RUBRIO_E2E_DISPLAY:-}" ]; then
    for tool in xvfb-run xauth xdotool xwininfo xprop import convert openbox fc-list; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
    done
    exec xvfb-run -a -s "-screen 0 1024x768x24" env RUBRIO_E2E_DISPLAY=1 bash "$0" "$program" "$out"
fi

mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.log
work=$(mktemp -d)
pids=()
cleanup() {
    # SIGKILL: SIGTERM would ask the exit question.
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

CHECK_VERBOSE=1
source "$(dirname "${BASH_SOURCE[0]}")/../support/check.sh"
fatal() {
    echo "FAIL: $*"
    echo "$passed passed, $((failed + 1)) failed"
    exit 1
}

# Fonts the windows are drawn in: without them captions no longer fit.
for family in "Liberation Sans" "Liberation Mono"; do
    fc-list : family | grep -qx "$family" || fatal "font $family is not installed"
done

# The window's description, in pixels (twips / 15).
client_x=170 # 2550
client_y=117 # 1755
client_w=499 # 7485
client_h=380 # 5700

# Starts the program in the folder $program_dir (default: $work).
start_program() { # start_program LOG -> sets pid, wid
    (cd "${program_dir:-$work}" && exec env -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 LANGUAGE= "$program") \
        >"$out/$1" 2>&1 &
    pid=$!
    pids+=("$pid")
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Rubrio$' | head -n1) ||
        { cat "$out/$1"; fatal "the main window did not appear"; }
}

# Geometry of the window's client part (below the title bar, menu bar
# included) as the X server reports it.
window_geometry() { # -> sets win_x win_y win_w win_h
    local info
    info=$(xwininfo -id "$1")
    win_x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
    win_y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
    win_w=$(awk '/Width:/ {print $NF}' <<<"$info")
    win_h=$(awk '/Height:/ {print $NF}' <<<"$info")
}

# Screen position of a point given in twips in the client area.
at() { # at X_TWIPS Y_TWIPS -> "x y"
    echo "$((win_x + ($1 + 7) / 15)) $((win_y + menu_h + ($2 + 7) / 15))"
}

click_at() { # click_at X_TWIPS Y_TWIPS [REPEAT]
    # shellcheck disable=SC2046
    xdotool mousemove $(at "$1" "$2") click --repeat "${3:-1}" --delay 80 1
    sleep 0.3
}

pixel() { # pixel IMAGE X Y -> srgb(r,g,b)
    convert "$1" -format "%[pixel:p{$2,$3}]" info:
}

# Rows, from the top of the list's inside, where a drawn text line starts:
# rows that hold a dark pixel, taken in runs.
text_line_rows() { # IMAGE
    local x=$((win_x + 4)) y=$((win_y + menu_h + 26)) w=330 h=334
    convert "$1" -crop "${w}x${h}+${x}+${y}" +repage -colorspace Gray -threshold 50% \
        -scale "1x${h}!" -depth 8 txt:- |
        awk -F'[(),]' 'NR > 1 { dark = ($4 + 0) < 255; if (dark && !prev) print $2 + 0; prev = dark }'
}

# Number of text lines drawn in the list.
text_lines_in_list() { # IMAGE
    text_line_rows "$1" | wc -l
}

# A click on the text line of the list that starts at ROW (text_line_rows).
click_list_row() { # click_list_row ROW
    xdotool mousemove $((win_x + 100)) $((win_y + menu_h + 26 + $1 + 4)) click 1
    sleep 0.3
}

# A click at a point given in twips in the client area of another window
# without a menu bar, such as the entry dialog.
click_in() { # click_in WINDOW X_TWIPS Y_TWIPS
    local info x y
    info=$(xwininfo -id "$1")
    x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
    xdotool mousemove $((x + ($2 + 7) / 15)) $((y + ($3 + 7) / 15)) click 1
    sleep 0.3
}

# A button of the main window: of the "Records" frame (5880, 20) by default,
# or of the frame whose top is FRAME_TOP (the lower one is at 4080).
press_main() { # press_main TOP_IN_FRAME [FRAME_TOP]
    click_at $((5880 + 120 + 667)) $((${2:-20} + $1 + 247))
}

# The first window other than the main window with the caption TITLE, once
# one shows (a message box may share the main window's caption).
box_named() { # box_named TITLE_REGEX
    local box
    for _ in $(seq 100); do
        box=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "$wid" | head -n1) || true
        [ -n "$box" ] && { echo "$box"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits until the box has the keyboard focus, which the program gives it once
# it is ready for keys; keys are then typed as on the keyboard.
focus_box() { # focus_box WINDOW
    for _ in $(seq 50); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && break
        sleep 0.1
    done
    sleep 0.2
}

# Presses KEY in the message box with the caption TITLE once it shows.
answer_box() { # answer_box TITLE_REGEX KEY
    local box
    box=$(box_named "$1") || return 1
    focus_box "$box"
    xdotool key "$2"
}

# Waits for the message box with the caption TITLE, saves its picture as
# IMAGE and closes it with Return. Succeeds when it shows the critical icon
# (a red disc), as a report of a failure does.
critical_box() { # critical_box TITLE_REGEX IMAGE
    local box red
    box=$(box_named "$1") || return 1
    focus_box "$box"
    import -window "$box" "$2"
    red=$(convert "$2" -fx "r > 0.7 && g < 0.3 && b < 0.3" -format "%[fx:round(mean * w * h)]" info:)
    xdotool key Return
    # The main window takes clicks again once the box has gone.
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -qx "$box" || break
        sleep 0.1
    done
    [ "$red" -gt 100 ]
}

# Answers the exit question with KEY and waits for the program to end.
leave_answering() { # leave_answering KEY -> sets ended
    answer_box '^Chiusura \.\.\.$' "$1" || fatal "no exit question"
    ended=no
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || { ended=yes; break; }
        sleep 0.1
    done
}

# Pixels of the letter strip that are dark red.
red_pixels_in_letter_strip() { # IMAGE
    local x=$((win_x + 352)) y=$((win_y + menu_h + 24))
    convert "$1" -crop "10x345+${x}+${y}" +repage -fx "r > 0.5 && g < 0.3 && b < 0.3" \
        -format "%[fx:round(mean * w * h)]" info:
}

