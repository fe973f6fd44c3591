#!/usr/bin/env bash
# Memory of Quillane's interface process over long runs of what a hostile or busy page does: a page
# that shows and closes 10,000 notifications, and 1,000 pop-ups that close themselves, one per key
# press. Prints the process's resident memory after each stretch: it should stay flat. Not part of
# the tests; runs in a private display (Xvfb + openbox + a D-Bus session bus of its own).
#   bench/hostile_memory.sh [notifications] [pop-ups]     (default 10000 1000)
# QUILLANE_BENCH_BINARY=path measures another build of Quillane in its place.
set -euo pipefail
cd "$(dirname "$0")/.."
notifications=${1:-10000}
popups=${2:-1000}

BENCH_SCRIPT=$0
source bench/enter_display.sh
bench_enter_display "notification_service" "$notifications" "$popups"

work=$QUILLANE_BENCH_WORK
export GTK_IM_MODULE=none NO_AT_BRIDGE=1
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
mkdir -p "$XDG_CONFIG_HOME/quillane" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
openbox --sm-disable >/dev/null 2>&1 &
"$work/notification_service" "$work/notifications.log" &
sleep 1

site="$work/site"
mkdir -p "$site"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# Shows and closes notifications a thousand at a time, when told to, and says when each thousand is done.
cat > "$site/notify.html" <<'PAGE'
<body style='margin: 0; background: rgb(240, 240, 240)'><script>
const round = async () => {
    for (let i = 0; i < 1000; ++i) {
        const shown = new Notification('Message ' + i, { body: 'A line of text', tag: 't' + i });
        await new Promise(resolve => setTimeout(resolve, 1));
        shown.close();
    }
    await fetch('/done');
};
addEventListener('keydown', round);
</script></body>
PAGE
echo "<body style='margin: 0; background: rgb(200, 220, 240)'><script>addEventListener('keydown', () => window.open('/closes.html'))</script></body>" > "$site/popups.html"
echo "<title>Pop-up</title><script>addEventListener('load', () => setTimeout(() => window.close(), 20))</script>" > "$site/closes.html"
python3 - "$port" "$site" "$work/done" <<'SERVER' &
import http.server, sys, functools
port, site, done = int(sys.argv[1]), sys.argv[2], sys.argv[3]
class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        if self.path == '/done':
            with open(done, 'a') as out:
                out.write('done\n')
            self.send_response(204)
            self.end_headers()
            return
        super().do_GET()
    def log_message(self, *args):
        pass
http.server.ThreadingHTTPServer(('127.0.0.1', port), functools.partial(Handler, directory=site)).serve_forever()
SERVER
server=$!
sleep 0.5
trap 'kill $server 2>/dev/null || true' EXIT

quillane=${QUILLANE_BENCH_BINARY:-build-bench/src/quillane}
rss() { awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
main_window() { xdotool search --sync --onlyvisible --class '^Quillane$' | head -1; }

echo "notifications shown and closed, then the interface process's resident memory (MiB):"
printf "[Preferences]\naddress='http://127.0.0.1:%s/notify.html'\nnotifications={'http://127.0.0.1:%s': true}\nfloat=false\n" "$port" "$port" \
    > "$XDG_CONFIG_HOME/quillane/preferences.ini"
"$quillane" >/dev/null 2>&1 &
pid=$!
window=$(main_window)
sleep 2
echo "  0: $(rss $pid)"
: > "$work/done"
for ((shown = 1000; shown <= notifications; shown += 1000)); do
    xdotool windowactivate --sync "$window" key space
    while [ "$(wc -l < "$work/done")" -lt $((shown / 1000)) ]; do sleep 0.2; done
    sleep 0.5
    echo "  $shown: $(rss $pid)"
done
kill $pid; wait $pid 2>/dev/null || true

echo "pop-ups opened (one per key press) and closed by themselves, then the resident memory (MiB):"
printf "[Preferences]\naddress='http://127.0.0.1:%s/popups.html'\nfloat=false\n" "$port" > "$XDG_CONFIG_HOME/quillane/preferences.ini"
"$quillane" >/dev/null 2>&1 &
pid=$!
window=$(main_window)
sleep 2
echo "  0: $(rss $pid)"
step=$(( popups >= 200 ? 200 : popups ))
for ((opened = step; opened <= popups; opened += step)); do
    for ((press = 0; press < step; ++press)); do
        xdotool windowactivate --sync "$window" key space
        # The next press waits for the pop-up to have gone.
        for ((look = 0; look < 100; ++look)); do
            [ -z "$(xdotool search --onlyvisible --name '^Pop-up$' 2>/dev/null)" ] && break
            sleep 0.02
        done
    done
    sleep 1
    echo "  $opened: $(rss $pid)"
done
kill $pid; wait $pid 2>/dev/null || true
