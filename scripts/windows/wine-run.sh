#!/usr/bin/env bash
# CTest's emulator for the Windows tests: runs a test program under Wine in the prefix and with the
# DLL path scripts/windows/test.sh set up, and hands back its exit status. Offscreen, as the Linux
# tests run (under Wine the Windows platform plugin gets no synthesized mouse moves); the real window
# is driven by scripts/windows/session.sh. Fonts: Debian's DejaVu, as the offscreen plugin finds none
# of Windows's own.
#
# Wine hands no QT_* variable of Linux to a Windows program (they belong to the Linux Qt); a WINE
# prefix passes one through. And a Windows Qt test writes its results to the debugger, not to a
# standard output that is not a console, unless told to log to the streams.
set -u
export WINEQT_QPA_PLATFORM=${STACKER_WINE_QPA:-offscreen}
export WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu'
export WINEQT_FORCE_STDERR_LOGGING=1
exec wine "$@"
