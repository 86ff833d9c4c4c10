# Sourced by scripts/bench.sh --interchange: every export and import of the 100,000-item menus
# of both shapes, the time against check's on the same project, the peak memory against the
# file the command reads (the project for an export, the exported file for an import).
echo "| Command                        | Shape|      Time |  /check | Peak mem | mem/source |"
echo "|---|---|---|---|---|---|"
line() { # what, shape, "s kb", check seconds, source bytes
  local s kb
  read -r s kb <<<"$3"
  awk -v what="$1" -v shape="$2" -v s="$s" -v kb="$kb" -v check="$4" -v bytes="$5" 'BEGIN {
    printf("| %-30s | %-4s | %7.3f s | %5.2f x | %6.0f MB | %8.1f x |\n", what, shape, s,
           check > 0 ? s / check : 0, kb / 1024, bytes > 0 ? kb * 1024 / bytes : 0)
  }'
}
for shape in wide deep; do
  project="$work/$shape.tvl"
  "$bench/tarvelle_make_menu" 100000 "$shape" "$project"
  check=$(measure "$cli" check "$project")
  line "tarvelle-cli check" "$shape" "$check" "${check%% *}" "$(stat -c %s "$project")"
  for format in json hugo-yaml hugo-toml jekyll html; do
    exported="$work/$shape.$format"
    line "export --format $format" "$shape" \
      "$(measure "$cli" export --format "$format" "$project" "$exported")" "${check%% *}" \
      "$(stat -c %s "$project")"
    [ "$format" = html ] && from=html || from=${format%%-*}
    name="$exported"
    case $format in
      hugo-yaml) name="$work/$shape-config.yaml" ;; hugo-toml) name="$work/$shape-config.toml" ;;
      jekyll) name="$work/$shape-navigation.yml" ;; html) name="$work/$shape-list.html" ;;
      json) name="$work/$shape-menu.json" ;;
    esac
    cp "$exported" "$name"
    line "import ($from)" "$shape" \
      "$(measure "$cli" import --force --format "$from" "$name" "$work/back.tvl")" \
      "${check%% *}" "$(stat -c %s "$name")"
  done
done
