#!/usr/bin/env bash
# Plants each fault of a list, one at a time, in a scratch copy of the working tree, rebuilds what the
# fault changed and runs the tests. A fault that no test notices is listed as survived.
# Usage: scripts/mutation-check.sh [FAULTS] [NAME-FILTER]
#   FAULTS      the list, scripts/mutations.txt by default; each fault is three lines:
#                 file: what a player would see
#                 -the whole line as it stands (it must stand once in the file)
#                 +the line that replaces it
#   NAME-FILTER runs only the faults whose first line contains it
# MUTATION_FROM=N starts at the Nth fault of the list, counted from 1 with or without a filter: a whole
# run takes hours, and one that ended early goes on from the first fault it did not report.
# The scratch copy lives in $MUTATION_DIR (default /tmp/tallyfive-mutation) and is reused between runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
faults=$(realpath "${1:-$root/scripts/mutations.txt}")
filter=${2:-}
from=${MUTATION_FROM:-1}
if ! [[ $from =~ ^[1-9][0-9]*$ ]]; then
    echo "MUTATION_FROM must be a fault's number, counted from 1: $from" >&2
    exit 1
fi
scratch=${MUTATION_DIR:-/tmp/tallyfive-mutation}

# Each fault's line must stand once in its file, or the list is out of date: found before the long run.
python3 - "$faults" "$root" <<'PY' || exit 1
import sys
lines = [l.rstrip("\n") for l in open(sys.argv[1], encoding="utf-8") if l.strip() and not l.startswith("#")]
stale = [h for h, before in zip(lines[0::3], lines[1::3])
         if open(f"{sys.argv[2]}/{h.split(':')[0]}", encoding="utf-8").read().split("\n").count(before[1:]) != 1]
for heading in stale:
    print(f"LIST  {heading}: its line does not stand once in the file")
sys.exit(1 if stale else 0)
PY

# A fresh copy each run; the files keep their times, so the build there redoes only what changed. A run
# that ended early may have left objects built from faults, newer than the files' fresh copies: the
# copies of the files it planted in are made newer still.
rm -rf "$scratch/src"
mkdir -p "$scratch/src"
tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$scratch/src" -xf -
if [ -s "$scratch/planted" ]; then
    sort -u "$scratch/planted" | while IFS= read -r file; do touch "$scratch/src/$file"; done
fi
cmake -S "$scratch/src" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
runTests() {
    cmake --build "$scratch/build" >"$scratch/build.log" 2>&1 || return 2
    ctest --test-dir "$scratch/build" -j2 --stop-on-failure --timeout 120 >"$scratch/test.log" 2>&1
}
if ! runTests; then
    echo "the tests fail before any fault is planted; see $scratch/build.log and $scratch/test.log" >&2
    exit 1
fi

caught=0 survived=0 unbuilt=0 number=0
survivors=()
while IFS= read -r heading && IFS= read -r before && IFS= read -r after; do
    file=${heading%%:*}
    number=$((number + 1))
    ((number < from)) && continue
    [[ $filter && $heading != *"$filter"* ]] && continue
    target="$scratch/src/$file"
    cp "$target" "$scratch/original"
    echo "$file" >>"$scratch/planted"
    if ! python3 - "$target" "${before:1}" "${after:1}" <<'PY'; then
import sys
path, old, new = sys.argv[1:]
lines = open(path, encoding="utf-8").read().split("\n")
hits = [i for i, line in enumerate(lines) if line == old]
if len(hits) != 1:
    sys.exit(f"{path}: the line stands {len(hits)} times: {old}")
lines[hits[0]] = new
open(path, "w", encoding="utf-8").write("\n".join(lines))
PY
        echo "LIST  $number $heading"
        exit 1
    fi
    set +e
    runTests
    status=$?
    set -e
    if [ $status -eq 2 ]; then
        unbuilt=$((unbuilt + 1)); echo "BUILD $number $heading"
    elif [ $status -ne 0 ]; then
        caught=$((caught + 1)); echo "ok    $number $heading"
    else
        survived=$((survived + 1)); survivors+=("$heading"); echo "MISS  $number $heading"
    fi
    cp "$scratch/original" "$target"
done < <(grep -v '^#' "$faults" | grep -v '^$')
cmake --build "$scratch/build" >/dev/null 2>&1 && rm -f "$scratch/planted"

echo "caught $caught, survived $survived, did not build $unbuilt"
for heading in "${survivors[@]}"; do echo "survived: $heading"; done
# A filter that names no fault, or a start past the list's end, tested nothing: that is no pass.
if [ $((caught + survived + unbuilt)) -eq 0 ]; then
    echo "no fault was planted: the filter or MUTATION_FROM leaves none of the list" >&2
    exit 1
fi
[ "$survived" -eq 0 ] && [ "$unbuilt" -eq 0 ]
