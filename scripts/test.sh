#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit and display tests, then the
# unit tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencies.sh test
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest -j"$jobs" --output-on-failure)

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUILLANE_SANITIZE=ON >/dev/null
cmake --build build-sanitize --target unit_tests -j"$jobs"
# GLib's slice allocator keeps its blocks reachable, which hides a GVariant never freed from the leak
# check: each slice comes from malloc instead.
(cd build-sanitize && G_SLICE=always-malloc ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS="suppressions=$PWD/../tests/lsan_suppressions.txt" ctest -j"$jobs" -L unit --output-on-failure)

# Each fuzz target briefly, over the seed corpus kept in fuzz/corpus.
bench/fuzz.sh 3
