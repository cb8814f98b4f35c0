#!/usr/bin/env bash
# End-to-end run of the real program in a real X window: an operator's first session, driven only
# through the X server with xdotool. It assembles a part file from the toolbox, drags blocks on the
# panel, saves, lets Headsmith write a header with an opening file copied in, and exits. The part
# file, Headsmith's variables file and stacker.ini are then compared byte for byte with the files
# under expected/.
#
#   tests/e2e/run.sh [path/to/cvstacker [session]]
#
# The session "first" (the default) is the one above. The session "keyboard" is driven by the
# keyboard alone once the part file is named: it adds four lines with Alt+M and Alt+J, Tabs onto the
# panel, reorders with Ctrl+Down, deletes a line, undoes the deletion and saves with Ctrl+S. It adds
# one more line, presses Ctrl+Q and Escape on the exit question (the program must stay), then
# Ctrl+Q and No; the part file, without that last line, is then compared byte for byte with
# expected/Keys.cvp.
#
# The session "toolpath" starts the program on a part file named on the command line, on a first run,
# opens View > Toolpath with the keyboard, finds the program's square drawn in the view, opens and
# closes File > Print's preview with Ctrl+P and Escape, and writes a header twice.
#
# The session "resume" starts the program on a loop of three passes that calls a called file of
# 2,000,000 lines (a run of some seconds), opens View > Toolpath, clicks two blocks and finds the
# toolpath's highlight on the side each one cuts, then chooses File > Save a copy to resume from this
# line: the progress box of the long run comes up and Escape cancels it, nothing else is asked. Once
# the call is deleted, the copy of the clicked line asks which pass; the third is chosen and the copy
# must name the clicked line and set the variables of the third pass.
#
# The session "carve" starts the program on a part file whose header gives the blank, its thickness and
# a V bit, opens View > Toolpath, chooses Carved in the dock's view box with the mouse, and finds the
# groove the program cuts in the picture: rows across the view run over the blank's untouched top,
# then the groove's walls, wider than any drawn line, then the top again.
#
# Screenshots of every step go to $E2E_SHOTS (default build/e2e-shots). The program runs from a
# fresh copy in a fresh program folder with a fresh home folder, under its own Xvfb server.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)

if [ "${E2E_INNER:-}" != 1 ]; then
    app=${1:-$repo/build/debug/app/cvstacker}
    [ -x "$app" ] || { echo "e2e: no program at $app (build it first)" >&2; exit 2; }
    for tool in xvfb-run xauth xdotool xwininfo import convert cmp diff; do
        command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (scripts/setup.sh installs it)" >&2; exit 2; }
    done
    export E2E_APP=$(realpath "$app")
    export E2E_SESSION=${2:-first}
    export E2E_SHOTS=$(realpath -m "${E2E_SHOTS:-$repo/build/e2e-shots}")
    export E2E_INNER=1
    # Display numbers from 50 (70 for the keyboard session, which may run at the same time) up, so
    # as not to meet each other or the servers of interactive sessions.
    first_display=50
    [ "$E2E_SESSION" = keyboard ] && first_display=70
    [ "$E2E_SESSION" = toolpath ] && first_display=90
    [ "$E2E_SESSION" = resume ] && first_display=110
    [ "$E2E_SESSION" = carve ] && first_display=130
    for attempt in 1 2; do
        export E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/cvstacker-e2e.XXXXXX")
        status=0
        xvfb-run -a -n "$first_display" -s "-screen 0 1280x1024x24" "$here/run.sh" || status=$?
        # Status 3: the new X server could not be reached at all, which happens when a server that
        # just ended on the same number takes the new one's socket with it. That is the machine's
        # trouble, not the program's: once more, on other numbers.
        [ "$status" -eq 3 ] && [ "$attempt" -eq 1 ] || break
        echo "e2e: the X server could not be reached; once more with a fresh one" >&2
        rm -rf "$E2E_WORK"
        first_display=$((first_display + 10))
    done
    if [ "$status" -eq 0 ]; then
        rm -rf "$E2E_WORK"
    else
        echo "e2e: FAILED (exit $status); work folder kept at $E2E_WORK, screenshots in $E2E_SHOTS" >&2
    fi
    exit "$status"
fi

# ---- Inside the X server ----------------------------------------------------------------------

work=$E2E_WORK
shots=$E2E_SHOTS
export HOME=$work/home
program=$work/program
session=$E2E_SESSION
part="$HOME/cvparts/Sign Blank.cvp"
[ "$session" = keyboard ] && part="$HOME/cvparts/Keys.cvp"
[ "$session" = toolpath ] && part="$HOME/cvparts/square.cvp"
[ "$session" = resume ] && part="$HOME/cvparts/passes.cvp"
[ "$session" = carve ] && part="$HOME/cvparts/groove.cvp"
opening="$HOME/cvparts/shop/start.cvp"

mkdir -p "$HOME/cvparts/shop" "$program" "$work/runtime"
chmod 700 "$work/runtime"
mkdir -p "$shots"
rm -f "$shots"/*.png
cp "$E2E_APP" "$program/"
cp "$(dirname "$E2E_APP")/head_smithfaq.txt" "$program/"
# The opening file Headsmith copies into the header. Its lines end in CR LF, in a bare LF and in
# nothing at all; copied in, each must end in CR LF.
printf "' Opening moves\r\nJZ, 1\nMH" >"$opening"

export XDG_RUNTIME_DIR=$work/runtime
# The per-user settings (stacker.ini among them) go under the fresh home folder, wherever the caller's went.
export XDG_CONFIG_HOME=$HOME/.config
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANG=C.UTF-8
# In a sanitizer build, leaks inside system libraries are not the program's.
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI SESSION_MANAGER

step=0
app_pid=

log() { printf 'e2e: %s\n' "$*" >&2; }

# A screenshot of the whole screen; with a window id also a copy cropped to that window.
shot() {
    step=$((step + 1))
    local file
    file="$shots/$(printf '%02d' "$step")-$1.png"
    import -window root "$file"
    if [ -n "${2:-}" ]; then
        local X Y WIDTH HEIGHT SCREEN WINDOW
        eval "$(xdotool getwindowgeometry --shell "$2")"
        convert "$file" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "${file%.png}.window.png"
    fi
}

fail() {
    log "FAIL: $*"
    shot failure || true
    log "windows on the screen:"
    xdotool search --onlyvisible --name . 2>/dev/null | while read -r w; do
        log "  $w '$(xdotool getwindowname "$w" 2>/dev/null)'"
    done
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    log "program output:"
    sed 's/^/    /' "$work/app.log" >&2 || true
    grep -q 'could not connect to display' "$work/app.log" 2>/dev/null && exit 3
    exit 1
}

alive() {
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended unexpectedly"
}

. "$(dirname "$0")/xdriver.sh"

wait_gone() {
    local id=$1 timeout=${2:-30}
    local deadline=$((SECONDS + timeout))
    while [ "$SECONDS" -lt "$deadline" ]; do
        xdotool getwindowname "$id" >/dev/null 2>&1 || return 0
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || return 0
        sleep 0.2
    done
    fail "window $id ('$(xdotool getwindowname "$id" 2>/dev/null)') did not close within ${timeout}s"
}

# Without a window manager nobody hands the keyboard back when a dialog closes: take it explicitly.
typed() {
    xdotool type --delay 40 -- "$1"
    sleep 0.2
}

# Replaces the whole text of the focused box.
retype() {
    keys ctrl+a
    typed "$1"
}

click() {
    xdotool mousemove --sync "$1" "$2"
    sleep 0.1
    xdotool click 1
    sleep 0.2
}

# The main window's fixed client area is 827 x 635 under the menu bar; the toolbox frame is at its
# left, the panel's viewport starts at 96 + its 2-pixel frame.
main=
main_x=0
main_y=0
menu_h=0
locate_main() {
    main=$(wait_window 'Corvane Part File Stacker')
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    [ "$WIDTH" -eq 827 ] || fail "main window is $WIDTH wide, expected 827"
    main_x=$X
    main_y=$Y
    # The menu bar's height: the panel's white viewport starts 2 pixels (its frame) below it. Read
    # from the screen, since a status bar below the client area makes the window's height no guide.
    local first_white
    first_white=$(import -window root -crop "1x120+$((X + 400))+$Y" txt:- 2>/dev/null |
        awk -F'[,:]' '!found && /#FFFFFF/ { print $2; found = 1 }')
    [ -n "$first_white" ] || fail "no panel found in the main window"
    menu_h=$((first_white - 2))
    panel_x=$((main_x + 98))
    panel_y=$((main_y + menu_h + 2))
}

# A toolbox button by its top and height inside the frame (the buttons are 57 wide at 16).
toolbox() {
    focus "$main"
    click $((main_x + 16 + 28)) $((main_y + menu_h + $1 + $2 / 2))
}

# Drags a block: press at panel (x, y), move in small steps to panel y2, release.
drag_block() {
    local x=$(( panel_x + $1 )) y=$(( panel_y + $2 )) y2=$(( panel_y + $3 ))
    xdotool mousemove --sync "$x" "$y"
    sleep 0.3
    xdotool mousedown 1
    sleep 0.3
    local step=4
    [ "$y2" -lt "$y" ] && step=-4
    local cy=$y
    while [ $(( (y2 - cy) * step )) -gt 0 ]; do
        cy=$((cy + step))
        [ $(( (y2 - cy) * step )) -lt 0 ] && cy=$y2
        xdotool mousemove "$x" "$cy"
        sleep 0.03
    done
    sleep 0.3
    xdotool mouseup 1
    sleep 0.4
}

# A command dialog: wait for it, type into its boxes in tab order, press Done with Space.
# Arguments: title pattern, then one argument per Tab stop: text to type (replacing the box's text),
# "-" to leave the box, "[x]" to tick a check box. Done is the stop after the last argument.
dialog() {
    local title=$1
    shift
    local id
    id=$(wait_window "$title")
    focus "$id"
    local first=1
    for field in "$@"; do
        [ "$first" -eq 1 ] || keys Tab
        first=0
        case "$field" in
        -) ;;
        "[x]") keys space ;;
        *) retype "$field" ;;
        esac
    done
    keys Tab
    echo "$id"
}

# Presses the focused Done of a dialog and waits until it is gone.
press_done() {
    keys space
    wait_gone "$1"
}

start_program() {
    log "program folder $program, home $HOME"
    (cd "$work" && exec "$program/cvstacker" "$@" >"$work/app.log" 2>&1) &
    app_pid=$!
}

# The Save dialog that names the part file: the path typed in, then Return. With a name, a
# screenshot of the filled dialog first.
name_part_file() {
    local save
    save=$(wait_window 'Select a name for the Part File that you will be assembling\.')
    focus "$save"
    retype "$part"
    [ -z "${1:-}" ] || shot "$1" "$save"
    keys Return
    wait_gone "$save"
}

# After an exit with the work saved: the program must end without asking "Save all your hard
# work?", and with status 0. Argument: how the exit was asked for, for the messages.
wait_exit() {
    local deadline=$((SECONDS + 30)) q
    while kill -0 "$app_pid" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end after $1"
        if q=$(xdotool search --onlyvisible --name '^Save\?\?\?$' 2>/dev/null | tail -n 1) && [ -n "$q" ]; then
            shot unexpected-question
            focus "$q"
            keys alt+n
            fail "$1 asked 'Save all your hard work?' although the work was saved"
        fi
        sleep 0.2
    done
    wait "$app_pid" || fail "the program ended with status $?"
    app_pid=
}

differ=0
compare() {
    local name=$1 actual=$2
    local expected=$work/expected-$name
    # The only run-dependent text is the home folder, which appears in the remembered paths.
    sed "s|@HOME@|$HOME|g" "$here/expected/$name" >"$expected"
    if [ ! -f "$actual" ]; then
        log "MISSING: $actual"
        differ=1
    elif cmp -s "$expected" "$actual"; then
        log "same: $name"
    else
        log "DIFFERS: $name ($actual)"
        diff -u --label "expected/$name" --label "$actual" <(cat -A "$expected") <(cat -A "$actual") >&2 || true
        differ=1
    fi
}
# ---- The keyboard session ------------------------------------------------------------------------

# The panel has the keyboard when its dotted focus frame shows left of the current block (the
# blocks' own rims start three pixels further right).
panel_has_keyboard() {
    import -window root -crop "2x600+$((panel_x + 16))+$panel_y" txt:- 2>/dev/null | grep -c '#000000' >/dev/null
}

keyboard_session() {
    start_program
    local gs d q i
    gs=$(wait_window 'Get started')
    focus "$gs"
    keys space
    name_part_file
    locate_main
    focus "$main"

    # Four lines: moves with Alt+M and jogs with Alt+J, alternately.
    for i in 1 2 3 4; do
        if [ $((i % 2)) -eq 1 ]; then
            keys alt+m
            d=$(dialog '\[M\]ove command settings' "$i" - - - - -)
        else
            keys alt+j
            d=$(dialog '\[J\]og settings' "$i" - - - - -)
        fi
        press_done "$d"
        focus "$main"
    done
    shot keyboard-four-lines "$main"

    # Tab from the toolbox onto the panel.
    for i in $(seq 1 16); do
        keys Tab
        panel_has_keyboard && break
    done
    panel_has_keyboard || fail "Tab never brought the keyboard to the panel"
    log "the panel has the keyboard after $i Tabs"

    # The first line two rows down, then the line above it deleted and the deletion undone.
    keys Home
    shot keyboard-focus-frame "$main"
    keys ctrl+Down ctrl+Down
    keys Up Delete
    q=$(wait_window 'Are you sure\?')
    focus "$q"
    keys Return
    wait_gone "$q"
    focus "$main"
    shot keyboard-deleted "$main"
    keys ctrl+z
    shot keyboard-undone "$main"

    # Ctrl+S; no header this time.
    keys ctrl+s
    q=$(wait_window 'Add a header')
    focus "$q"
    keys Escape
    wait_gone "$q"
    focus "$main"

    # One more line, then Ctrl+Q: Escape on the exit question keeps the program and the line.
    keys alt+m
    d=$(dialog '\[M\]ove command settings' 5 - - - - -)
    press_done "$d"
    focus "$main"
    keys ctrl+q
    q=$(wait_window 'Save\?\?\?')
    shot keyboard-exit-question "$q"
    focus "$q"
    keys Escape
    wait_gone "$q"
    sleep 1
    alive
    xwininfo -id "$main" 2>/dev/null | grep -q 'Map State: IsViewable' || fail "Escape on the exit question closed the window"
    shot keyboard-exit-cancelled "$main"

    # Ctrl+Q again, and No: the program ends without saving the new line.
    focus "$main"
    keys ctrl+q
    q=$(wait_window 'Save\?\?\?')
    focus "$q"
    keys alt+n
    wait_gone "$q"
    wait_exit "Ctrl+Q and No"

    compare Keys.cvp "$part"
    [ "$differ" -eq 0 ] || exit 1
    log "PASS ($step screenshots in $shots)"
}

# ---- The toolpath session ------------------------------------------------------------------------

# The colours of one row of the screen between x1 and x2, one "x colour" pair a line.
row_colours() {
    import -window root -crop "$(($3 - $2))x1+$2+$1" txt:- 2>/dev/null |
        awk -F'[,: ]+' 'NR > 1 { for (i = 1; i <= NF; i++) if ($i ~ /^#/) { print $1, substr($i, 1, 7); break } }'
}

# How many separate runs of drawn (not white, not grey) pixels a row crosses: a square's two sides.
crossings() {
    row_colours "$@" | awk '
        function hex(s,   i, v) { v = 0; for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1; return v }
        { r = hex(substr($2, 2, 2)); g = hex(substr($2, 4, 2)); b = hex(substr($2, 6, 2))
          hi = r; if (g > hi) hi = g; if (b > hi) hi = b; lo = r; if (g < lo) lo = g; if (b < lo) lo = b
          drawn = (hi - lo > 40) }
        drawn && !inrun { runs++ } { inrun = drawn } END { print runs + 0 }'
}

# Ctrl+S, Yes to the header question, and in Headsmith "Write the information" (the green button on
# its second tab). With "replace", the question about the existing header comes and is answered Yes.
write_header() {
    focus "$main"
    keys ctrl+s
    local q hs
    q=$(wait_window 'Add a header')
    focus "$q"
    keys Return
    wait_gone "$q"
    hs=$(wait_window 'Corvane Headsmith')
    focus "$hs"
    keys ctrl+Tab
    local X Y WIDTH HEIGHT SCREEN WINDOW at="" tries
    # The button's colour, found on the screen once the tab has been drawn.
    for tries in 1 2 3 4 5 6 7 8 9 10; do
        sleep 0.5
        eval "$(xdotool getwindowgeometry --shell "$hs")"
        at=$(import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -depth 8 txt:- 2>/dev/null |
            awk -F'[,: ]+' '!found && /#2F9E44/ { print $1, $2; found = 1 }')
        [ -z "$at" ] || break
    done
    [ -n "$at" ] || fail "no 'Write the information' button in Headsmith"
    click $((X + ${at% *} + 8)) $((Y + ${at#* } + 8))
    if [ "${2:-}" = replace ]; then
        q=$(wait_window 'Replace existing header\?')
        shot "$1-question"
        focus "$q"
        keys alt+y
        wait_gone "$q" 10
    fi
    wait_gone "$hs"
    shot "$1" "$main"
}

# The part file in the program, a first run with the file named (no first-run window), and View >
# Toolpath opened from the keyboard.
open_with_toolpath() {
    start_program "$part"
    locate_main
    focus "$main"
    keys alt
    keys v
    sleep 0.3
    keys o
}

toolpath_session() {
    # A 10 by 10 square cut at one depth, and jogs to and from it.
    printf "' Created using the Corvane Part File Stacker\r\n' a square\r\n'\r\nJZ, , , 0.5   \r\nJ2, 0, 0   \r\nMZ, , , -0.5   \r\nM2, 10, 0   \r\nM2, 10, 10   \r\nM2, 0, 10   \r\nM2, 0, 0   \r\nJZ, , , 0.5   \r\nEND\r\n" >"$part"
    open_with_toolpath
    sleep 2
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    # The pane opens at a width to work in, not at the least it could take.
    [ "$WIDTH" -ge $((827 + 300)) ] || fail "View > Toolpath opened no pane of a usable width (the window is $WIDTH wide)"
    shot toolpath "$main"
    # The view lies right of the panel's frame; rows across it meet the square's sides twice.
    local x1=$((X + 838)) x2=$((X + WIDTH - 10)) y found=0
    for y in $(seq $((Y + menu_h + 120)) 20 $((Y + menu_h + 320))); do
        if [ "$(crossings "$y" "$x1" "$x2")" -ge 2 ]; then found=$((found + 1)); fi
    done
    log "rows of the view crossing two sides of the square: $found"
    [ "$found" -ge 3 ] || fail "the toolpath view does not show the square"

    # File > Print: the job sheet's preview comes up over the window and goes again with Escape.
    focus "$main"
    keys ctrl+p
    local preview
    preview=$(wait_window 'Print Job Sheet')
    shot print-preview "$preview"
    focus "$preview"
    keys Escape
    wait_gone "$preview"

    # A header written, then written again: the second time Headsmith asks to replace it, and the
    # question takes its answer (a progress window must not come up over it).
    write_header toolpath-header-written
    write_header toolpath-header-replaced replace
    local headers
    headers=$(grep -c "^'' Header file created by Corvane Headsmith" "$part" || true)
    [ "$headers" -eq 1 ] || fail "the part file holds $headers headers after the header was replaced"
    focus "$main"
    keys ctrl+q
    wait_exit Ctrl+Q
    log "PASS ($step screenshots in $shots)"
}

# ---- The carve session ---------------------------------------------------------------------------

# How many runs of at least 6 pixels that are neither the blank's top (#EAD7B0) nor white lie between
# runs of at least 5 of the top, along one row of the screen.
grooves_across() {
    import -window root -crop "$(($3 - $2))x1+$2+$1" -depth 8 txt:- 2>/dev/null |
        awk -F'[,: ]+' 'NR > 1 { for (i = 1; i <= NF; i++) if ($i ~ /^#/) { print $1, substr($i, 1, 7); break } }' | awk '
        { c = ($2 == "#EAD7B0") ? "T" : ($2 == "#FFFFFF") ? "W" : "O"
          if (c == last) { n++; next }
          if (last != "") { runs[++k] = last; lens[k] = n }
          last = c; n = 1 }
        END { runs[++k] = last; lens[k] = n
              for (i = 2; i < k; i++)
                  if (runs[i] == "O" && lens[i] >= 6 && runs[i-1] == "T" && lens[i-1] >= 5 && runs[i+1] == "T" && lens[i+1] >= 5) found++
              print found + 0 }'
}

carve_session() {
    # A 10 x 6 blank with one V groove 0.2 deep up its middle.
    printf "' Created using the Corvane Part File Stacker\r\n' a groove\r\n'\r\n'' Cut this file out of a 10 x 6 piece of plywood that's 3/4 thick\r\n'' using a 90 degree V bit\r\n'' with the z-axis zeroed at the top surface of the blank\r\nJZ, , , 0.5   \r\nJ2, 5, 1   \r\nMZ, , , -0.2   \r\nM2, 5, 5   \r\nJZ, , , 0.5   \r\nEND\r\n" >"$part"
    open_with_toolpath
    sleep 2
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    # The view box stands right of "View:" at the dock's top left; its list opens on Top, and Carved
    # is four below.
    click $((X + 925)) $((Y + menu_h + 35))
    sleep 0.5
    shot view-box "$main"
    keys Down Down Down Down Return
    local x1=$((X + 845)) x2=$((X + WIDTH - 10)) y found=0 tries screen_w
    # The window may reach past the screen's edge; the row ends there.
    screen_w=$(xdotool getdisplaygeometry | cut -d' ' -f1)
    [ "$x2" -le "$screen_w" ] || x2=$screen_w
    for tries in $(seq 1 30); do
        sleep 0.5
        found=0
        for y in $(seq $((Y + menu_h + 120)) 10 $((Y + menu_h + 260))); do
            if [ "$(grooves_across "$y" "$x1" "$x2")" -ge 1 ]; then found=$((found + 1)); fi
        done
        [ "$found" -lt 3 ] || break
    done
    shot carved "$main"
    log "rows of the carved view crossing the groove: $found"
    [ "$found" -ge 3 ] || fail "the carved view does not show the groove"
    focus "$main"
    keys ctrl+q
    wait_exit Ctrl+Q
    log "PASS ($step screenshots in $shots)"
}

# ---- The resume session --------------------------------------------------------------------------

# A press on the block of a panel row (rows stand 24 apart from 32), on its text.
click_row() {
    focus "$main"
    click $((panel_x + 30)) $((panel_y + 32 + 24 * ($1 - 1) + 8))
}

# How many columns and rows of the toolpath view hold the highlight's orange, as "columns rows". The
# legend's short sample of it adds a few of each.
highlight_extent() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    import -window root -crop "$((WIDTH - 840))x340+$((X + 830))+$((Y + menu_h + 30))" +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[,: ]+' '/#FF6A00/ { if (!(($1) in xs)) { xs[$1]; nx++ } if (!(($2) in ys)) { ys[$2]; ny++ } }
            END { print nx + 0, ny + 0 }'
}

# Waits until the highlight runs across the view ("wide") or up it ("tall"). The first waits for the
# dry run of six million lines, minutes under the sanitizers on a busy machine.
wait_highlight() {
    local deadline=$((SECONDS + 240)) extent columns rows
    while [ "$SECONDS" -lt "$deadline" ]; do
        extent=$(highlight_extent)
        columns=${extent% *}
        rows=${extent#* }
        if [ "$1" = wide ] && [ "$columns" -gt 100 ] && [ "$rows" -lt 20 ]; then return 0; fi
        if [ "$1" = tall ] && [ "$rows" -gt 100 ] && [ "$columns" -lt 60 ]; then return 0; fi
        sleep 0.5
    done
    fail "the toolpath's highlight does not run $1 after the click ($columns columns, $rows rows of it)"
}

resume_session() {
    local big="$HOME/cvparts/big.cvp" copy="$HOME/cvparts/resumed.cvp" q
    awk 'BEGIN { for (i = 0; i < 2000000; i++) printf "MX, 1\r\n" }' >"$big"
    # Rows: 1 &&pass, 2 JZ, 3 again:, 4 &&pass + 1, 5 J2, 6 MZ, 7 M2 along X, 8 M2 along Y, 9 JZ,
    # 10 IF, 11 FP, 12 END.
    printf "' Created using the Corvane Part File Stacker\r\n' three passes\r\n'\r\n&&pass = 0\r\nJZ, , , 0.5\r\nagain:\r\n&&pass = &pass + 1\r\nJ2, 0, 0\r\nMZ, , , -0.1 * &pass\r\nM2, 10, 0\r\nM2, 10, 10\r\nJZ, , , 0.5\r\nIF &&pass < 3 THEN GOTO again:\r\nFP, big.cvp\r\nEND\r\n" >"$part"
    open_with_toolpath
    # A click on a block makes its line current: the highlight moves to the side it cuts.
    click_row 8
    wait_highlight tall
    shot resume-clicked-row-8 "$main"
    click_row 7
    wait_highlight wide
    shot resume-clicked-row-7 "$main"

    # The long run's progress box, and Cancel by Escape: nothing else comes.
    focus "$main"
    keys alt+f
    sleep 0.3
    keys c
    q=$(wait_window 'Save a copy to resume' 20)
    shot resume-progress "$q"
    focus "$q"
    keys Escape
    wait_gone "$q"
    sleep 1
    for title in 'Resume from which pass\?' 'Save the copy to resume as'; do
        xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 && fail "'$title' came after Cancel"
    done

    # The call deleted, the copy of row 8 (file line 11) from the third pass.
    click_row 11
    keys Delete
    q=$(wait_window 'Are you sure\?')
    focus "$q"
    keys Return
    wait_gone "$q"
    click_row 8
    keys alt+f
    sleep 0.3
    keys c
    q=$(wait_window 'Resume from which pass\?' 20)
    shot resume-which-pass "$q"
    focus "$q"
    keys Down Down Return
    wait_gone "$q"
    q=$(wait_window 'Save the copy to resume as')
    focus "$q"
    retype "$copy"
    keys Return
    wait_gone "$q"
    local deadline=$((SECONDS + 20))
    while [ ! -f "$copy" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
    grep -q "from its line 11:" "$copy" || fail "the copy does not resume from line 11"
    grep -q "^&&pass = 3[[:space:]]*$" "$copy" || fail "the copy does not set the third pass's variables"

    focus "$main"
    keys ctrl+q
    q=$(wait_window 'Save\?\?\?')
    focus "$q"
    keys alt+n
    wait_gone "$q"
    wait_exit "Ctrl+Q and No"
    log "PASS ($step screenshots in $shots)"
}

# The server has said it is ready; make sure it answers before the program tries.
for _ in $(seq 1 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.2
done
xdotool getdisplaygeometry >/dev/null 2>&1 || { log "the X server $DISPLAY does not answer"; exit 3; }

if [ "$session" = keyboard ]; then
    keyboard_session
    exit 0
fi
if [ "$session" = toolpath ]; then
    toolpath_session
    exit 0
fi
if [ "$session" = resume ]; then
    resume_session
    exit 0
fi
if [ "$session" = carve ]; then
    carve_session
    exit 0
fi

# ---- The first session --------------------------------------------------------------------------

start_program

# First run: no stacker.ini, so the first-run window comes first.
gs=$(wait_window 'Get started')
shot get-started "$gs"
eval "$(xdotool getwindowgeometry --shell "$gs")"
click $((X + 112 + 44)) $((Y + 160 + 16))

name_part_file save-dialog

locate_main
focus "$main"
shot main-window-empty "$main"

# Mode > Advanced shows the six advanced buttons. Alt+M is the [M]oves button's, so the menu bar is
# reached with Alt alone, then M.
keys alt
keys m
sleep 0.3
keys a
shot advanced-mode "$main"

# [M]oves: X and Y, and an inline comment through frmInlineComment.
toolbox 32 25
d=$(dialog '\[M\]ove command settings' 1.5 2 - - - "[x]")
shot move-dialog "$main"
keys space
c=$(dialog 'Add an inline Comment' "back to the start")
shot inline-comment "$main"
press_done "$c"
wait_gone "$d"

# [J]ogs: Z only.
toolbox 72 25
d=$(dialog '\[J\]og settings' - - 0.5 - - -)
press_done "$d"

# Set Speeds: XY and Z move speeds and the XY jog speed.
toolbox 240 33
d=$(dialog 'Speed settings' 2.0 0.5 - - 6 - - - -)
shot speed-dialog "$main"
press_done "$d"

# Comment.
toolbox 288 25
d=$(dialog 'Comment text' "Cut the outline")
press_done "$d"

# Define a Variable, with an inline comment.
toolbox 336 33
d=$(dialog 'Variable declaration' depth 0.25 "[x]")
shot variable-dialog "$main"
keys space
c=$(dialog 'Add an inline Comment' "half the stock")
press_done "$c"
wait_gone "$d"

# IF..THEN.
toolbox 384 25
d=$(dialog 'IF\.\.THEN command setup' "&depth > 0.5" "GOTO done" -)
shot ifthen-dialog "$main"
press_done "$d"

# Label for GOTO.
toolbox 464 33
d=$(dialog 'Label name' done -)
press_done "$d"

# PAUSE.
toolbox 200 25
d=$(dialog 'Pause duration' 3)
press_done "$d"

# ??? (a free command with a comment part).
toolbox 112 25
d=$(dialog 'Blank command' "MH 'go home")
press_done "$d"

# INPUT.
toolbox 512 25
d=$(dialog 'INPUT command' "Bit size?" bit -)
press_done "$d"

# END: no dialog.
toolbox 552 25
sleep 0.5
alive
shot eleven-lines "$main"

# Rows stand at 32 + 24k. The Comment block (4th row, top 104) is 600 wide: press on its uncovered
# right end and carry it above the first line, onto row 8. A drop closes each gap by one row only,
# so row 104 stays empty below the Speed block.
drag_block 610 112 10
shot dragged-comment "$main"
# The PAUSE block (top 200) is 200 wide: carry it up into the empty row; the rows below close up.
drag_block 212 208 112
shot dragged-pause "$main"

# File > Save, and Yes to the header question.
focus "$main"
keys alt+f
sleep 0.3
keys s
q=$(wait_window 'Add a header')
shot header-question "$main"
focus "$q"
keys Return
wait_gone "$q"

# Headsmith, first tab. The tab bar has the focus; Tab walks the boxes in order.
hs=$(wait_window 'Corvane Headsmith')
focus "$hs"
shot headsmith-opened "$hs"
keys Tab
typed "Sign blank, two passes"
keys Tab
retype "Test Operator"
keys Tab
retype "2024-01-15"
keys Tab
retype "Corvane Test Shop"
keys Tab
retype "2024"
keys Tab
# "free for educational use", the third item.
keys Down Down
keys Tab
retype "Pat Example"
keys Tab
retype "pat@example.org"
keys Tab
retype "555.010.2000"
keys Tab
# Add Opening file? opens the Open dialog.
keys space
op=$(wait_window 'Open')
focus "$op"
retype "$opening"
shot open-dialog
keys Return
wait_gone "$op"
focus "$hs"
# Copy the opening file in as text instead of calling it: past the path box to the first option.
keys Tab Tab
keys space
shot headsmith-general "$hs"

# Second tab: units, Z zero, offsets, cutting info and notes.
keys ctrl+Tab
sleep 0.3
keys Tab
keys space            # Table top surface
keys Tab
keys space            # 2d offset: X and Y boxes open with 0
keys Tab Tab
retype 1.5
keys Tab
retype 2.25
keys Tab
retype "48 x 24"
keys Tab
retype "3/4"
keys Tab
retype MDF
keys Tab
retype "1/4"
keys Tab
retype "up-spiral bit"
keys Tab
retype "Sand the edges after cutting"
keys Return
typed "Two passes at half depth"
keys Return
shot headsmith-cutting "$hs"
keys Tab
keys space            # Write the information
wait_gone "$hs"
alive
shot saved "$main"

# File > Exit. The work is saved, so no question may come.
focus "$main"
keys alt+f
sleep 0.3
keys x
wait_exit "File > Exit"

# ---- The written files ---------------------------------------------------------------------------

compare "Sign Blank.cvp" "$part"
compare header_variables.cvc "$HOME/cvparts/custom/header_variables.cvc"
compare stacker.ini "$XDG_CONFIG_HOME/Corvane/cvstacker/stacker.ini"

# Nothing else may be left behind: no temporary file beside the program or the variables file, and
# no stacker.ini beside the program (it was not there before).
stray=$(cd "$program" && ls -A | grep -v -x -e cvstacker -e head_smithfaq.txt || true)
stray+=$(cd "$HOME/cvparts/custom" && ls -A | grep -v -x -e header_variables.cvc || true)
stray+=$(cd "$HOME/cvparts" && ls -A | grep -v -x -e "Sign Blank.cvp" -e custom -e shop || true)
if [ -n "$stray" ]; then
    log "STRAY FILES: $stray"
    differ=1
fi

[ "$differ" -eq 0 ] || exit 1
log "PASS ($step screenshots in $shots)"
