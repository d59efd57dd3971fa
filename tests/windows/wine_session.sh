#!/usr/bin/env bash
# Runs a command in a Wine session of its own: a fresh Wine prefix in a temporary folder, a
# private Xvfb display and a PulseAudio null sink (Wine's XAudio2 needs an output device). All of
# it is stopped and removed afterwards; the command's exit status is the script's.
#
#   tests/windows/wine_session.sh ctest --test-dir build-windows -L windows
set -euo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 command [argument...]" >&2
    exit 2
fi

session="$(mktemp -d -t banner-wine.XXXXXX)"
xvfb_pid=""
cleanup() {
    local status=$?
    set +e
    if [ -d "$session/prefix" ]; then
        /usr/lib/wine/wineserver -k >/dev/null 2>&1
        /usr/lib/wine/wineserver -w >/dev/null 2>&1
    fi
    if [ -f "$session/runtime/pulse/pid" ]; then
        kill "$(cat "$session/runtime/pulse/pid")" >/dev/null 2>&1
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" >/dev/null 2>&1
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$session"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display of its own, on the first free number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$session/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$session/display" ] && break
    sleep 0.1
done
if [ ! -s "$session/display" ]; then
    echo "wine_session: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(cat "$session/display")"

# An audio output that plays into nothing.
mkdir -p "$session/runtime" "$session/config"
chmod 700 "$session/runtime"
export XDG_RUNTIME_DIR="$session/runtime" XDG_CONFIG_HOME="$session/config"
if ! pulseaudio -D --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
        --load=module-native-protocol-unix >/dev/null 2>&1; then
    echo "wine_session: cannot start PulseAudio's null sink" >&2
    exit 1
fi

# Quiet Wine, no crash debugger (a crash must fail at once, not wait for someone), no offer to
# install .NET or a browser engine into the new prefix, and no copies of Start-menu shortcuts
# in the desktop's menus outside the session.
export WINEPREFIX="$session/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d;winemenubuilder.exe=d"
if ! /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1; then
    echo "wine_session: cannot make a Wine prefix" >&2
    exit 1
fi
/usr/lib/wine/wineserver -w
# The server and Wine's own services keep running between programs: each test would otherwise
# wait for them to start, and services started by a test would hold on to its output.
/usr/lib/wine/wineserver -p
/usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1

"$@"
