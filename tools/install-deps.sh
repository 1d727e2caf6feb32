#!/bin/sh
# Installs what building, testing and playing need, and only what is missing.
# Works on Debian 12 and Ubuntu, as root or through sudo, without questions.
# The help file is built by Free Pascal's CHM writer units; the demo renders MIDI with
# FluidSynth and makes its video with ffmpeg and ImageMagick; the benchmarks
# compare the PNG decoder with libpng and stb_image under Google Benchmark.
set -e
packages="cmake make g++ libgtest-dev g++-mingw-w64-x86-64-posix mingw-w64-tools
libz-mingw-w64-dev wine wine64 xvfb xauth fonts-ipafont-gothic locales zlib1g-dev libpng-dev clang-14
python3 fp-compiler fp-units-fcl fp-units-misc fp-utils libchm-bin
fluidsynth timgm6mb-soundfont alsa-utils ffmpeg imagemagick
libbenchmark-dev libstb-dev"
# libFuzzer and the sanitizer runtimes for clang: a package of their own on
# Debian 12; on older Ubuntu releases they come with clang-14 itself.
optional="libclang-rt-14-dev"

if [ "$(id -u)" = 0 ]; then as_root=""; else as_root="sudo"; fi

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing="$missing $package"
done
ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
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

# Wine draws Japanese menus and message boxes only under a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "Generating the ja_JP.UTF-8 locale"
    $as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
