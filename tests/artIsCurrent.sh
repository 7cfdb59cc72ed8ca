#!/bin/sh
# Draws every picture afresh into a scratch folder and compares the whole set with the committed one,
# both ways: each picture drawn is committed as drawn, each committed picture is still drawn, and a
# program that drew nothing fails.
# Usage: artIsCurrent.sh ART-PROGRAM SOURCE-FOLDER
work=$(mktemp -d)
trap 'rm -rf "$work" "$work.log"' EXIT
"$1" "$work" >"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
status=0
drawn=$(cd "$work" && find . -type f | sort)
if [ -z "$drawn" ]; then
    echo "the art program drew nothing"
    exit 1
fi
for file in $drawn; do
    cmp -s "$work/$file" "$2/$file" || { echo "differs from the committed picture: ${file#./}"; status=1; }
done
# Every committed file in the folders that hold the pictures.
committed=$(cd "$2" && find ./Pack ./Source/game/art ./Source/topscores/art ./data/icons -type f | sort)
for file in $committed; do
    [ -f "$work/$file" ] || { echo "committed but no longer drawn: ${file#./}"; status=1; }
done
[ $status -eq 0 ] && echo "$(echo "$drawn" | wc -l) pictures as committed, and no others"
exit $status
