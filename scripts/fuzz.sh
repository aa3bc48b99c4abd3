#!/usr/bin/env bash
# Builds every fuzz target of tests/fuzz (clang + libFuzzer, in build/fuzz) and
# runs each for an equal share of the given number of seconds (default 300, at
# least 2 s a target). Each target starts from the seeds it writes itself
# (made with the product's own writers and sample data) and from its corpus in
# build/fuzz/corpus/<target>, which grows from run to run. A crash, a failed
# property, a leak or a hang fails the target: the input is kept in
# build/fuzz/findings/, the log in build/fuzz/logs/.
# Ends with "fuzz: N passed, N failed"; the exit status is 0 only when every
# target ran clean.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/build/fuzz"
TOTAL=${1:-300}
JOBS=${JOBS:-2}

fail_all() {
  echo "fuzz: $1"
  echo "fuzz: 0 passed, 1 failed"
  exit 1
}

if [ ! -f "$OUT/build.ninja" ]; then
  cmake -S "$ROOT/tests/fuzz" -B "$OUT" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null ||
    fail_all "configuring build/fuzz failed"
fi
echo "== building the fuzz targets"
cmake --build "$OUT" -j "$JOBS" || fail_all "building the fuzz targets failed"
mapfile -t targets < <(grep -v '^$' "$OUT/targets.txt")
[ ${#targets[@]} -gt 0 ] || fail_all "no fuzz targets"
each=$(( TOTAL / ${#targets[@]} ))
[ "$each" -lt 2 ] && each=2

# Every file the targets write goes to a temporary folder of this run,
# removed at the end even when a target crashed.
RUN_TMP=$(mktemp -d "${TMPDIR:-/tmp}/vextra-fuzz-run.XXXXXX") || fail_all "no temporary folder"
trap 'rm -rf "$RUN_TMP"' EXIT
mkdir -p "$OUT/logs" "$OUT/findings"

passed=0
failed=0
for target in "${targets[@]}"; do
  seeds="$OUT/seeds/$target"
  corpus="$OUT/corpus/$target"
  log="$OUT/logs/$target.log"
  rm -rf "$seeds"
  mkdir -p "$seeds" "$corpus"
  if ! VEXTRA_FUZZ_SEEDS="$seeds" TMPDIR="$RUN_TMP" "$OUT/$target" >"$log" 2>&1; then
    echo "fuzz: $target FAILED writing its seeds (see $log)"
    tail -n 20 "$log"
    failed=$((failed + 1))
    continue
  fi
  extra=()
  # The animations a Windows build generated are seeds for the skin's GIF reader.
  if [ "$target" = skin_parsers_fuzz ] && [ -d "$ROOT/build/win64/program/Gif" ]; then
    extra=("$ROOT/build/win64/program/Gif")
  fi
  if TMPDIR="$RUN_TMP" "$OUT/$target" -max_total_time="$each" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$OUT/findings/$target-" "$corpus" "$seeds" "${extra[@]}" \
      >>"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
    echo "fuzz: $target ok (${runs:-?} runs in ${each} s, ${cov:-cov: ?})"
    passed=$((passed + 1))
  else
    echo "fuzz: $target FAILED (log $log, input in $OUT/findings/)"
    grep -E 'ERROR|property failed|SUMMARY|Test unit written' "$log" | head -n 10
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
