#!/usr/bin/env bash
# Builds the Windows programs, lays out the program folder (build/win64/program/,
# with the simulated mouse's featlink.dll) and starts the Monitor with "1" under
# Wine, so that it opens the Option window as well.
#  - With a display ($DISPLAY set) the Monitor runs until you choose "Exit" in
#    its tray menu. Drive the simulated mouse from another shell with
#    build/win64/program/mousesim.exe (see featlink/README.md).
#  - Without one it runs under Xvfb, a screenshot is saved to
#    build/win64/screenshots/run.png, and it keeps running until you press
#    Enter (at once when the input is not a terminal).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash scripts/bootstrap.sh
bash scripts/build.sh win64
B="$ROOT/build/win64"
. "$ROOT/scripts/wine_env.sh"
wine_env "$B"
wine_prefix
XPID=""
cleanup() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XPID" ]; then kill "$XPID" 2>/dev/null || true; wait "$XPID" 2>/dev/null || true; fi
}
trap cleanup EXIT
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  wine_xvfb
  export DISPLAY="$XDISPLAY"
fi
cd "$B/program"
echo "Starting VextraMonitor.exe 1 under Wine from $B/program"
wine VextraMonitor.exe 1 &
MONITOR=$!
if [ $headless -eq 0 ]; then
  wait $MONITOR
  exit 0
fi
# Give the Monitor time to read the mouse back and open its windows.
sleep 12
mkdir -p "$B/screenshots"
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$B/screenshots/run.png"
echo "Screenshot: $B/screenshots/run.png"
echo "Simulated mouse: $(wine "$B/program/mousesim.exe" state 2>/dev/null | head -1 | tr -d '\r')"
if [ -t 0 ]; then
  read -r -p "The Monitor is running; press Enter to stop it. " _
fi
timeout 10 wine "$B/program/mousesim.exe" state >/dev/null 2>&1 || true
