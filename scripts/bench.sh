#!/usr/bin/env bash
# Benchmarks (not tests): native Google Benchmark figures, then the Wine
# comparison with the Windows private-profile functions.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash scripts/bootstrap.sh
bash scripts/build.sh bench win64
./build/bench/bench/vextra_bench
B="$ROOT/build/win64"
export WINEPREFIX="$B/wineprefix" WINEARCH=win64 WINEDEBUG=-all LANG=C.UTF-8 TMPDIR="$B/tmp"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d"
mkdir -p "$TMPDIR" "$B/bench-work"
[ -f "$WINEPREFIX/.vextra-ready" ] || { echo "run the tests once first to create the Wine prefix"; exit 1; }
(unset DISPLAY; timeout 600 wine "$B/bench/store_wbench.exe" "$(printf 'Z:%s' "$B/bench-work" | tr / '\\')" 5)
timeout 30 wineserver -k || true
# The Monitor at rest for a minute (needs an X server for its window and tray).
. "$ROOT/scripts/wine_env.sh"
wine_xvfb
(export DISPLAY="$XDISPLAY"; timeout 200 wine "$B/bench/monitor_rest_wbench.exe" "$(winpath "$B/program")" "$(winpath "$B/bench-work/monitor")" 60)
timeout 30 wineserver -k || true
kill "$XPID" 2>/dev/null; wait "$XPID" 2>/dev/null || true
