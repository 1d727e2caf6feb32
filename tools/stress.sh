#!/bin/sh
# Runs the end-to-end stress tests of the Windows build tree BUILD_DIR for
# ROUNDS rounds in all, in batches that stay inside a test's time limit, and
# prints each batch's figures.
#   tools/stress.sh BUILD_DIR ROUNDS
set -eu
build=$1
rounds=$2
batch=50
cd "$build"
run=0
while [ "$run" -lt "$rounds" ]; do
    n=$((rounds - run))
    [ "$n" -le "$batch" ] || n=$batch
    if ! VARLO_STRESS_ROUNDS=$n ctest --output-on-failure -V -R '^KillDuringSave\.' >stress.log 2>&1; then
        cat stress.log
        exit 1
    fi
    sed -n 's/^[0-9]*: \(forced ends:.*\)/\1/p' stress.log
    run=$((run + n))
done
