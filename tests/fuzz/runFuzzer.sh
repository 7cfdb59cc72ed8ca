#!/bin/sh
# Runs the fuzz target for a bounded time over the committed corpus; any finding fails the run.
# New inputs go to a scratch folder, so the committed corpus stays as it is.
# Usage: runFuzzer.sh FUZZ-TARGET CORPUS-FOLDER SECONDS
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/found"
"$1" -max_total_time="$3" -timeout=5 -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$work/" \
    "$work/found" "$2" >"$work/log" 2>&1
status=$?
grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|cov:' "$work/log" | tail -n 4
if [ $status -ne 0 ]; then
    tail -n 60 "$work/log"
    for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
        [ -f "$artifact" ] && { echo "input: $artifact"; od -c "$artifact" | head -n 20; }
    done
fi
exit $status
