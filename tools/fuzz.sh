#!/usr/bin/env bash
# Builds the five libFuzzer targets (clang, AddressSanitizer and UBSan) and
# runs each for the given number of seconds (default 60) from its seed
# corpus, with a fixed seed, printing one line per target: runs, coverage,
# findings. Anything a target finds is kept in out/fuzz/<target>/findings/;
# copy it into tests/fuzz/regressions/<target>/ (the ordinary tests replay
# that folder) once it is mended. Exit status 1 when any target found
# something. Installs what is missing first (Debian).
# Usage: tools/fuzz.sh [seconds per target] [target ...]   (default: all five)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
tools/install-deps.sh
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DPLOTWELL_FUZZ=ON -DPLOTWELL_SANITIZE=ON -DPLOTWELL_QT=OFF -DPLOTWELL_BENCH=OFF >/dev/null
all=(form bmp canvas items scale)
targets=("${@:2}")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")
for t in "${targets[@]}"; do
  [[ " ${all[*]} " == *" $t "* ]] || { echo "fuzz.sh: no target '$t' (targets: ${all[*]})" >&2; exit 2; }
done
cmake --build build/fuzz -j "$(nproc 2>/dev/null || echo 2)" --target "${targets[@]/%/_fuzz}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
status=0
for t in "${targets[@]}"; do
  work="out/fuzz/$t"
  rm -rf "$work/findings"
  mkdir -p "$work/corpus" "$work/findings"
  dict=()
  [ -f "tests/fuzz/corpus/$t.dict" ] && dict=(-dict="tests/fuzz/corpus/$t.dict")
  # New inputs go to the work corpus; the seeds stay as they are.
  if ! build/fuzz/tests/fuzz/${t}_fuzz "$work/corpus" "tests/fuzz/corpus/$t" "tests/fuzz/regressions/$t" \
      "${dict[@]}" -seed=1 -max_total_time="$seconds" -timeout="$([ "$t" = canvas ] && echo 2 || echo 10)" -rss_limit_mb=4096 -max_len=4096 \
      -artifact_prefix="$work/findings/" -print_final_stats=1 >"$work/log.txt" 2>&1; then
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log.txt" | tail -1 | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]*' "$work/log.txt" | tail -1 | grep -o '[0-9]*' || echo 0)
  found=$(find "$work/findings" -type f | wc -l)
  [ "$found" -gt 0 ] && status=1
  printf 'fuzz %-7s %9s runs in %ss, coverage %6s edges, %s findings%s\n' "$t" "$runs" "$seconds" "$cov" "$found" \
    "$([ "$found" -gt 0 ] && echo " (in $work/findings, log $work/log.txt)")"
done
exit $status
