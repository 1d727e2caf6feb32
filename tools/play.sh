#!/bin/sh
# Plays the game under Wine on the current X display.
#   play.sh BUILD_DIR     (the Windows build tree, holding bin/VARLO.EXE)
build=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "$DISPLAY" ]; then
    echo "make play needs a display, and DISPLAY is not set." >&2
    echo "Run it in a desktop session (or point DISPLAY at an X server)." >&2
    exit 1
fi
prefix="$(cd "$build" && pwd)/play-prefix"
"$here/../tests/wine/make-prefix.sh" "$prefix" play || exit 1
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' LANG=ja_JP.UTF-8 \
    exec wine "$build/bin/VARLO.EXE"
