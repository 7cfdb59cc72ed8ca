#!/usr/bin/env bash
# Plants each fault of a list, one at a time, in a scratch copy of the working tree, rebuilds what the
# fault changed and runs the tests. A fault that no test notices is listed as survived.
# Usage: scripts/mutation-check.sh [FAULTS] [NAME-FILTER]
#   FAULTS      the list, scripts/mutations.txt by default; each fault is three lines:
#                 file: what a player would see
#                 -the whole line as it stands (it must stand once in the file)
#                 +the line that replaces it
#   NAME-FILTER runs only the faults whose first line contains it
# The scratch copy lives in $MUTATION_DIR (default /tmp/tallyfive-mutation) and is reused between runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
faults=$(realpath "${1:-$root/scripts/mutations.txt}")
filter=${2:-}
scratch=${MUTATION_DIR:-/tmp/tallyfive-mutation}

# A fresh copy each run; the files keep their times, so the build there redoes only what changed. A run
# ended while a fault stood leaves objects newer than the fresh copy: that build is started afresh.
[ -e "$scratch/planted" ] && rm -rf "$scratch/build"
rm -rf "$scratch/src"
mkdir -p "$scratch/src"
tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$scratch/src" -xf -
cmake -S "$scratch/src" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
runTests() {
    cmake --build "$scratch/build" >"$scratch/build.log" 2>&1 || return 2
    ctest --test-dir "$scratch/build" -j2 --stop-on-failure --timeout 120 >"$scratch/test.log" 2>&1
}
if ! runTests; then
    echo "the tests fail before any fault is planted; see $scratch/build.log and $scratch/test.log" >&2
    exit 1
fi

caught=0 survived=0 unbuilt=0
survivors=()
while IFS= read -r heading && IFS= read -r before && IFS= read -r after; do
    file=${heading%%:*}
    [[ $filter && $heading != *"$filter"* ]] && continue
    target="$scratch/src/$file"
    cp "$target" "$scratch/original"
    touch "$scratch/planted"
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
        echo "LIST  $heading"
        exit 1
    fi
    set +e
    runTests
    status=$?
    set -e
    if [ $status -eq 2 ]; then
        unbuilt=$((unbuilt + 1)); echo "BUILD $heading"
    elif [ $status -ne 0 ]; then
        caught=$((caught + 1)); echo "ok    $heading"
    else
        survived=$((survived + 1)); survivors+=("$heading"); echo "MISS  $heading"
    fi
    cp "$scratch/original" "$target"
    cmake --build "$scratch/build" >/dev/null 2>&1 && rm -f "$scratch/planted"
done < <(grep -v '^#' "$faults" | grep -v '^$')

echo "caught $caught, survived $survived, did not build $unbuilt"
for heading in "${survivors[@]}"; do echo "survived: $heading"; done
[ "$survived" -eq 0 ] && [ "$unbuilt" -eq 0 ]
