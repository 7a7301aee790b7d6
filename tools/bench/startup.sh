#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of merrin-vale --demo against an empty Qt Quick window built from the same Qt: the time
# from starting the process to the first frame of the home screen (cards and briefing shown), and
# the resident memory (VmRSS) 5 s later. Runs under xvfb-run (real OpenGL through llvmpipe),
# several runs of each, and prints the medians and whether merrin-vale keeps to its budget: first
# frame within 1.5 times the empty window's, memory within the empty window's plus 40 MiB.
#   tools/bench/startup.sh [BUILD_DIR] [RUNS]      defaults: build-test, 5
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build-test}" && pwd)"
runs="${2:-5}"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build" "$runs"
fi

app="$build/src/main/merrin-vale"
empty="$build/tools/bench/bench_empty_window"
for program in "$app" "$empty"; do
  [ -x "$program" ] || { echo "startup.sh: $program is not built" >&2; exit 2; }
done

scratch="$(mktemp -d -t merrin-startup.XXXXXX)"
trap 'rm -rf "$scratch"' EXIT

# One run: prints "<ms to first frame> <VmRSS in KiB>".
measure() {
  local out="$scratch/out" started pid frame="" rss
  : >"$out"
  started=$(date +%s%3N)
  "$@" --report-first-frame >"$out" 2>/dev/null &
  pid=$!
  for _ in $(seq 1 3000); do
    frame=$(awk '/^first-frame-ms/ { print $2 }' "$out")
    [ -n "$frame" ] && break
    sleep 0.01
  done
  if [ -z "$frame" ]; then
    kill "$pid" 2>/dev/null || true
    echo "startup.sh: $1 showed no first frame within 30 s" >&2
    exit 1
  fi
  sleep 5
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$((frame - started)) $rss"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

for name in empty app; do
  : >"$scratch/$name"
done
for _ in $(seq 1 "$runs"); do
  measure "$empty" >>"$scratch/empty"
  measure "$app" --demo >>"$scratch/app"
done

empty_ms=$(cut -d' ' -f1 "$scratch/empty" | median)
empty_kib=$(cut -d' ' -f2 "$scratch/empty" | median)
app_ms=$(cut -d' ' -f1 "$scratch/app" | median)
app_kib=$(cut -d' ' -f2 "$scratch/app" | median)

echo "runs each:                    $runs"
echo "empty window, first frame:    ${empty_ms} ms   (runs: $(cut -d' ' -f1 "$scratch/empty" | tr '\n' ' '))"
echo "merrin-vale --demo, home:     ${app_ms} ms   (runs: $(cut -d' ' -f1 "$scratch/app" | tr '\n' ' '))"
echo "empty window, VmRSS after 5s: $((empty_kib / 1024)) MiB"
echo "merrin-vale --demo, VmRSS:    $((app_kib / 1024)) MiB"

status=0
if [ "$((app_ms * 10))" -le "$((empty_ms * 15))" ]; then
  echo "first frame: within budget (1.5 x empty = $((empty_ms * 15 / 10)) ms)"
else
  echo "first frame: OVER budget (1.5 x empty = $((empty_ms * 15 / 10)) ms)"
  status=1
fi
if [ "$app_kib" -le "$((empty_kib + 40 * 1024))" ]; then
  echo "memory: within budget (empty + 40 MiB = $(((empty_kib + 40 * 1024) / 1024)) MiB)"
else
  echo "memory: OVER budget (empty + 40 MiB = $(((empty_kib + 40 * 1024) / 1024)) MiB)"
  status=1
fi
exit $status
