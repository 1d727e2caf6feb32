#!/bin/sh
# Runs the end-to-end stress tests of the Windows build tree BUILD_DIR with
# ROUNDS rounds: forced ends around the save, closes at random moments of
# every part of the program, and the whole corpus of hostile save files.
# Prints each test's figures. They run outside CTest, whose time limit per
# test they would pass.
#   tools/stress.sh BUILD_DIR ROUNDS
set -eu
build=$(cd "$1" && pwd)
rounds=$2
log=$build/stress.log
status=0
VARLO_STRESS_ROUNDS=$rounds VARLO_EXE=$build/bin/VARLO.EXE VARLO_DOUBLES=$build/doubles \
VARLO_SCRATCH=$build/scratch "$build/run-wine.sh" "$build/bin/varlo_e2e_tests.exe" \
    --gtest_filter='KillDuringSave.*:Closes/ShutdownStress.*:HostileSaveFiles.*' >"$log" 2>&1 || status=$?
grep -E '^(forced ends|closes during|hostile files)' "$log" || true
if [ "$status" -ne 0 ]; then
    grep -E 'Failure|FAILED|: the|round' "$log" | head -n 60
    echo "stress tests failed; the whole log is $log"
fi
exit "$status"
