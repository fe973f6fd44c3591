#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds (default 600)
# over a copy of its seed corpus in fuzz/corpus; a finding stops with the input that caused it.
#   bench/fuzz.sh [seconds] [target…]     targets: addresses band_colour content_types preferences message_body
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(addresses band_colour content_types preferences message_body)

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLANE_FUZZ=ON -DQUILLANE_TESTS=OFF >/dev/null
cmake --build build-fuzz --target fuzz_all -j"$(nproc)" >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan_suppressions.txt"
# GLib's slice allocator hands out GVariants from blocks it keeps reachable: one never freed goes
# unseen by the leak check, and the allocator's counts grow only a block at a time. Each slice comes
# from malloc instead.
export G_SLICE=always-malloc
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The store syncs every write to disk: in memory that costs nothing and the fuzzer runs far faster.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
status=0
for target in "${targets[@]}"; do
    mkdir -p "$scratch/$target"
    # New inputs go to the scratch folder; the seeds in the repository stay as they are.
    if ! build-fuzz/fuzz/fuzz_"$target" "$scratch/$target" fuzz/corpus/"$target" -max_total_time="$seconds" -timeout=10 \
        -artifact_prefix="$scratch/$target-" >"$scratch/$target.log" 2>&1; then
        echo "fuzz_$target: FINDING"
        tail -n 40 "$scratch/$target.log"
        ls "$scratch/$target"-* 2>/dev/null | head -3
        status=1
        continue
    fi
    runs=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$scratch/$target.log" | tail -n 1)
    echo "fuzz_$target: ${runs:-no summary}, corpus $(ls "$scratch/$target" | wc -l) new inputs"
done
exit $status
