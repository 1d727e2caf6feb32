#!/bin/sh
# Runs fuzz targets built in BUILD_DIR (tests/fuzz), each for SECONDS: first
# over its seed corpus and the inputs kept from earlier findings, then on
# inputs of its own. Prints executions and findings per target; a finding is
# saved as BUILD_DIR/findings/TARGET-crash-... and fails the run.
#   tools/fuzz.sh BUILD_DIR SECONDS [TARGET...]
set -u
build=$1
seconds=$2
shift 2
[ $# -gt 0 ] || set -- png_decoder codec_expand codec_round_trip save_file history
source_dir=$(cd "$(dirname "$0")/.." && pwd)/tests/fuzz
status=0
summary=""
for target in "$@"; do
    case $target in
    codec_round_trip) max_len=256 ;;  # near a real block (212 bytes); the compressor's search is slow on long inputs
    *) max_len=8192 ;;
    esac
    corpus=$build/corpus/$target
    mkdir -p "$corpus" "$build/findings"
    set -- "$corpus" "$source_dir/corpus/$target"
    [ -d "$source_dir/regressions/$target" ] && set -- "$@" "$source_dir/regressions/$target"
    log=$build/fuzz_$target.log
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
    "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=$max_len -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "$@" >"$log" 2>&1
    result=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [ $result -eq 0 ]; then
        finding=none
    else
        finding=$(grep -m1 -E 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer)|runtime error|deadly signal' "$log" || echo "exit $result")
        status=1
        tail -n 40 "$log"
    fi
    summary="$summary$(printf '%-18s %12s executions in %ss  findings: %s' "$target" "${runs:-?}" "$seconds" "$finding")
"
done
printf '%s' "$summary"
exit $status
