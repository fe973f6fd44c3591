# Sourced by the benchmarks. Outside a benchmark's display, bench_enter_display installs what they
# need, builds Quillane into build-bench (unless QUILLANE_BENCH_BINARY names a build to measure),
# builds the helper programs named in its first argument into a folder of their own, and runs the
# calling script again with the rest of the arguments inside a private X display (Xvfb) and session
# bus, QUILLANE_BENCH_WORK naming that folder. Inside, it returns at once.
bench_enter_display() {
    [ -n "${QUILLANE_BENCH_INSIDE:-}" ] && return 0
    local tools=$1
    shift
    scripts/dependencies.sh test >/dev/null
    if [ -z "${QUILLANE_BENCH_BINARY:-}" ]; then
        cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLANE_TESTS=OFF >/dev/null
        cmake --build build-bench --target quillane -j"$(nproc)" >/dev/null
    fi
    local work
    work=$(mktemp -d)
    for tool in $tools; do
        case $tool in
        bare_window) cc -O2 bench/bare_window.c -o "$work/bare_window" $(pkg-config --cflags --libs gtk+-3.0 webkit2gtk-4.1) ;;
        pixel_wait) cc -O2 bench/pixel_wait.c -o "$work/pixel_wait" -lX11 ;;
        notification_service) c++ -O2 tests/tools/notification_service.cpp -o "$work/notification_service" $(pkg-config --cflags --libs gio-2.0) ;;
        esac
    done
    export QUILLANE_BENCH_INSIDE=1 QUILLANE_BENCH_WORK="$work"
    # The folder goes once the run inside is over.
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" dbus-run-session -- bash "$BENCH_SCRIPT" "$@" && status=0 || status=$?
    rm -rf "$work"
    exit "$status"
}

# For the benchmarks that run the bare window beside Quillane: it composites as Quillane does, not
# with OpenGL drawn in software (no GPU render node, or LIBGL_ALWAYS_SOFTWARE), where compositing
# costs the bare window some 170 ms before its page shows. BARE_COMPOSITING=on|off decides instead.
# `bare COMMAND…` runs the bare window so.
bench_bare_compositing() {
    if [ -z "${BARE_COMPOSITING:-}" ]; then
        BARE_COMPOSITING=on
        if ! ls /dev/dri/renderD* >/dev/null 2>&1 || { [ -n "${LIBGL_ALWAYS_SOFTWARE:-}" ] && [ "$LIBGL_ALWAYS_SOFTWARE" != 0 ]; }; then
            BARE_COMPOSITING=off
        fi
    fi
}
bare() { if [ "$BARE_COMPOSITING" = off ]; then WEBKIT_DISABLE_COMPOSITING_MODE=1 "$@"; else "$@"; fi; }
