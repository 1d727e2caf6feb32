#!/bin/sh
# Builds the release package: OUT_DIR/varlo-1.02-win64.zip with VARLO.EXE
# (without debugging information), VARLO.CHM and README.txt (Japanese and
# English, UTF-8 with a byte order mark and CRLF line ends, so Notepad shows it
# on every system locale).
#   tools/dist.sh WINDOWS_BUILD_DIR OUT_DIR
set -eu
build=$(cd "$1" && pwd)
out=$2
here=$(cd "$(dirname "$0")/.." && pwd)
for file in VARLO.EXE VARLO.CHM; do
    if [ ! -f "$build/bin/$file" ]; then
        echo "dist: $build/bin/$file is missing; build it first (make windows)" >&2
        exit 1
    fi
done
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# The program goes without the debugging information of the build.
x86_64-w64-mingw32-strip --strip-debug -o "$stage/VARLO.EXE" "$build/bin/VARLO.EXE"
cp "$build/bin/VARLO.CHM" "$stage/"
{ printf '\357\273\277'; sed 's/$/\r/' "$here/resources/release-readme.txt"; } >"$stage/README.txt"
zip="$out/varlo-1.02-win64.zip"
rm -f "$zip"
# Fixed file times, so the same build gives the same package.
touch -d '2026-01-01 00:00:00' "$stage"/*
(cd "$stage" && cmake -E tar cf "$zip" --format=zip VARLO.EXE VARLO.CHM README.txt)
echo "dist: $zip"
