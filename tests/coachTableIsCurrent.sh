#!/bin/sh
# Learns the coach's table of line values afresh, with the generator's own defaults, and compares the
# whole file with the committed one: a change to the line features that was not learned again fails.
# Usage: coachTableIsCurrent.sh GENERATOR SOURCE-FOLDER
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
table="$work/lineValueTable.cpp"
"$1" "$table" >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
if [ ! -s "$table" ]; then
    echo "the generator wrote no table"
    exit 1
fi
if ! cmp "$table" "$2/Source/coach/lineValueTable.cpp"; then
    echo "the committed table is not what the generator learns: run it again and commit the table"
    exit 1
fi
tail -n 1 "$work/log"
