#!/usr/bin/env bash
# Quillane side by side with a bare WebKitGTK window (bench/bare_window.c), interleaved over N rounds
# in one private display (Xvfb + openbox + a D-Bus session bus), pages served on 127.0.0.1:
#   launch until the page's colour is on screen (read from the screen's pixels), the whole process
#   tree's PSS at that moment, the tree's CPU per second over 10 s on a busy page and on a page at
#   rest, the main process's context switches per second at rest; for Quillane alone, the time from
#   a second `quillane LINK` to the new page on screen, and the self-test's run time.
# Prints medians, minimum-maximum and the ratios to the bare window. Not part of the tests.
#   bench/compare.sh [rounds]        (default 5)
# QUILLANE_BENCH_BINARY=path measures another build of Quillane (an older one, say) in its place.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}

BENCH_SCRIPT=$0
source bench/enter_display.sh
bench_enter_display "bare_window pixel_wait" "$rounds"

work=$QUILLANE_BENCH_WORK
export GTK_IM_MODULE=none NO_AT_BRIDGE=1
openbox --sm-disable >/dev/null 2>&1 &
sleep 1

site="$work/site"
mkdir -p "$site"
# The colour the launch waits for fills the whole page; the second page is the hand-over's.
echo "<body style='margin: 0; background: rgb(30, 60, 90)'></body>" > "$site/colour.html"
echo "<body style='margin: 0; background: rgb(90, 30, 60)'></body>" > "$site/other.html"
cat > "$site/busy.html" <<'PAGE'
<body style='margin: 0'><div id='strip' style='height: 40px'></div><div id='log'></div><script>
let step = 0;
setInterval(() => {
    step = (step + 1) % 256;
    strip.style.background = `rgb(${step}, 80, 120)`;
    const line = document.createElement('div');
    line.textContent = 'line ' + step;
    log.appendChild(line);
    if (log.childNodes.length > 200)
        log.removeChild(log.firstChild);
}, 10);
</script></body>
PAGE
echo "<body style='margin: 0; background: rgb(240, 240, 240)'><p>At rest.</p></body>" > "$site/rest.html"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
(cd "$site" && exec python3 -m http.server "$port" --bind 127.0.0.1 >/dev/null 2>&1) &
server=$!
sleep 0.5
url() { echo "http://127.0.0.1:$port/$1"; }
link() { echo "quillane://open?url=$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' "$(url "$1")")"; }

bench_bare_compositing
quillane=${QUILLANE_BENCH_BINARY:-build-bench/src/quillane}
stats() { python3 bench/tree_stats.py "$@"; }

# Each launch gets fresh folders: nothing cached, nothing remembered.
fresh() {
    local home
    home=$(mktemp -d "$work/home.XXXXXX")
    export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
}

start() { # program page → "milliseconds pid"
    fresh
    case $1 in
    quillane) "$work/pixel_wait" 640 512 1E3C5A "$quillane" "$(link "$2")" ;;
    bare) bare "$work/pixel_wait" 640 512 1E3C5A "$work/bare_window" "$(url "$2")" ;;
    esac
}

stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; sleep 0.3; }

cpu_per_second() { # pid → CPU seconds per second of the tree over 10 s
    local before after
    sleep 2
    before=$(stats cpu "$1")
    sleep 10
    after=$(stats cpu "$1")
    python3 -c "print(f'{($after - $before) / 10:.3f}')"
}

declare -A samples
record() { samples[$1]="${samples[$1]:-} $2"; }

for round in $(seq "$rounds"); do
    for program in quillane bare; do
        read -r launched pid _ < <(start "$program" colour.html)
        record "$program launch ms" "$launched"
        record "$program PSS MiB" "$(stats pss "$pid")"
        stop "$pid"

        fresh
        if [ "$program" = quillane ]; then "$quillane" "$(link busy.html)" & else bare "$work/bare_window" "$(url busy.html)" & fi
        pid=$!
        record "$program busy CPU s/s" "$(cpu_per_second "$pid")"
        stop "$pid"

        fresh
        if [ "$program" = quillane ]; then "$quillane" "$(link rest.html)" & else bare "$work/bare_window" "$(url rest.html)" & fi
        pid=$!
        sleep 2
        before=$(stats wakeups "$pid")
        record "$program rest CPU s/s" "$(cpu_per_second "$pid")"
        after=$(stats wakeups "$pid")
        record "$program rest wake-ups/s" "$(python3 -c "print(f'{($after - $before) / 12:.1f}')")"
        stop "$pid"
    done

    # Quillane alone: a link handed to the running program, and the self-test.
    read -r launched pid _ < <(start quillane colour.html)
    handed=$("$work/pixel_wait" 640 512 5A1E3C "$quillane" "$(link other.html)" | cut -d' ' -f1)
    record "quillane hand-over ms" "$handed"
    stop "$pid"
    fresh
    began=$(date +%s%N)
    "$quillane" --probe "$work/report.txt" >/dev/null 2>&1
    record "quillane self-test ms" "$(( ($(date +%s%N) - began) / 1000000 ))"
done
kill "$server" 2>/dev/null || true

summary() { # values → "median (min-max)"
    python3 -c "
import statistics, sys
values = [float(v) for v in sys.argv[1:] if v != 'timeout']
print(f'{statistics.median(values):.2f} ({min(values):.2f}-{max(values):.2f})' if values else 'n/a')" $1
}
median() { python3 -c "import statistics, sys; print(statistics.median([float(v) for v in sys.argv[1:] if v != 'timeout']))" $1; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $rounds rounds, bare compositing $BARE_COMPOSITING"
printf '%-22s %-26s %-26s %s\n' "figure" "Quillane" "bare window" "ratio"
for figure in "launch ms" "PSS MiB" "busy CPU s/s" "rest CPU s/s" "rest wake-ups/s"; do
    q=${samples["quillane $figure"]}
    b=${samples["bare $figure"]}
    ratio=$(python3 -c "q, b = $(median "$q"), $(median "$b"); print(f'{q / b:.2f}' if b else 'n/a')")
    printf '%-22s %-26s %-26s %s\n' "$figure" "$(summary "$q")" "$(summary "$b")" "$ratio"
done
for figure in "hand-over ms" "self-test ms"; do
    printf '%-22s %-26s\n' "$figure" "$(summary "${samples["quillane $figure"]}")"
done
