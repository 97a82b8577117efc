#!/bin/bash
# Runs every trial on PROGRAM, each into OUTDIR/<name>/, and writes OUTDIR/SUMMARY.txt.
# usage: run-all.sh PROGRAM OUTDIR
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
PROG=$(readlink -f "${1:?usage: run-all.sh PROGRAM OUTDIR}"); OUT=${2:?usage: run-all.sh PROGRAM OUTDIR}
mkdir -p "$OUT" && OUT=$(cd "$OUT" && pwd)
for t in openbox gnome kwin weston themes orca; do
    echo "### trial-$t.sh ($(date +%T))"
    start=$SECONDS
    timeout 900 "$HERE/trial-$t.sh" "$PROG" "$OUT/$t" > "$OUT/$t.out" 2>&1
    echo "### trial-$t.sh: exit $? in $((SECONDS - start)) s"
done | tee "$OUT/run-all.log"
"$HERE/summarize.sh" "$PROG" "$OUT"
echo "summary: $OUT/SUMMARY.txt"
