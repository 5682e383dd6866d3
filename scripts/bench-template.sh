#!/usr/bin/env bash
# Measures the funnel's cutting template: the default entries' PDF made inside the program (target
# under 50 ms), and the whole `vlnokan-calc --template` process from start to the file written,
# the best of several runs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/rel}
runs=${RUNS:-10}
cmake --build "$build" --target bench_template vlnokan-calc vlnokan-calc-template >/dev/null
runtime=$(mktemp -d)
out=$(mktemp -d)
trap 'rm -rf "$runtime" "$out"' EXIT
export XDG_RUNTIME_DIR=$runtime
"$build/tests/template/bench_template" 21
best=""
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$build/cli/vlnokan-calc" --template "$out/t.pdf" 2.4 85 40 300 >/dev/null
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "vlnokan-calc --template t.pdf 2.4 85 40 300: best of $runs runs ${best} ms ($(stat -c %s "$out/t.pdf") bytes)"
best=""
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$build/cli/vlnokan-calc" 2.4 85 40 300 >/dev/null
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "vlnokan-calc 2.4 85 40 300 without the template, for comparison: best of $runs runs ${best} ms"
