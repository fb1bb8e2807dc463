#!/usr/bin/env bash
# Runs each fuzz target of a VANTREL_FUZZ build for a set time on a fresh copy of its seed
# corpus (tests/fuzz/<target>/) and fails when any target finds a crash, leak, hang or blow-up.
# Usage: run-fuzz.sh BUILD_DIR SECONDS TARGET...
# Findings are kept as BUILD_DIR/fuzz-findings/<target>-crash-...; replay one with
# BUILD_DIR/bin/fuzz_<target> <file>.
set -uo pipefail
cd "$(dirname "$0")/.."

build=$1 seconds=$2
shift 2

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "$@"; do
    corpus=$build/fuzz-corpus/$target
    findings=$build/fuzz-findings
    rm -rf "$corpus"
    mkdir -p "$corpus" "$findings"
    cp tests/fuzz/"$target"/* "$corpus"/
    log=$build/fuzz-$target.log
    echo "fuzz_$target: ${seconds}s"
    "$build/bin/fuzz_$target" "$corpus" -max_total_time="$seconds" -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        >"$log" 2>&1
    rc=$?
    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|Done [0-9]+ runs)' "$log" |
        sed "s/^/  /"
    if [[ $rc -ne 0 ]]; then
        echo "fuzz_$target FAILED (exit $rc); the end of $log:" >&2
        tail -n 60 "$log" >&2
        failed+=("$target")
    fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "Fuzzing found faults in: ${failed[*]} (inputs in $build/fuzz-findings)" >&2
    exit 1
fi
