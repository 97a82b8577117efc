#!/usr/bin/env bash
# The program's start-up against a bare Qt window under tight process
# limits, on a virtual X server: under each limit, whether each painted its
# window, and how it ended when it did not. Both end once painted
# (bench_quelvane_startup, bench_bare_window), so a run still going after
# 10 s is one waiting with no window. Prints one Markdown table.
#
# Usage: bench/limits.sh [build folder]   (default build-bench, as bench/run.sh builds it)
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${1:-build-bench}/bench
command -v xvfb-run >/dev/null || { echo "bench/limits.sh needs xvfb-run (packages xvfb and xauth)" >&2; exit 2; }

outcome() { # ulimit arguments, program
    local status=0
    (ulimit $1; exec timeout -s KILL 10 "$2") >/dev/null 2>&1 || status=$?
    if ((status == 0)); then
        echo "window painted"
    elif ((status == 137)); then
        echo "no window, still waiting after 10 s"
    elif ((status > 128)); then
        echo "killed by SIG$(kill -l $((status - 128)))"
    else
        echo "exit status $status"
    fi
}
# Runs itself again on a virtual X server of its own.
if [[ -z ${QUELVANE_LIMITS_SERVER:-} ]]; then
    QUELVANE_LIMITS_SERVER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM

echo "| limit | one-label Qt window | Quelvane |"
echo "|---|---|---|"
for limit in "-v 100000" "-v 150000" "-n 5" "-n 7" "-n 9" "-n 12" "-s 64" "-s 128"; do
    echo "| ulimit $limit | $(outcome "$limit" "$bench/bench_bare_window") | $(outcome "$limit" "$bench/bench_quelvane_startup") |"
done
