#!/bin/sh
# Builds the release package: OUT_DIR/varlo-VERSION-win64.zip (varlo-1.02-win64.zip;
# the version is the one CMake wrote into the build tree) with VARLO.EXE
# (without debugging information), VARLO.CHM, README.txt (Japanese and
# English, UTF-8 with a byte order mark, so Notepad shows it on every system
# locale), LICENSE and THIRD-PARTY-NOTICES.txt, the texts with CRLF line ends;
# and OUT_DIR/SHA256SUMS, the zip's hash as sha256sum writes it.
# The same commit gives the same zip, byte for byte, whatever the folder and the
# time of the build: no path is built into the program without its debugging
# information, the help file holds midnight for the time it was written at, and
# the program's header holds the time of the commit instead of the link's.
#   tools/dist.sh WINDOWS_BUILD_DIR OUT_DIR
set -eu
build=$(cd "$1" && pwd)
out=$2
here=$(cd "$(dirname "$0")/.." && pwd -P)
for file in bin/VARLO.EXE bin/VARLO.CHM generated/version.txt generated/release-readme.txt; do
    if [ ! -f "$build/$file" ]; then
        echo "dist: $build/$file is missing; build it first (make windows)" >&2
        exit 1
    fi
done
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# The program goes without the debugging information of the build. strip stamps
# its header with SOURCE_DATE_EPOCH (and sets the header's checksum to match): a
# value given wins, else the time of this tree's commit; a tree that is no git
# work tree of its own (an unpacked archive) takes 2026-01-01 00:00 UTC.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=1767225600
    # safe.directory: a checkout owned by another user (a CI's, say) is still read.
    if [ "$(git -c safe.directory='*' -C "$here" rev-parse --show-toplevel 2>/dev/null)" = "$here" ]; then
        SOURCE_DATE_EPOCH=$(git -c safe.directory='*' -C "$here" log -1 --format=%ct)
    fi
fi
echo "dist: the program's time stamp: $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC')"
SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH x86_64-w64-mingw32-strip --strip-debug -o "$stage/VARLO.EXE" "$build/bin/VARLO.EXE"
cp "$build/bin/VARLO.CHM" "$stage/"
{ printf '\357\273\277'; sed 's/$/\r/' "$build/generated/release-readme.txt"; } >"$stage/README.txt"
sed 's/$/\r/' "$here/LICENSE" >"$stage/LICENSE"
sed 's/$/\r/' "$here/resources/third-party-notices.txt" >"$stage/THIRD-PARTY-NOTICES.txt"
zip="$out/varlo-$(cat "$build/generated/version.txt")-win64.zip"
rm -f "$zip"
# Fixed file times and nothing else of the files' own (no access times, owners
# or modes), so the same build gives the same package.
python3 - "$stage" "$zip" <<'PYTHON' || exit 1
import os, sys, zipfile
stage, target = sys.argv[1:3]
with zipfile.ZipFile(target, "w") as package:
    for name in ("VARLO.EXE", "VARLO.CHM", "README.txt", "LICENSE", "THIRD-PARTY-NOTICES.txt"):
        entry = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.external_attr = 0o644 << 16
        with open(os.path.join(stage, name), "rb") as source:
            package.writestr(entry, source.read(), compresslevel=9)
PYTHON
(cd "$out" && sha256sum "$(basename "$zip")" >SHA256SUMS)
echo "dist: $zip"
echo "dist: $out/SHA256SUMS"
