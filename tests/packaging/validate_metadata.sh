#!/usr/bin/env bash
# Validates the desktop file and the AppStream metainfo as they are shipped,
# and that the metainfo's latest release is that of debian/changelog.
# Usage: validate_metadata.sh <desktop file> <metainfo file>
source "$(dirname "$0")/common.sh"

desktop=$1
metainfo=$2
need_tool desktop-file-validate
need_tool appstreamcli
need_tool date

[[ "$(basename "$desktop")" == "$APP_ID.desktop" ]] || fail "$desktop is not named after $APP_ID"
[[ "$(basename "$metainfo")" == "$APP_ID.metainfo.xml" ]] || fail "$metainfo is not named after $APP_ID"

desktop_file_is_clean "$desktop"
appstream_is_clean validate "$metainfo"

# What AppStream 1.0 asks for and older validators do not check.
grep -q '<url type="homepage">https://' "$metainfo" || fail "$metainfo has no homepage URL"
grep -Pzq '<developer id="[^"]+">\s*<name>[^<]+</name>' "$metainfo" \
    || fail "$metainfo has no developer element with an id and a name"

# The release entry is the latest entry of debian/changelog: same version,
# same day.
changelog="$(dirname "$0")/../../debian/changelog"
need_tool dpkg-parsechangelog
version=$(dpkg-parsechangelog -l "$changelog" -S Version)
day=$(date -u -d "$(dpkg-parsechangelog -l "$changelog" -S Date)" +%F)
release=$(grep -o '<release [^>]*>' "$metainfo" | head -n 1)
[[ "$release" == *"version=\"$version\""* && "$release" == *"date=\"$day\""* ]] \
    || fail "$metainfo: latest release is $release, debian/changelog says $version of $day"
echo "desktop file and metainfo are valid"
