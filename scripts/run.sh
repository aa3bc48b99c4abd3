#!/usr/bin/env bash
# Builds the Windows programs and lays out the program folder.
# The Monitor program that this command starts under Wine is not built yet;
# until it is, this command builds and lays out build/win64/program/ and says so.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash scripts/bootstrap.sh
bash scripts/build.sh win64
echo "Program folder laid out at build/win64/program/."
if ls build/win64/program/VextraMonitor.exe >/dev/null 2>&1; then
  echo "Starting VextraMonitor.exe 1 under Wine"
else
  echo "VextraMonitor.exe is not part of this build yet; nothing to start."
fi
