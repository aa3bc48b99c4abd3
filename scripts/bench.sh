#!/usr/bin/env bash
# Benchmarks (not tests): native Google Benchmark figures, then under Wine:
# our INI engine against the Windows private-profile functions, window regions
# from an 800 x 600 skin, the Monitor at rest for a minute, and the Option
# window: start to first paint, memory and CPU at rest.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash scripts/bootstrap.sh
bash scripts/build.sh bench win64
./build/bench/bench/vextra_bench
B="$ROOT/build/win64"
. "$ROOT/scripts/wine_env.sh"
wine_env "$B"
wine_prefix
mkdir -p "$B/bench-work"
(unset DISPLAY; timeout 600 wine "$B/bench/store_wbench.exe" "$(winpath "$B/bench-work")" 5)
timeout 30 wineserver -k || true
# Regions and the Monitor at rest need an X server (windows, tray).
wine_xvfb
(export DISPLAY="$XDISPLAY"; timeout 120 wine "$B/bench/region_wbench.exe")
(export DISPLAY="$XDISPLAY"; timeout 200 wine "$B/bench/monitor_rest_wbench.exe" "$(winpath "$B/program")" "$(winpath "$B/bench-work/monitor")" 60)
timeout 30 wineserver -k || true
(export DISPLAY="$XDISPLAY"; timeout 200 wine "$B/bench/option_wbench.exe" "$(winpath "$B/program")" "$(winpath "$B/bench-work/option")" 30)
timeout 30 wineserver -k || true
kill "$XPID" 2>/dev/null; wait "$XPID" 2>/dev/null || true
