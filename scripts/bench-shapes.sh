# Peak memory and time of every command, and of the editor opening the file, for the shapes
# that make memory grow faster than the file: chains 1,000 levels deep (each popup below the
# last), a million items naming five pictures and sounds each, and a million items named only
# in the structure (a file cut off before its records, which is refused).
# Sourced by scripts/bench.sh --shapes, which builds and sets bench, cli and work.

# "seconds kilobytes exit" of one run.
measure() {
  rm -rf "$work/out"
  local start=$EPOCHREALTIME status=0
  /usr/bin/time -f '%M' -o "$work/time" "$@" >/dev/null 2>&1 || status=$?
  local end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }') $(tail -1 "$work/time") $status"
}

"$bench/tarvelle_make_menu" 420000 chains "$work/chains.tvl"
"$bench/tarvelle_make_menu" 1000000 named "$work/named.tvl"
# A million siblings in the structure, and the settings and records of none of them.
"$bench/tarvelle_make_menu" 1 wide "$work/one.tvl"
awk 'NR == FNR { if (/Structure Description End/) exit; print; next }' "$work/one.tvl" /dev/null |
  head -n -1 >"$work/bare.tvl"
awk 'BEGIN { for (k = 0; k < 1000000; ++k) printf "\t%d\r\n", k }' >>"$work/bare.tvl"
sed -n '/Structure Description End/,$p' "$work/one.tvl" |
  sed 's/^1\r$/0\r/' | awk '/Item Parameter Description Start/ { print; getline; print "0\r"; skip = 1; next }
    skip && !/Item Parameter Description End/ { next } { print }' >>"$work/bare.tvl"

echo "| Shape | File | Command | Time | Peak memory | Memory/file | Exit |"
echo "|---|---|---|---|---|---|---|"
for shape in chains named bare; do
  project="$work/$shape.tvl"
  bytes=$(stat -c %s "$project")
  for command in check layout report html publish open; do
    case $command in
      html) run=("$cli" html "$project" "$work/page.html") ;;
      publish) run=("$cli" publish "$project" "$work/out") ;;
      open) run=("$bench/tarvelle_startup_probe" "$project") ;;
      *) run=("$cli" "$command" "$project") ;;
    esac
    read -r s kb status <<<"$(measure "${run[@]}")"
    awk -v shape="$shape" -v bytes="$bytes" -v command="$command" -v s="$s" -v kb="$kb" \
      -v status="$status" 'BEGIN {
        printf("| %s | %.0f MB | %s | %.2f s | %.0f MB | %.1f x | %d |\n", shape, bytes / 1048576,
               command, s, kb / 1024, kb * 1024 / bytes, status)
      }'
  done
done
