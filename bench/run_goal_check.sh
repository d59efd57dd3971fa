#!/usr/bin/env bash
# Measures the show the way its performance goals are judged and says which of them hold:
# three consecutive runs of both passes, then one run of the optimised pass beside a process
# that keeps one processor busy. Prints every table in full with the load average before each
# run, then one verdict line per goal and run. About five minutes.
#   bench/run_goal_check.sh [benchmark]      (default build/bench/banner_benchmark)
# The goals: no frame over 40 ms, a 95th percentile of at most 20 ms in every phase (40 ms beside
# the busy process), the optimised path nowhere slower than the plain one (median and 95th
# percentile of the wall time), start-up within 300 ms and a peak RSS of at most 200 MB.
set -euo pipefail
benchmark=$(realpath "${1:-build/bench/banner_benchmark}")
[[ -x $benchmark ]] || { echo "run_goal_check: no benchmark at $benchmark" >&2; exit 1; }
results=$(mktemp -d)
busy=
cleanup() {
    [[ -n $busy ]] && kill "$busy" 2>/dev/null
    rm -rf "$results"
}
trap cleanup EXIT

load() { cut -d' ' -f1-3 /proc/loadavg; }

for run in 1 2 3; do
    echo "=== run $run of 3: $benchmark (load average $(load))"
    "$benchmark" 2>/dev/null | tee "$results/run$run"
    echo
done
sh -c 'while :; do :; done' &
busy=$!
echo "=== beside a busy process: $benchmark --passes optimised (load average $(load))"
"$benchmark" --passes optimised 2>/dev/null | tee "$results/busy"
kill "$busy"
busy=
echo

# Reads one benchmark report and prints a verdict line per goal: all of them for a run of both
# passes ("full"), the 95th percentile within 40 ms for the run beside the busy process ("busy").
verdicts() {
    awk -v name="$1" -v kind="$2" '
        function verdict(goal, ok, detail) {
            printf "%-6s %-52s %s  (%s)\n", name, goal, ok ? "met" : "NOT MET", detail
            if (!ok) failed = 1
        }
        /^optimised pass/ { table = "optimised"; startup = $6; rss = $10; next }
        /^unoptimised pass/ { table = "plain"; next }
        /over optimised/ { table = "ratios"; next }
        table == "optimised" && $1 ~ /^[0-9]+$/ {
            if ($6 > worstMax) { worstMax = $6; maxPhase = $1 }
            if ($5 > worstP95) { worstP95 = $5; p95Phase = $1 }
        }
        table == "ratios" && $1 ~ /^[0-9]+$/ {
            for (i = 3; i <= 4; ++i) {
                if (lowest == "" || $i < lowest) { lowest = $i; lowPhase = $1 }
            }
        }
        END {
            p95limit = kind == "full" ? 20 : 40
            if (kind == "full") {
                verdict("no frame over 40 ms", worstMax <= 40,
                        "longest " worstMax " ms, phase " maxPhase)
            }
            verdict("95th percentile within " p95limit " ms in every phase",
                    worstP95 <= p95limit, "worst " worstP95 " ms, phase " p95Phase)
            if (kind == "full") {
                verdict("optimised path nowhere slower than the plain one", lowest >= 1,
                        "lowest plain/optimised wall ratio " lowest ", phase " lowPhase)
                verdict("start-up within 300 ms", startup <= 300, startup " ms")
                verdict("peak RSS at most 200 MB", rss <= 200, rss " MB")
            }
            exit failed
        }' "$3"
}

echo "=== goals"
status=0
for run in 1 2 3; do
    verdicts "run $run" full "$results/run$run" || status=1
done
verdicts "busy" busy "$results/busy" || status=1
exit $status
