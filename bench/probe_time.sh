#!/usr/bin/env bash
# Prints how long a whole self-test run takes, from start to exit: five runs and their median, on a
# private Xvfb screen with openbox, as the tests run it. Build first (scripts/test.sh or cmake --build build).
set -euo pipefail
cd "$(dirname "$0")/.."
binary=build/src/quillane
[ -x "$binary" ] || { echo "build Quillane first: $binary is missing" >&2; exit 1; }

folder=$(mktemp -d)
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$folder"; }
pids=()
trap cleanup EXIT

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null)
pids+=($!)
read -r number <&3
export DISPLAY=":$number"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do sleep 0.05; done

cmake --install build --prefix "$folder/prefix" >/dev/null
export XDG_DATA_HOME="$folder/prefix/share" XDG_CONFIG_HOME="$folder/config" XDG_CACHE_HOME="$folder/cache" GTK_IM_MODULE=none NO_AT_BRIDGE=1
mkdir -p "$folder/out"

times=()
for run in 1 2 3 4 5; do
    start=$(date +%s.%N)
    dbus-run-session -- "$binary" --probe "$folder/out/report.txt" >/dev/null 2>&1
    end=$(date +%s.%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
    grep -q '^page: {' "$folder/out/report.txt" || { echo "run $run did not finish its page: $(head -1 "$folder/out/report.txt")" >&2; exit 1; }
done
printf 'probe runs (s): %s\n' "${times[*]}"
printf 'median: %s s\n' "$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)"
