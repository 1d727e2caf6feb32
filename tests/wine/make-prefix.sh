#!/bin/sh
# Makes a Wine prefix once and marks it ready; later calls return at once.
#   make-prefix.sh PREFIX test [LOCALE]  windows unmanaged (closing takes milliseconds)
#   make-prefix.sh PREFIX play           windows managed by the desktop's window manager
# LOCALE is the Unix locale the prefix is made and run under, ja_JP.UTF-8 unless given:
# en_US.UTF-8 makes a prefix whose programs run with code page 1252, as on a Western Windows.
# wineboot takes 10-15 s, so the prefix is kept and reused. The mark holds the
# settings applied; when they change (a new font, say), a prefix made before
# gets the new ones without being made anew.
prefix=$1
kind=${2:-test}
locale=${3:-ja_JP.UTF-8}
here=$(cd "$(dirname "$0")" && pwd)
settings() {
    cat "$here/prefix-settings.reg"
    if [ "$kind" = test ]; then cat "$here/prefix-unmanaged.reg"; fi
}
settings | cmp -s - "$prefix/.varlo-ready" && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
settings | cmp -s - "$prefix/.varlo-ready" && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' LANG=$locale LC_ALL=$locale
if [ ! -f "$prefix/.varlo-ready" ]; then
    rm -rf "$prefix"
    echo "Making the Wine prefix $prefix (once, about 15 s)..." >&2
    wineboot -i >/dev/null 2>&1
    wineserver -w
    [ -d "$prefix" ] || { echo "wineboot could not make the Wine prefix $prefix" >&2; exit 1; }
fi

# regedit reads UTF-16LE with a byte order mark; non-ASCII names are garbled by
# 'wine reg add' under LANG=C, so the settings go through a .reg file.
reg="$prefix/varlo-settings.reg"
{
  printf '\377\376'
  settings | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} > "$reg"
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
settings > "$prefix/.varlo-ready"
