#!/usr/bin/env bash
# One short real-window session, driven through the X server with xdotool as an operator would:
# the program starts on a part file named on its command line, adds a Move line with Alt+M and its
# dialog, saves with Ctrl+S (no header), and quits with Ctrl+Q. Run once with the Linux program and
# once with the Windows one under Wine, the two part files must be the same bytes.
#
#   scripts/windows/session.sh linux|wine PROGRAM WORK SHOTS
#
# Runs inside an X server ($DISPLAY); with "wine", WINEPREFIX and WINEPATH are the caller's.
set -euo pipefail
kind=$1 program=$2 work=$3 shots=$4
mkdir -p "$work" "$shots"
part=$work/job.cvp
printf "' Created using the Corvane Part File Stacker\r\n' job\r\n'\r\nMX, 1   \r\n" >"$part"

log() { printf 'session (%s): %s\n' "$kind" "$*" >&2; }
fail() {
    log "FAIL: $*"
    import -window root "$shots/$kind-failure.png" || true
    kill "$pid" 2>/dev/null || true
    exit 1
}
shot() { import -window root "$shots/$kind-$1.png"; }
alive() { kill -0 "$pid" 2>/dev/null || fail "the program ended unexpectedly"; }
# Wine maps its windows and takes keys more slowly than the Linux program.
settle=1 pause=0.3 key_delay=150
. "$(dirname "$0")/../../tests/e2e/xdriver.sh"

if [ "$kind" = wine ]; then
    QT_QPA_PLATFORM=windows wine "$program" "$(winepath -w "$part")" >"$work/program.log" 2>&1 &
else
    QT_QPA_PLATFORM=xcb "$program" "$part" >"$work/program.log" 2>&1 &
fi
pid=$!

main=$(wait_window 'Corvane Part File Stacker' 120)
focus "$main"
shot main
keys alt+m
dialog=$(wait_window '\[M\]ove command settings' 60)
focus "$dialog"
xdotool type --delay 60 -- "2.5"
shot move-dialog
# The X box, then Y, Z, A, B and the inline comment box; Done is the next stop.
keys Tab Tab Tab Tab Tab Tab space
focus "$main"
keys ctrl+s
question=$(wait_window 'Add a header.*' 60)
focus "$question"
keys Escape
sleep 1
focus "$main"
keys ctrl+q
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.3
done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q did not end the program"
wait "$pid" || fail "the program ended with status $?"
log "done: $(wc -c <"$part") bytes in $part"
