#!/usr/bin/env bash
# Builds and runs the decoder fuzz target with libFuzzer (clang), for the
# given number of seconds (default 300).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/build/fuzz"
mkdir -p "$OUT/corpus"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -I"$ROOT" \
  "$ROOT/tests/fuzz/report_decoders_fuzz.cpp" "$ROOT/device/reports.cpp" "$ROOT/common/ini_file.cpp" \
  "$ROOT/common/settings_block.cpp" "$ROOT/common/function_catalogue.cpp" "$ROOT/common/file_system.cpp" \
  "$ROOT/common/file_system_posix.cpp" -o "$OUT/report_decoders_fuzz"
"$OUT/report_decoders_fuzz" -max_total_time="${1:-300}" -max_len=4096 "$OUT/corpus"
