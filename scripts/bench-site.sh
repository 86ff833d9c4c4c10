# Sourced by scripts/bench.sh --site: the site command putting a 1,000-item menu into 1,000
# marked pages (100 at the top, 900 in folders one and two levels down, 6 KB of text each),
# against publish of the same project into a folder, per page. The first run writes every
# page; the second finds nothing to change.
items=1000
pages=1000
project="$work/menu.tvl"
"$bench/tarvelle_make_menu" "$items" wide "$project"
pristine="$work/pristine"
text=$(printf '<p>Some text of the page, as a site has it.</p>\n%.0s' $(seq 120))
for n in $(seq 0 $((pages - 1))); do
  case $((n % 10)) in
    0) folder= ;; [1-5]) folder="section$((n % 10))/" ;; *) folder="section$((n % 10))/part$((n % 3))/" ;;
  esac
  mkdir -p "$pristine/$folder"
  printf '<!DOCTYPE html>\n<html lang="en"><head><meta charset="utf-8"><title>Page %d</title></head>\n<body>\n<!-- tarvelle:menu -->\n<!-- /tarvelle:menu -->\n%s\n</body></html>\n' \
    "$n" "$text" >"$pristine/${folder}page$n.html"
done

# "seconds kilobytes" of the median of RUNS runs, each on a fresh copy of the site.
siteRun() { # again: 1 to measure a second run over a site already written
  local runs=()
  for _ in $(seq "$RUNS"); do
    rm -rf "$work/site"
    cp -r "$pristine" "$work/site"
    [ "$1" = 1 ] && "$cli" site "$project" "$work/site" >/dev/null
    sync
    local start=$EPOCHREALTIME
    /usr/bin/time -f '%M' -o "$work/time" "$cli" site "$project" "$work/site" >/dev/null 2>&1 || true
    local end=$EPOCHREALTIME
    runs+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') $(tail -1 "$work/time")")
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n "$(((RUNS + 1) / 2))p"
}

publish=$(measure "$cli" publish "$project" "$work/out")
first=$(siteRun 0)
second=$(siteRun 1)
echo "| Command ($items items, $pages pages) | Time | Per page | Per page / publish | Peak mem |"
echo "|---|---|---|---|---|"
for row in "publish (one folder)|$publish|1" "site, every page written|$first|$pages" \
           "site, nothing to change|$second|$pages"; do
  IFS='|' read -r what measured count <<<"$row"
  read -r s kb <<<"$measured"
  awk -v what="$what" -v s="$s" -v kb="$kb" -v n="$count" -v p="${publish%% *}" 'BEGIN {
    printf("| %-28s | %7.3f s | %8.2f ms | %5.2f x | %5.0f MB |\n", what, s, s * 1000 / n,
           s / n / p, kb / 1024)
  }'
done
