#!/usr/bin/env bash
# Runs the scaling benchmarks and prints one table: the median time of RUNS runs (3 unless
# set), the peak memory, and the ratio to the floor measured beside it in the same run.
# Projects of the wide shape (sqrt(N) first-level items of sqrt(N) children) and the deep one
# (four children per item, ten levels) are generated at run time.
#   scripts/bench.sh            100,000 and 1,000,000 items
#   scripts/bench.sh --quick    100,000 items, one run
#   scripts/bench.sh --shapes   the shapes whose memory grew faster than the file (see
#                               scripts/bench-shapes.sh), one run of every command
#   scripts/bench.sh --interchange
#                               every export and import at 100,000 items against check
#   scripts/bench.sh --site     the site command over 1,000 pages against publish, per page
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=(100000 1000000)
RUNS=${RUNS:-3}
if [ "${1:-}" = "--quick" ]; then
  sizes=(100000)
  RUNS=1
fi
export RUNS
scripts/install-deps.sh
scripts/build.sh >/dev/null
bench=build/bench-bin
cli=build/bin/tarvelle-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
if [ "${1:-}" = "--shapes" ]; then
  . scripts/bench-shapes.sh
  exit
fi

# "seconds kilobytes" of the run with the median time.
measure() {
  local runs=()
  for _ in $(seq "$RUNS"); do
    rm -rf "$work/out"
    local start=$EPOCHREALTIME
    /usr/bin/time -f '%M' -o "$work/time" "$@" >/dev/null 2>&1 || true
    local end=$EPOCHREALTIME
    # The wall time to the microsecond; time(1) gives the peak memory (its last line: a
    # command that exits non-zero adds one before it).
    runs+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') $(tail -1 "$work/time")")
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n "$(((RUNS + 1) / 2))p"
}

if [ "${1:-}" = "--interchange" ]; then
  . scripts/bench-interchange.sh
  exit
fi
if [ "${1:-}" = "--site" ]; then
  . scripts/bench-site.sh
  exit
fi

row() { # what, shape, items, "s kb", floor seconds, file bytes
  local s kb
  read -r s kb <<<"$4"
  awk -v what="$1" -v shape="$2" -v items="$3" -v s="$s" -v kb="$kb" -v floor="$5" -v bytes="$6" \
    'BEGIN {
      ratio = floor > 0 ? s / floor : 0
      perFile = bytes > 0 ? kb * 1024 / bytes : 0
      printf("| %-30s | %-4s | %9d | %7.3f s | %6.0f MB | %6.2f x | %5.1f x |\n", what, shape, items, s, kb / 1024, ratio, perFile)
    }'
}

echo "| What                           | Shape|     Items |      Time | Peak mem |   /floor | mem/file |"
echo "|---|---|---|---|---|---|---|"
for items in "${sizes[@]}"; do
  for shape in wide deep; do
    project="$work/$shape-$items.tvl"
    "$bench/tarvelle_make_menu" "$items" "$shape" "$project"
    bytes=$(stat -c %s "$project")
    floor=$(measure "$bench/tarvelle_floor" "$project" "$work/floor.out")
    floorS=${floor%% *}
    row "floor: read, split, write" "$shape" "$items" "$floor" "$floorS" "$bytes"
    row "tarvelle-cli html" "$shape" "$items" "$(measure "$cli" html "$project" "$work/page.html")" \
      "$floorS" "$bytes"
    row "tarvelle-cli check" "$shape" "$items" "$(measure "$cli" check "$project")" "$floorS" "$bytes"
    row "tarvelle-cli publish" "$shape" "$items" \
      "$(measure "$cli" publish "$project" "$work/out")" "$floorS" "$bytes"
    load=$(measure "$cli" report "$project")
    row "tarvelle-cli report (load)" "$shape" "$items" "$load" "$floorS" "$bytes"
    # The editor's open against the batch tool's load of the same file.
    row "editor: start and open (/load)" "$shape" "$items" \
      "$(measure "$bench/tarvelle_startup_probe" "$project")" "${load%% *}" "$bytes"
  done
done
hello=$(measure "$bench/tarvelle_hello_probe")
row "editor: start, empty (/hello)" "-" 0 "$(measure "$bench/tarvelle_startup_probe")" \
  "${hello%% *}" 0

echo
echo "Editor commands at 100,000 items (median ms per iteration; the target is 16 ms):"
for shape in wide deep; do
  for preview in on off; do
    echo "  $shape, preview $preview:"
    "$bench/tarvelle_editor_bench" --items=100000 --shape="$shape" --preview="$preview" \
      --benchmark_filter='InsertAndDelete|CaptionKeystroke|UndoAndRedoDelete/1|MoveUpAndDown|Save' \
      --benchmark_repetitions="$RUNS" --benchmark_report_aggregates_only=true 2>/dev/null |
      awk '/_median/ || (/^BM_/ && !/_mean|_stddev|_cv/) { printf "    %-40s %s %s\n", $1, $2, $3 }'
  done
done

if [ -d web/node_modules ] && command -v chromium >/dev/null; then
  echo
  echo "Web runtime (headless Chromium):"
  # The 100,000-item pages against their plain lists.
  (cd web && node bench/bench.mjs "$work/wide-100000.tvl" "$work/deep-100000.tvl") | sed 's/^/  /'
fi
