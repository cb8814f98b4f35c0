#!/usr/bin/env bash
# Checks what the compiler does not: every source file is formatted as .clang-format says, every
# include runs with the layers (app -> gui -> core -> platform) and core's subsystems, never upwards, and no product source
# file is longer than 600 lines.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

unformatted=()
while IFS= read -r f; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done < <(git ls-files '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "These files differ from .clang-format (run clang-format -i on them):"
    printf '  %s\n' "${unformatted[@]}"
    status=1
fi

# Qt Widgets headers a core file might reach for, by module or by class.
widgets='<(QtWidgets/.*|QtGui/.*|Q(Widget|Dialog|MainWindow|Application|GuiApplication|MessageBox|FileDialog|Label|PushButton|LineEdit|TextEdit|CheckBox|ComboBox|ListWidget|Menu|MenuBar|ScrollBar|Frame|Layout|[HV]BoxLayout|GridLayout|Painter|Pixmap|Icon|Font|FontMetrics|Color|Clipboard|KeyEvent|MouseEvent|UndoStack)|QtWidgets|QtGui)>'
check() { # $1 folder, $2 what it must not include (extended regex), $3 the reason
    local hits
    hits=$(git ls-files "$1" | grep -E '\.(cpp|h)$' | xargs -r grep -nE "^\s*#\s*include\s*$2" || true)
    if [ -n "$hits" ]; then
        echo "$3"
        printf '%s\n' "$hits" | sed 's/^/  /'
        status=1
    fi
}
check core "($widgets|\"(gui|app)/)" "Files under core/ include widgets or gui/ (core may include only Qt Core and platform/):"
check platform '"(core|gui|app)/' "Files under platform/ include core/, gui/ or app/:"
check gui '"app/' "Files under gui/ include app/:"

# Inside core/, each subsystem's folder may include only the folders below it (and core/'s own files).
declare -A below=([language]="" [panel]="language" [headsmith]="" [partfile]="language|panel|headsmith|dryrun"
    [dryrun]="language|partfile|headsmith" [carve]="dryrun" [checker]="language|panel|partfile|dryrun|headsmith"
    [templates]="language|panel|partfile|dryrun|headsmith")
for folder in $(git ls-files core | awk -F/ 'NF > 2 { print $2 }' | sort -u); do
    if [ -z "${below[$folder]+set}" ]; then
        echo "core/$folder/ has no place in the subsystems' order: add it to 'below' in scripts/check-source.sh."
        status=1
        continue
    fi
    allowed="$folder${below[$folder]:+|${below[$folder]}}"
    hits=$(git ls-files "core/$folder" | grep -E '\.(cpp|h)$' | xargs -r grep -nE '^\s*#\s*include\s*"core/[a-z]+/' |
        grep -vE "include\s*\"core/($allowed)/" || true)
    if [ -n "$hits" ]; then
        echo "Files under core/$folder/ include a subsystem above it:"
        printf '%s\n' "$hits" | sed 's/^/  /'
        status=1
    fi
done

# A file a newcomer cannot read in one sitting is split by job; 600 lines is the hard limit.
long=$(git ls-files app core gui platform | grep -E '\.(cpp|h)$' | xargs -r wc -l | awk '$2 != "total" && $1 > 600 { print "  " $2 " (" $1 " lines)" }')
if [ -n "$long" ]; then
    echo "These source files are longer than 600 lines (split them by job):"
    printf '%s\n' "$long"
    status=1
fi

[ "$status" -eq 0 ] && echo "Source check: format, layers and file sizes ok."
exit "$status"
