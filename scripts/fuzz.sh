#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for FUZZ_SECONDS (60 by default) from the seed corpus, on a scratch copy so
# the committed corpus stays as it is. Prints executions per second and the total.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DTARVELLE_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"
for target in load_project html import site_page; do
  work=$(mktemp -d)
  cp -r "tests/fuzz/corpus/$target/." "$work/"
  log="build-fuzz/fuzz_$target.log"
  echo "Fuzzing $target for ${seconds}s"
  # The project file's words help the targets that read one; the importers read other formats.
  dict=(-dict=tests/fuzz/project.dict)
  [ "$target" = import ] || [ "$target" = site_page ] && dict=()
  if ! build-fuzz/fuzz-bin/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -max_len=262144 "${dict[@]}" -print_final_stats=1 \
        -artifact_prefix=build-fuzz/"$target"- "$work" >"$log" 2>&1; then
    tail -40 "$log"
    echo "fuzz_$target found a problem; the input is in build-fuzz/"
    exit 1
  fi
  execs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
  rate=$(grep -m1 'stat::average_exec_per_sec' "$log" | awk '{print $2}')
  echo "fuzz_$target: $execs executions, $rate per second, no finding"
  rm -rf "$work"
done
