#!/usr/bin/env bash
# Coverage-guided fuzzing of every input the programs take from outside: builds the
# libFuzzer targets (tests/fuzz/*_fuzzer.cpp, clang, the core under AddressSanitizer and
# UndefinedBehaviorSanitizer) in a build folder of their own and runs each for SECONDS on
# all cores, starting from its seeds and kept findings under tests/fuzz/ and from what
# earlier runs in the same build folder found. Prints each target's executions and
# coverage; exits non-zero on a finding (a crash, a broken property, a hang, a leak or a
# run out of memory) that its reproducer gives again when replayed alone, naming the file
# (and printing it as base64). A finding that does not come back is reported, not failed.
#
# Usage: scripts/fuzz.sh SECONDS [TARGET...]   (default: every target)
# QX260_FUZZ_BUILD names the build folder (default build-fuzz/); QX260_WERROR=ON makes the
# core's warnings errors (./run-tests).
#
# A finding: replay it with build-fuzz/bin/TARGET_fuzzer FILE, make it small with
# build-fuzz/bin/TARGET_fuzzer -minimize_crash=1 -runs=100000 FILE, and keep it as
# tests/fuzz/regressions/TARGET/WHAT-IT-IS, where every test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?"usage: scripts/fuzz.sh SECONDS [TARGET...]"}
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(dat_file config_files channel_csv typed_values protocol)
fi
build=${QX260_FUZZ_BUILD:-build-fuzz}
cores=$(nproc)

mkdir -p "$build"
if ! { cmake -S . -B "$build" -DQX260_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
                 -DQX260_WERROR="${QX260_WERROR:-OFF}" &&
       cmake --build "$build" -j"$cores"; } >"$build/fuzz-build.log" 2>&1; then
    cat "$build/fuzz-build.log"
    echo "fuzz: the targets did not build" >&2
    exit 1
fi

failed=0
report=()
for target in "${targets[@]}"; do
    fuzzer=$build/bin/${target}_fuzzer
    if [ ! -x "$fuzzer" ]; then
        echo "fuzz: no target \"$target\"" >&2
        exit 64
    fi
    work=$build/fuzz/$target
    rm -rf "$work/findings"
    mkdir -p "$work/corpus" "$work/findings"
    seeds=(tests/fuzz/corpus/"$target")
    if [ -d tests/fuzz/regressions/"$target" ]; then
        seeds+=(tests/fuzz/regressions/"$target")
    fi
    status=0
    # Fork mode: one fuzzing job per core. Hangs (10 s for one input) and memory runs are
    # findings too, not only crashes.
    "$fuzzer" -fork="$cores" -max_total_time="$seconds" -ignore_crashes=0 -ignore_timeouts=0 \
        -ignore_ooms=0 -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$work/findings/" \
        "$work/corpus" "${seeds[@]}" >"$work/log" 2>&1 || status=$?

    # The last status line: "#EXECS: cov: EDGES ft: FEATURES corp: INPUTS exec/s ..."
    stats=$(grep -E '^#[0-9]+: cov: ' "$work/log" | tail -n 1 || true)
    read -r execs edges features inputs <<<"$(sed -E 's/^#([0-9]+): cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/\1 \2 \3 \4/' <<<"$stats")"
    echo "$target: ${execs:-0} executions, coverage ${edges:-0} edges (${features:-0} features), corpus ${inputs:-0} inputs, ${seconds} s on $cores cores"

    findings=$(find "$work/findings" -type f | sort)
    if [ -n "$findings" ] || [ "$status" -ne 0 ]; then
        # Each finding is replayed on its own. One that fails again is a fault of the code
        # and fails the run; one that does not (a hang or a memory run seen only while the
        # machine was overloaded, a job killed from outside) is reported but fails nothing.
        # Kept for the end, where a log cut from the front still shows it: what broke, and
        # each reproducer as base64 too, so that a finding on another machine can be replayed.
        confirmed=0
        report+=("$target (exit status $status), log $work/log:")
        while IFS= read -r line; do
            report+=("    $line")
        done < <(grep -E 'property broken|ERROR: |SUMMARY: |INFO: .*(crash|timeout|oom|leak)' "$work/log" |
            sort -u | head -n 8)
        for f in $findings; do
            replayed=0
            "$fuzzer" -timeout=10 -rss_limit_mb=2048 "$f" >"$f.replay" 2>&1 || replayed=$?
            if [ "$replayed" -ne 0 ]; then
                confirmed=1
                report+=("    reproducer: $f ($(stat -c %s "$f") bytes), fails again when replayed")
            else
                report+=("    reproducer: $f ($(stat -c %s "$f") bytes), passes when replayed alone")
            fi
            if [ "$(stat -c %s "$f")" -le 4096 ]; then
                report+=("    base64: $(base64 -w0 "$f")")
            fi
        done
        if [ -z "$findings" ]; then
            report+=("    no reproducer kept; the log's last lines:")
            while IFS= read -r line; do
                report+=("    $line")
            done < <(tail -n 12 "$work/log")
        fi
        if [ "$confirmed" -ne 0 ]; then
            failed=1
        else
            report+=("    (not reproduced: reported, not failed)")
        fi
    fi
done

if [ ${#report[@]} -gt 0 ]; then
    printf '%s\n' "${report[@]}"
fi
if [ "$failed" -ne 0 ]; then
    echo "fuzz: FINDINGS (see above)"
    exit 1
fi
echo "fuzz: no findings"
