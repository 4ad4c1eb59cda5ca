# A private Xvfb screen for Wine's real windows, shared by the scripts that need one.
# Source it, then:
#   xscreen_start 240x320    starts a screen of that size on a free display and exports DISPLAY
#   xscreen_stop             stops it (nothing when none was started)
# A display counts as taken while its lock or socket exists: others may run Xvfb meanwhile.
XSCREEN_PID=""

xscreen_start() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
    XSCREEN_PID=$!
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$n" ] || { echo "xscreen: Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$n"
}

xscreen_stop() {
    if [ -n "$XSCREEN_PID" ]; then
        kill "$XSCREEN_PID" 2>/dev/null || true
        wait "$XSCREEN_PID" 2>/dev/null || true
    fi
    XSCREEN_PID=""
}
