#!/bin/sh
# `make bench`: runs the native benchmarks (tools/bench/native.sh) and the Wine
# benchmarks (varlo_bench_wine.exe of the Windows tree, under its Wine runner),
# then the Wine benchmarks' pacing again while busy loops, one a core, keep
# every core busy; prints the report and writes it to OUTPUT_MD with the
# machine it ran on. Benchmarks report figures; a target missed is reported,
# never a failure. The run takes about fifteen minutes; nothing else should use
# the machine meanwhile.
#   tools/bench.sh NATIVE_BUILD WINDOWS_BUILD OUTPUT_MD
# VARLO_BENCH_RUNNER: another Wine runner (one with a prefix of its own);
# VARLO_BENCH_ARGS: options for varlo_bench_wine.exe (--launches, --idle, --cycles, --games).
set -u
if [ $# -ne 3 ]; then
    echo "usage: $0 NATIVE_BUILD WINDOWS_BUILD OUTPUT_MD" >&2
    exit 2
fi
tools=$(cd "$(dirname "$0")" && pwd)
native=$1
windows=$(cd "$2" && pwd)
output=$3
runner=${VARLO_BENCH_RUNNER:-$windows/run-wine.sh}
log=$windows/bench.log
started=$(date +%s)
report=$(mktemp)
load_pids=
stop_load() {
    [ -n "$load_pids" ] && kill $load_pids 2>/dev/null && wait $load_pids 2>/dev/null
    load_pids=
}
trap 'stop_load; rm -f "$report"' EXIT
trap 'exit 130' INT TERM

# The shared runner ends its prefix's wineserver when it is done, which would
# end the programs of a CTest run on the same prefix: wait for such a run to end.
if [ -z "${VARLO_BENCH_RUNNER:-}" ]; then
    while pgrep -x ctest >/dev/null; do
        echo "bench: a ctest run is under way; waiting for it to end" >&2
        sleep 30
    done
fi

# The program as make dist packages it, without its debugging information.
mkdir -p "$windows/bench"
x86_64-w64-mingw32-strip --strip-debug -o "$windows/bench/VARLO.EXE" "$windows/bin/VARLO.EXE" || exit 1
cp "$windows/bin/VARLO.CHM" "$windows/bench/" 2>/dev/null

bench_wine() {
    VARLO_EXE=$windows/bench/VARLO.EXE VARLO_DOUBLES=$windows/doubles VARLO_SCRATCH=$windows/scratch \
        "$runner" "$windows/bin/varlo_bench_wine.exe" ${VARLO_BENCH_ARGS:-} "$@" >"$log.raw" 2>&1
    result=$?
    tr -d '\r' <"$log.raw" >>"$log" && rm -f "$log.raw"
    return $result
}

echo "bench: the Wine benchmarks (about eight minutes)" >&2
: >"$log"
bench_wine
status=$?
grep -q '^row	' "$log" || status=1

# The load: a busy loop a core, each ended by its time limit at the latest and
# killed as soon as the run is done.
echo "bench: the pacing again with every core busy (about six minutes)" >&2
for core in $(seq "$(nproc)"); do
    timeout 1200 sh -c 'while :; do :; done' &
    load_pids="$load_pids $!"
done
bench_wine --loaded 1 || status=1
stop_load
grep -q '^row	timing\.loaded\.' "$log" || status=1

echo "bench: the native benchmarks" >&2
native_md=$(mktemp)
if [ -x "$tools/bench/native.sh" ] && "$tools/bench/native.sh" "$native" >"$native_md"; then
    native_section=$(cat "$native_md")
else
    native_section="native benchmarks not built"
fi
rm -f "$native_md"

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
memory=$(awk '/^MemTotal:/ { printf "%.1f GB", $2 / 1048576 }' /proc/meminfo)
os=$( (. /etc/os-release && echo "$PRETTY_NAME") 2>/dev/null || uname -s)
wine_version=$(wine --version 2>/dev/null || echo "not found")
minutes=$(( ($(date +%s) - started + 30) / 60 ))

{
    cat "$tools/bench/intro.md"
    echo
    echo "## Machine"
    echo
    echo "| | |"
    echo "|---|---|"
    echo "| CPU | ${cpu:-unknown} |"
    echo "| cores | $(nproc) |"
    echo "| memory | $memory |"
    echo "| OS | $os, Linux $(uname -r) |"
    echo "| Wine | $wine_version |"
    echo "| date | $(date -u '+%Y-%m-%d %H:%M UTC') |"
    echo "| run time | about $minutes min |"
    echo
    echo "## Under Wine"
    echo
    if [ "$status" -ne 0 ]; then
        echo "**The Wine benchmarks did not run to their end; the figures below are those gathered.**"
        echo
    fi
    awk -f "$tools/bench/report.awk" -v missed_dir="$tools/bench/missed" "$log"
    echo
    echo "$native_section"
} >"$report"

cat "$report"
mkdir -p "$(dirname "$output")"
cp "$report" "$output"
echo "bench: written to $output; the Wine program's log is $log" >&2
exit "$status"
