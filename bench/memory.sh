#!/usr/bin/env bash
# Memory of the running program with its web helper processes after ten
# pages, as the sum of their proportional set sizes (PSS), under Xvfb:
# bench/memory.sh  (after a build; needs xvfb-run and xdotool)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    registry=$(mktemp -d)
    ZENTAVO_REGISTRY_DIR=$registry "'"$root"'/build/bin/zentavo" 2>/dev/null &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --name "^Zentavo$" | head -1)
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 60)) $((Y + 120)) click 1
    for i in $(seq 10); do xdotool key Down; sleep 0.8; done
    sleep 1
    pss() { awk "/^Pss:/ {print \$2}" /proc/$1/smaps_rollup 2>/dev/null || echo 0; }
    total=0
    for p in $pid $(pgrep -P $pid) $(for c in $(pgrep -P $pid); do pgrep -P $c; done); do
        kb=$(pss $p); total=$((total + kb))
        echo "$(tr "\0" " " < /proc/$p/cmdline | cut -c1-60): $((kb / 1024)) MiB"
    done
    echo "total PSS after ten pages: $((total / 1024)) MiB"
    kill $pid; wait $pid 2>/dev/null || true
    rm -rf "$registry"
'
