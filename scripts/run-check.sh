#!/bin/sh
# Starts an installed morvela off screen beside the sample lists for three seconds. Still
# running when the time is up (status 124) means it started and found what it needs.
# Usage: run-check.sh PROGRAM
set -eu

program=$1
source=$(pwd)
work=$(mktemp -d /tmp/morvela-run.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$source/examples/kao1.txt" "$source/examples/morvela1.txt" "$work/"

status=0
(cd "$work" && QT_QPA_PLATFORM=offscreen timeout 3 "$program") || status=$?
if [ "$status" -ne 124 ]; then
    echo "$program ended with status $status instead of running" >&2
    exit 1
fi
echo "$program started and was still running after 3 s"
