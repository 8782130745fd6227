#!/usr/bin/env bash
# Process start to the main window shown, whole process, under Xvfb:
# bench/startup.sh [runs]  (after a build; needs xvfb-run and xdotool)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    registry=$(mktemp -d)
    total=0
    for i in $(seq '"$runs"'); do
        start=$(date +%s%N)
        ZENTAVO_REGISTRY_DIR=$registry "'"$root"'/build/bin/zentavo" 2>/dev/null &
        pid=$!
        xdotool search --sync --onlyvisible --name "^Zentavo$" >/dev/null
        end=$(date +%s%N)
        kill $pid; wait $pid 2>/dev/null || true
        ms=$(( (end - start) / 1000000 ))
        total=$((total + ms))
        echo "run $i: ${ms} ms"
    done
    echo "mean: $((total / '"$runs"')) ms"
    rm -rf "$registry"
'
