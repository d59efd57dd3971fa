#!/usr/bin/env bash
# Plays the real program to the end of its show on a private Xvfb display with silent audio and
# reports: start-up (launch to the window shown, which comes just before the first frame),
# peak memory (VmHWM) and the CPU time it used over its run.
#   bench/banner_under_xvfb.sh [program]      (default build/app/banner)
set -euo pipefail
program=$(realpath "${1:-build/app/banner}")
export SDL_AUDIODRIVER=dummy PROGRAM="$program"
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
    ticks=$(getconf CLK_TCK)
    start=$(date +%s%N)
    "$PROGRAM" & pid=$!
    until xdotool search --onlyvisible --name "D3D Tutorial 03: Matrices" >/dev/null 2>&1; do
        kill -0 $pid 2>/dev/null || { echo "the program ended before showing its window"; exit 1; }
        sleep 0.002
    done
    shown=$(date +%s%N)
    hwm=0; cpu=0
    while status=$(cat /proc/$pid/status 2>/dev/null) && stat=$(cat /proc/$pid/stat 2>/dev/null); do
        hwm=$(awk "/^VmHWM/ {print \$2}" <<<"$status")
        # utime and stime: fields 14 and 15, counted after the name in parentheses.
        cpu=$(sed "s/.*) //" <<<"$stat" | awk -v t=$ticks "{print (\$12 + \$13) * 1000 / t}")
        sleep 0.2
    done
    wait $pid && code=0 || code=$?
    end=$(date +%s%N)
    wall=$(( (end - start) / 1000000 ))
    echo "exit status $code"
    echo "start-up to window shown: $(( (shown - start) / 1000000 )) ms"
    echo "peak RSS (VmHWM): $(( hwm / 1024 )) MB"
    echo "CPU: $cpu ms over $wall ms wall ($(awk -v c=$cpu -v w=$wall "BEGIN {printf \"%.1f\", 100 * c / w}")% of one core)"
'
