#!/bin/sh
# Draws every picture afresh into a scratch folder and compares each with the committed one.
# Usage: artIsCurrent.sh ART-PROGRAM SOURCE-FOLDER
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" "$work" >"$work.log" 2>&1 || { cat "$work.log"; rm -f "$work.log"; exit 1; }
rm -f "$work.log"
status=0
cd "$work" || exit 1
for file in $(find . -type f | sort); do
    if ! cmp -s "$file" "$2/$file"; then
        echo "differs from the committed picture: ${file#./}"
        status=1
    fi
done
[ $status -eq 0 ] && echo "$(find . -type f | wc -l) pictures as committed"
exit $status
