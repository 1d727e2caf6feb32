#!/bin/sh
# Builds the release package: OUT_DIR/varlo-VERSION-win64.zip (varlo-1.02-win64.zip;
# the version is the one CMake wrote into the build tree) with VARLO.EXE
# (without debugging information), VARLO.CHM, README.txt (Japanese and
# English, UTF-8 with a byte order mark, so Notepad shows it on every system
# locale), LICENSE and THIRD-PARTY-NOTICES.txt, the texts with CRLF line ends.
#   tools/dist.sh WINDOWS_BUILD_DIR OUT_DIR
set -eu
build=$(cd "$1" && pwd)
out=$2
here=$(cd "$(dirname "$0")/.." && pwd)
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
# The program goes without the debugging information of the build. strip would
# stamp its header with the current time; it keeps the time of the link instead,
# so the same build gives the same package.
linked=$(python3 "$here/tools/pe_timestamp.py" "$build/bin/VARLO.EXE")
SOURCE_DATE_EPOCH=$linked x86_64-w64-mingw32-strip --strip-debug -o "$stage/VARLO.EXE" "$build/bin/VARLO.EXE"
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
echo "dist: $zip"
