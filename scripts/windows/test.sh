#!/usr/bin/env bash
# The Windows build under Wine, run by "scripts/windows.sh test" once everything is built:
#   1. the unit tests (CTest, the Windows programs run by Wine);
#   2. the command-line modes against the Linux program on the same files: --dry-run --json,
#      --check, and the job sheet's text (pdftotext);
#   3. the installer: a silent install for the current user, the Start menu entry and the .cvp
#      association, the installed program in a real window (a screenshot), a session that adds a line
#      and saves (the file byte for byte what the Linux program writes), then a silent uninstall that
#      leaves the user's settings and part files.
#
#   scripts/windows/test.sh BUILD QT_PREFIX NAME
set -euo pipefail
build=$1 qt=$2 name=$3
top=$(cd "$(dirname "$0")/../.." && pwd)
cd "$top"
log() { printf '== %s\n' "$*" >&2; }
failures=()
failed() {
    failures+=("$*")
    printf 'FAILED: %s\n' "$*" >&2
}

# Everything that opens a window runs in one virtual X server, started here.
if [ -z "${STACKER_WINE_INNER:-}" ]; then
    export STACKER_WINE_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# A fresh Wine prefix: nothing from an earlier run counts. No Mono or Gecko installers are asked for.
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
rm -rf "$WINEPREFIX"
log "A fresh Wine prefix in $WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
wineserver -p # keeps Wine's server up between the many short runs (started before anything else runs)
WINEPATH="$(winepath -w "$qt/bin");$(winepath -w /usr/lib/gcc/x86_64-w64-mingw32/12-posix)"
export WINEPATH="$WINEPATH;$(winepath -w /usr/x86_64-w64-mingw32/lib)"
export WINEQT_PLUGIN_PATH=$(winepath -w "$qt/plugins")
shots=$build/shots
rm -rf "$shots" && mkdir -p "$shots"


# --- 1. Unit tests --------------------------------------------------------------------------------------
log "Unit tests under Wine"
# One at a time: two GUI tests at once under one Wine server were seen to wait on each other for good.
if ! (cd "$build/tests" && ctest --timeout 600 --output-on-failure >"$build/ctest.log" 2>&1); then
    failed "unit tests (see $build/ctest.log)"
fi
tail -n 25 "$build/ctest.log" >&2

# --- 2. The command-line modes, Linux and Windows side by side -----------------------------------------------
log "Command-line modes: the Windows program's output against the Linux program's"
linux=$build/linux/app/cvstacker
windows=$build/program/app/cvstacker.exe
compared=0
differ=0
rm -f "$build/cli.diff"
# The same relative names on both sides, so that the paths they print are the same. A full path is
# compared as the same path however each system spells it (Z:\work\... under Wine), and a number to
# 12 significant digits: the C libraries' pow() and log() differ in the last bit. Files that call
# C:\ or \\server paths are left out: those are real paths on Windows by design (tst_handtyped and
# tst_checker check both sides).
same_form() {
    perl -pe 's{Z:((?:\\{1,2}[^\\"\n]+)+)}{my $p = $1; $p =~ s/\\{1,2}/\//g; $p}ge;
              s{(-?\d+\.\d{12,})}{sprintf("%.12g", $1)}ge'
}
while IFS= read -r file; do
    grep -qiE '^FP, *([a-z]:|\\\\)' "$file" && continue
    for mode in "--dry-run --json" "--check"; do
        # shellcheck disable=SC2086
        l=$(QT_QPA_PLATFORM=offscreen "$linux" $mode "$file" 2>&1 | same_form; echo "status ${PIPESTATUS[0]}")
        # shellcheck disable=SC2086
        w=$(wine "$windows" $mode "$file" 2>&1 | tr -d '\r' | same_form; echo "status ${PIPESTATUS[0]}")
        compared=$((compared + 1))
        if [ "$l" != "$w" ]; then
            differ=$((differ + 1))
            echo "-- $mode $file" >>"$build/cli.diff"
            diff <(echo "$l") <(echo "$w") >>"$build/cli.diff" || true
        fi
    done
done < <(find tests/data tests/e2e/expected -name '*.cvp' | sort)
log "$compared runs compared, $differ differ"
[ "$differ" -eq 0 ] || failed "command-line output differs from Linux in $differ runs (see $build/cli.diff)"

log "The job sheet's text, Linux and Windows"
sheets=$build/sheets
rm -rf "$sheets" && mkdir -p "$sheets"
for file in tests/e2e/expected/*.cvp $(ls tests/data/handtyped/*.cvp | head -n 6); do
    base=$(basename "$file" .cvp | tr ' ' '_')
    QT_QPA_PLATFORM=offscreen "$linux" --job-sheet "$sheets/$base-linux.pdf" "$file" || failed "Linux job sheet of $file"
    # Wine's prefix holds no TrueType fonts of Windows's own: the sheet is set in the DejaVu the Linux
    # program uses.
    WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu' wine "$windows" --job-sheet \
        "$(winepath -w "$sheets/$base-windows.pdf")" "$file" || failed "Windows job sheet of $file"
    # Words in order is what must agree. The date is written in each system's own short form, and the
    # paper follows the locale (Letter under Wine's American English), so the pages break elsewhere:
    # read in layout, a listing's numbers stay beside their lines across a page break.
    for side in linux windows; do
        pdftotext -layout "$sheets/$base-$side.pdf" - | grep -vE '^ *Made on |— |^ *Page [0-9]+ of [0-9]+$' | same_form |
            tr -s ' \n\t\f' ' ' >"$sheets/$base-$side.txt"
    done
    cmp -s "$sheets/$base-linux.txt" "$sheets/$base-windows.txt" || failed "job sheet text of $file differs"
done

# --- 3. The installer ----------------------------------------------------------------------------------------
log "Installing silently for the current user"
wine "$build/$name-setup.exe" /S /CurrentUser
user=$(wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
local_programs="$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Corvane Part File Stacker"
start_menu="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
[ -f "$local_programs/cvstacker.exe" ] || failed "the installer put no cvstacker.exe in $local_programs"
[ -f "$start_menu/Corvane Part File Stacker.lnk" ] || failed "no Start menu entry"
wine reg query 'HKCU\Software\Classes\.cvp' /ve 2>/dev/null | grep -q 'Corvane.PartFile' || failed ".cvp is not associated"
wine reg query 'HKCU\Software\Classes\Corvane.PartFile\shell\open\command' /ve 2>/dev/null | grep -q 'cvstacker.exe' ||
    failed "the part file type does not open the program"

log "The installed program in a real window, and the Linux program, each adding a line and saving"
session=$build/session
rm -rf "$session"
unset WINEQT_PLUGIN_PATH # the installed copy finds its own plugins
WINEPATH= scripts/windows/session.sh wine "$local_programs/cvstacker.exe" "$session/wine" "$shots" ||
    failed "the session in the installed program"
scripts/windows/session.sh linux "$linux" "$session/linux" "$shots" || failed "the session in the Linux program"
cmp "$session/wine/job.cvp" "$session/linux/job.cvp" || failed "the part files the two sessions saved differ"
roaming="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Corvane/cvstacker"
[ -f "$roaming/cvstacker.ini" ] || failed "no settings in $roaming"

log "Uninstalling silently"
wine "$local_programs/uninstall.exe" /S /CurrentUser
# The uninstaller runs from a copy of itself in the temporary folder and returns at once: wait for it.
for _ in $(seq 60); do
    [ -e "$local_programs" ] || break
    sleep 1
done
[ ! -e "$local_programs" ] || failed "the program's folder is still there: $(ls "$local_programs" | tr '\n' ' ')"
[ ! -e "$start_menu/Corvane Part File Stacker.lnk" ] || failed "the Start menu entry is still there"
wine reg query 'HKCU\Software\Classes\Corvane.PartFile' >/dev/null 2>&1 && failed "the part file type is still registered"
[ -f "$roaming/cvstacker.ini" ] || failed "uninstalling took the user's settings"
[ -f "$session/wine/job.cvp" ] || failed "uninstalling took the part file"

wineserver -k || true
if [ ${#failures[@]} -gt 0 ]; then
    printf 'scripts/windows.sh test: %d failed:\n' "${#failures[@]}" >&2
    printf '  %s\n' "${failures[@]}" >&2
    exit 1
fi
log "All passed; screenshots in $shots"
