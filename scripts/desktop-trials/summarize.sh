#!/bin/bash
# Writes OUTDIR/SUMMARY.txt from the trials' reports (run-all.sh calls it).  usage: summarize.sh PROGRAM OUTDIR
set -u
PROG=$(readlink -f "$1"); OUT=$(cd "$2" && pwd)
{
    echo "Quelvane trials: $PROG ($(date -u +%F\ %T) UTC, $(git -C "$(dirname "$PROG")" rev-parse --short HEAD 2>/dev/null || echo 'commit unknown'))"
    echo; echo "Per window: placement, type/state, task-bar candidates, keyboard after a click on the main window"
    grep -hE '^== |placement:|_NET_WM_STATE =|_NET_WM_WINDOW_TYPE =|WM_TRANSIENT_FOR =|task-bar candidates|after the click, Return|Return after the click|pointer scan, row y=384|set_parent|KWin window: "(Wrong|About)|keyboard on "|screenshot:|did not' \
        "$OUT"/openbox/report.txt "$OUT"/gnome/report.txt "$OUT"/kwin/report.txt "$OUT"/weston/report.txt 2>/dev/null
    echo; echo "Themes (look at the screenshots):"; cat "$OUT/themes/report.txt" 2>/dev/null
    echo; echo "Orca (speech.txt):"; cat "$OUT/orca/speech.txt" 2>/dev/null
    echo; echo "AT-SPI tree (tree.txt, tree-scale2.txt), first lines and the pictures:"
    for f in "$OUT"/orca/tree.txt "$OUT"/orca/tree-scale2.txt; do grep -E '^#|filler|frame|Kana Window|Small tsu|Kana to name' "$f" 2>/dev/null; done
    echo; cat "$OUT/run-all.log"
} > "$OUT/SUMMARY.txt"
