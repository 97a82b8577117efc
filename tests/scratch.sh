#!/usr/bin/env bash
# The suite's one temporary folder: every test gets it as TMPDIR (and a
# runtime folder beside it as XDG_RUNTIME_DIR, which Qt would otherwise make
# in /tmp). "setup" makes both empty; "check", which runs after every other
# test, fails when a test left anything behind, and removes both whatever it
# finds, so that a test killed at its timeout leaves nothing either.
# Usage: scratch.sh setup|check <folder>
set -euo pipefail

step=$1
folder=$2
runtime="$folder-runtime"

if [[ "$step" == setup ]]; then
    rm -rf "$folder" "$runtime"
    mkdir -p "$folder"
    mkdir -m 0700 "$runtime"
    exit 0
fi

left=$(find "$folder" "$runtime" -mindepth 1 -maxdepth 1 -printf '%p\n' 2>/dev/null || true)
size=$(du -sh "$folder" "$runtime" 2>/dev/null | cut -f1 | paste -sd+ || true)
rm -rf "$folder" "$runtime"
if [[ -n "$left" ]]; then
    echo "FAIL: the tests left behind ($size):" >&2
    echo "$left" >&2
    exit 1
fi
echo "the tests left nothing behind"
