#!/bin/sh
# Makes a Wine prefix once and marks it ready; later calls return at once.
#   make-prefix.sh PREFIX test   windows unmanaged (closing takes milliseconds)
#   make-prefix.sh PREFIX play   windows managed by the desktop's window manager
# wineboot takes 10-15 s, so the prefix is kept and reused.
prefix=$1
kind=${2:-test}
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$prefix/.varlo-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.varlo-ready" ] && exit 0

rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' LANG=ja_JP.UTF-8
echo "Making the Wine prefix $prefix (once, about 15 s)..." >&2
wineboot -i >/dev/null 2>&1
wineserver -w

# regedit reads UTF-16LE with a byte order mark; non-ASCII names are garbled by
# 'wine reg add' under LANG=C, so the settings go through a .reg file.
reg="$prefix/varlo-settings.reg"
{
  printf '\377\376'
  { cat "$here/prefix-settings.reg"
    if [ "$kind" = test ]; then cat "$here/prefix-unmanaged.reg"; fi
  } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} > "$reg"
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
touch "$prefix/.varlo-ready"
