#!/usr/bin/env bash
# Checks what the compiler does not: every source file is formatted as .clang-format says, and every
# include runs with the layers (app -> gui -> core -> platform), never upwards.
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

[ "$status" -eq 0 ] && echo "Source check: format and layers ok."
exit "$status"
