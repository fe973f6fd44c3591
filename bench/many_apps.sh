#!/usr/bin/env bash
# N web applications at once (three different local sites by default), side by side with N bare
# WebKitGTK windows (bench/bare_window.c) and, where Chromium is installed, one Chromium profile
# with N --app windows; interleaved over rounds in one private display (Xvfb + openbox + a D-Bus
# session bus). For each: the time until each window shows at the middle of the screen and until its
# page's colour does, and the proportional set size of all their processes together once the pages
# have settled. Prints medians, minimum-
# maximum, and the ratios to the others. Not part of the tests.
#   bench/many_apps.sh [applications] [rounds]        (default 3 5)
# QUILLANE_BENCH_BINARY=path measures another build of Quillane in its place; BENCH_PROGRAMS="quillane"
# measures only those named.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-3}
rounds=${2:-5}

BENCH_SCRIPT=$0
source bench/enter_display.sh
bench_enter_display "bare_window pixel_wait" "$count" "$rounds"

work=$QUILLANE_BENCH_WORK
export GTK_IM_MODULE=none NO_AT_BRIDGE=1
openbox --sm-disable >/dev/null 2>&1 &
sleep 1

# Each application is a site of its own (its own port), a page of one colour with some text and a script.
colours=(1E3C5A 5A1E3C 3C5A1E 1E5A3C 3C1E5A 5A3C1E 2A2A6A 6A2A2A 2A6A2A)
servers=()
urls=()
for index in $(seq 0 $((count - 1))); do
    colour=${colours[$((index % ${#colours[@]}))]}
    site="$work/site$index"
    mkdir -p "$site"
    cat > "$site/index.html" <<PAGE
<title>Application $index</title><body style='margin: 0; background: #$colour; color: white; font: 15px sans-serif'>
<h1>Application $index</h1><p id='clock'></p><ul>$(for line in $(seq 40); do echo "<li>Message $line from someone</li>"; done)</ul>
<script>setInterval(() => clock.textContent = new Date().toLocaleTimeString(), 1000)</script></body>
PAGE
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    (cd "$site" && exec python3 -m http.server "$port" --bind 127.0.0.1 >/dev/null 2>&1) &
    servers+=($!)
    urls+=("http://127.0.0.1:$port/index.html")
done
sleep 0.5
link() { echo "quillane://open?url=$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' "$1")"; }

bench_bare_compositing
quillane=${QUILLANE_BENCH_BINARY:-build-bench/src/quillane}
chromium=$(command -v chromium || command -v chromium-browser || command -v google-chrome || true)
programs="quillane bare"
[ -n "$chromium" ] && programs="$programs chromium"
programs=${BENCH_PROGRAMS:-$programs}

fresh() {
    local home
    home=$(mktemp -d "$work/home.XXXXXX")
    export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
}

declare -A samples
record() { samples[$1]="${samples[$1]:-} $2"; }

# Starts application INDEX of PROGRAM and waits for its colour at the middle of the screen, where
# each new window is centred; prints "milliseconds pid".
start() {
    local colour=${colours[$(($2 % ${#colours[@]}))]} url=${urls[$2]}
    case $1 in
    quillane) "$work/pixel_wait" 640 512 "$colour" "$quillane" --app "app$2" "$(link "$url")" ;;
    bare) bare "$work/pixel_wait" 640 512 "$colour" "$work/bare_window" "$url" ;;
    chromium) "$work/pixel_wait" 640 512 "$colour" "$chromium" --user-data-dir="$work/chromium-profile" --no-first-run \
        --no-default-browser-check --window-size=640,410 --window-position=320,307 --app="$url" ;;
    esac
}

for round in $(seq "$rounds"); do
    for program in $programs; do
        fresh
        rm -rf "$work/chromium-profile"
        pids=()
        for index in $(seq 0 $((count - 1))); do
            read -r launched pid shown < <(start "$program" "$index")
            record "$program launch $((index + 1)) ms" "$launched"
            record "$program window $((index + 1)) ms" "$shown"
            pids+=("$pid")
        done
        sleep 5
        # A later Quillane or Chromium start hands over and ends: the first process holds them all.
        live=()
        for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && live+=("$pid"); done
        record "$program PSS MiB" "$(python3 bench/tree_stats.py pss "${live[@]}")"
        record "$program processes" "$(python3 bench/tree_stats.py count "${live[@]}")"
        for pid in "${live[@]}"; do kill "$pid" 2>/dev/null || true; done
        for pid in "${live[@]}"; do wait "$pid" 2>/dev/null || true; done
        sleep 0.5
    done
done
kill "${servers[@]}" 2>/dev/null || true

summary() {
    python3 -c "
import statistics, sys
values = [float(v) for v in sys.argv[1:] if v != 'timeout']
print(f'{statistics.median(values):.1f} ({min(values):.1f}-{max(values):.1f})' if values else 'n/a')" $1
}
median() { python3 -c "import statistics, sys; v = [float(x) for x in sys.argv[1:] if x != 'timeout']; print(statistics.median(v) if v else 0)" $1; }
ratio() { python3 -c "a, b = $1, $2; print(f'{a / b:.2f}' if b else 'n/a')"; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $count applications, $rounds rounds, bare compositing $BARE_COMPOSITING"
[ -z "$chromium" ] && echo "Chromium is not installed: its column is left out"
printf '%-18s' "figure"
for program in $programs; do printf '%-24s' "$program"; done
echo
figures=("PSS MiB" "processes")
for index in $(seq 1 "$count"); do figures+=("window $index ms" "launch $index ms"); done
for figure in "${figures[@]}"; do
    printf '%-18s' "$figure"
    for program in $programs; do printf '%-24s' "$(summary "${samples["$program $figure"]:-}")"; done
    echo
done
q=$(median "${samples["quillane PSS MiB"]}")
[ -n "${samples["bare PSS MiB"]:-}" ] && echo "Quillane's memory: $(ratio "$q" "$(median "${samples["bare PSS MiB"]}")") x the bare windows'" \
    "$([ -n "$chromium" ] && echo ", $(ratio "$q" "$(median "${samples["chromium PSS MiB"]}")") x Chromium's")"
[ "$count" -gt 1 ] && echo "Quillane's second application: its window on screen in $(ratio "$(median "${samples["quillane window 2 ms"]}")" \
    "$(median "${samples["quillane window 1 ms"]}")") x the first one's time, its page in $(ratio "$(median "${samples["quillane launch 2 ms"]}")" \
    "$(median "${samples["quillane launch 1 ms"]}")") x"
