#!/usr/bin/env bash
# Builds and runs the fuzz targets (report decoders and INI parser; the
# Monitor's message surface; the skin's GIF splitter and layout strings) with libFuzzer (clang), for the
# given number of seconds in all (default 300).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/build/fuzz"
mkdir -p "$OUT/corpus"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -I"$ROOT" \
  "$ROOT/tests/fuzz/report_decoders_fuzz.cpp" "$ROOT/device/reports.cpp" "$ROOT/common/ini_file.cpp" \
  "$ROOT/common/settings_block.cpp" "$ROOT/common/function_catalogue.cpp" "$ROOT/common/file_system.cpp" \
  "$ROOT/common/file_system_posix.cpp" -o "$OUT/report_decoders_fuzz"
SECONDS_EACH=$(( ${1:-300} / 3 ))
"$OUT/report_decoders_fuzz" -max_total_time="$SECONDS_EACH" -max_len=4096 "$OUT/corpus"
# The Monitor's message surface: every portable source but the platform files.
mkdir -p "$OUT/monitor-corpus"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -I"$ROOT" \
  "$ROOT/tests/fuzz/monitor_messages_fuzz.cpp" "$ROOT"/monitor/*.cpp "$ROOT"/device/*.cpp "$ROOT"/sim/*.cpp \
  "$ROOT"/common/*.cpp -o "$OUT/monitor_messages_fuzz"
"$OUT/monitor_messages_fuzz" -max_total_time="$SECONDS_EACH" -max_len=400000 "$OUT/monitor-corpus"
# The skin's GIF splitter and layout strings.
mkdir -p "$OUT/skin-corpus"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -I"$ROOT" \
  "$ROOT/tests/fuzz/skin_parsers_fuzz.cpp" "$ROOT/option/skin/gif_frames.cpp" "$ROOT/option/skin/layout.cpp" \
  -o "$OUT/skin_parsers_fuzz"
# The generated animations (when a Windows build made them) are good seeds.
seeds=(); [ -d "$ROOT/build/win64/program/Gif" ] && seeds=("$ROOT/build/win64/program/Gif")
"$OUT/skin_parsers_fuzz" -max_total_time="$SECONDS_EACH" -max_len=65536 "$OUT/skin-corpus" "${seeds[@]}"
