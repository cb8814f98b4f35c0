#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, then runs
# each one in turn for a bounded number of runs on a copy of its seed corpus. Any sanitizer report or
# broken property fails the script; the input that caused it is kept under build/fuzz/findings/.
#
# FUZZ_SCALE (default 1) multiplies every target's number of runs, for a longer session by hand.
# FUZZ_SEED (default 1) fixes libFuzzer's random choices, so that the test command gives the same
# answer on every run of the same tree; FUZZ_SEED=0 draws a fresh seed, for exploring by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DSTACKER_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
cmake --build "$build" -j2 --target fuzzers

# Runs per target, chosen so that each takes roughly 20 to 25 seconds on an idle machine; the file
# targets are slower since every run writes files. The 15 s cap usually ends a run first and keeps
# the whole test command near its budget.
targets=(settings:45000 variables:35000 rewrite:28000 linestream:220000 linesyntax:110000 panel:40000 partfileread:25000 dryrun:20000 carve:2000)
scale=${FUZZ_SCALE:-1}
max_time=$((15 * scale))
seed=${FUZZ_SEED:-1}

# Every report is fatal, and a run that reports anything exits non-zero.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
# Qt's hashes take a random seed per process otherwise, and their order steers the coverage.
export QT_HASH_SEED=0

# A RAM disk where there is one: the file targets sync every file they save, and on a shared disk
# that alone can make them ten times slower from one minute to the next.
tmp_base=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && tmp_base=/dev/shm
run_root=$(mktemp -d "$tmp_base/stacker-fuzz-run.XXXXXX")
trap 'rm -rf "$run_root"' EXIT
# The targets make their files in a folder of their own under TMPDIR; one that stops on a finding
# cannot clean up, so the whole of it goes with run_root.
export TMPDIR="$run_root/tmp"
mkdir -p "$TMPDIR" "$build/findings"

summary=()
failed=0
for entry in "${targets[@]}"; do
    name=${entry%%:*}
    runs=$((${entry##*:} * scale))
    corpus="$run_root/corpus-$name"
    cp -r "tests/fuzz/corpus/$name" "$corpus"
    log="$build/findings/fuzz_$name.log"
    echo "== fuzz_$name: up to $runs runs, at most $max_time s"
    start=$(date +%s)
    status=0
    "$build/tests/fuzz/fuzz_$name" -runs="$runs" -max_total_time="$max_time" -seed="$seed" -timeout=20 \
        -artifact_prefix="$build/findings/fuzz_$name-" "$corpus" >"$log" 2>&1 || status=$?
    seconds=$(($(date +%s) - start))
    # libFuzzer's last status line ("#N ...") or its closing "Done N runs" gives the count.
    done_runs=$(grep -oE '^Done [0-9]+ runs' "$log" | tail -1 | grep -oE '[0-9]+' || true)
    [ -n "$done_runs" ] || done_runs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#' || true)
    if [ "$status" -ne 0 ]; then
        failed=1
        echo "fuzz_$name FAILED (exit $status); its log:"
        grep -vE '^(#[0-9]+|INFO:)' "$log" | head -60
        summary+=("$(printf '%-16s %8s runs %4s s   FAILED' "fuzz_$name" "${done_runs:-?}" "$seconds")")
    else
        summary+=("$(printf '%-16s %8s runs %4s s   ok' "fuzz_$name" "${done_runs:-?}" "$seconds")")
    fi
done

echo
echo "Fuzzing summary:"
printf '  %s\n' "${summary[@]}"
if [ "$failed" -ne 0 ]; then
    echo "Findings are under $build/findings/ (inputs named fuzz_<target>-crash-*)."
    exit 1
fi
