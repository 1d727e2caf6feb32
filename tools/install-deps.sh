#!/bin/sh
# Installs what building, testing and playing need, and only what is missing.
# Works on Debian 12 and Ubuntu, as root or through sudo, without questions.
#   install-deps.sh        everything (make test, make demo, make bench, ...)
#   install-deps.sh play   what make play needs: VARLO.EXE and VARLO.CHM built,
#                          Wine, the game's font, the locale and the sound
# The help file is built by Free Pascal's CHM writer units; configuring the Windows
# tree reads GoogleTest's sources and Python even when only the game is built. Under
# Wine, Konatu (fonts-konatu) stands in for the game's font, "ＭＳ Ｐゴシック", so the
# texts fit the cells the game gives them (tests/wine/prefix-settings.reg,
# docs/wine.md). The demo renders MIDI with FluidSynth and
# makes its video with ffmpeg and ImageMagick; the benchmarks compare the PNG decoder
# with libpng and stb_image under Google Benchmark.
set -e
play_packages="cmake make g++-mingw-w64-x86-64-posix libz-mingw-w64-dev libgtest-dev python3
fp-compiler fp-units-fcl fp-units-misc wine wine64 locales fonts-ipafont-gothic fonts-konatu
fluidsynth timgm6mb-soundfont alsa-utils"
packages="$play_packages g++ mingw-w64-tools xvfb xauth zlib1g-dev libpng-dev clang-14
fp-utils libchm-bin fonts-dejavu-core ffmpeg imagemagick libbenchmark-dev libstb-dev"
# libFuzzer and the sanitizer runtimes for clang: a package of their own on
# Debian 12; on older Ubuntu releases they come with clang-14 itself.
optional="libclang-rt-14-dev"
if [ "${1:-}" = play ]; then packages=$play_packages; optional=""; fi

if [ "$(id -u)" = 0 ]; then as_root=""; else as_root="sudo"; fi

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing="$missing $package"
done
[ -z "$optional" ] || ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
    missing_optional=$optional
if [ -n "$missing" ] || [ -n "${missing_optional:-}" ]; then
    $as_root apt-get update -qq
    for package in ${missing_optional:-}; do
        apt-cache show "$package" >/dev/null 2>&1 && missing="$missing $package"
    done
fi
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
fi

# Wine draws Japanese menus and message boxes only under a Japanese locale; the
# tests also run the game's texts in a prefix with a Western locale.
locales="ja_JP"
if [ "${1:-}" != play ]; then locales="ja_JP en_US"; fi
for name in $locales; do
    if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8\$"; then
        echo "Generating the $name.UTF-8 locale"
        $as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
    fi
done
