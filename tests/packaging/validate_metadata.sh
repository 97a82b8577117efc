#!/usr/bin/env bash
# Validates the desktop file and the AppStream metainfo as they are shipped.
# Usage: validate_metadata.sh <desktop file> <metainfo file>
source "$(dirname "$0")/common.sh"

desktop=$1
metainfo=$2
need_tool desktop-file-validate
need_tool appstreamcli

[[ "$(basename "$desktop")" == "$APP_ID.desktop" ]] || fail "$desktop is not named after $APP_ID"
[[ "$(basename "$metainfo")" == "$APP_ID.metainfo.xml" ]] || fail "$metainfo is not named after $APP_ID"

desktop_file_is_clean "$desktop"
# --strict fails on warnings and infos too; the one pedantic hint left is the
# upper-case letter of the id, which the reverse-DNS form requires.
appstreamcli validate --no-net --pedantic --strict "$metainfo" >&2 || fail "appstreamcli rejects $metainfo"
echo "desktop file and metainfo are valid"
