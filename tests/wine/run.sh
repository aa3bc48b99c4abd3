#!/usr/bin/env bash
# Runs the Wine tests of one Windows build (default build/win64).
#  - private prefix in the build folder, created once and reused
#  - WINEDEBUG=-all, no Mono/Gecko, no menu builder, no sound drivers
#  - one persistent wineserver for the run, shut down at the end
#  - Xvfb on a free display for tests that need one
#  - every test under its own time-out; processes ended by pid
# Test list: tests/wine/tests.list, one test per line:
#   <exe name> <time-out seconds> <display|nodisplay> [arguments...]
# Arguments may use {work} (a fresh folder for the test, as a Windows path)
# and {program} (the program folder, as a Windows path).
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/win64}" && pwd)
LIST="$ROOT/tests/wine/tests.list"
ONLY="${2:-}"

. "$ROOT/scripts/wine_env.sh"
wine_env "$BUILD"
RESULTS="$BUILD/wine-results"
rm -rf "$RESULTS"; mkdir -p "$RESULTS"

XPID=""
cleanup() {
  timeout 30 wineserver -k >/dev/null 2>&1
  timeout 30 wineserver -w >/dev/null 2>&1
  if [ -n "$XPID" ]; then kill "$XPID" 2>/dev/null; wait "$XPID" 2>/dev/null; fi
}
trap cleanup EXIT

wine_prefix

needs_display=0
grep -v '^\s*#' "$LIST" | grep -q ' display' && needs_display=1
if [ $needs_display -eq 1 ]; then
  wine_xvfb
  export WINE_TEST_DISPLAY="$XDISPLAY"
fi

# A stand-in browser and mailer: every address the shell opens is noted in
# the log (the tests read it; nothing leaves the machine).
export WINE_TEST_BROWSER="$RESULTS/browser.sh" WINE_TEST_BROWSER_LOG="$RESULTS/browser.log"
printf '#!/bin/sh\necho "$1" >> "%s"\n' "$WINE_TEST_BROWSER_LOG" > "$WINE_TEST_BROWSER"
chmod +x "$WINE_TEST_BROWSER"

TIMING_TESTS="macro_playback_wtest sound_media_wtest"

wineserver -p
passed=0; failed=0
while read -r name limit display args; do
  case "$name" in ''|\#*) continue ;; esac
  [ -n "$ONLY" ] && [ "$name" != "$ONLY" ] && continue
  exe="$BUILD/tests/$name.exe"
  work="$RESULTS/$name.work"; mkdir -p "$work"
  args=${args//\{work\}/$(winpath "$work")}
  args=${args//\{program\}/$(winpath "$BUILD/program")}
  log="$RESULTS/$name.log"
  if [ ! -f "$exe" ]; then
    echo "wine: $name: missing $exe"; failed=$((failed + 1)); continue
  fi
  # Once any test needs the X server every test gets it: the first program of
  # the run starts Wine's desktop process, and one started without a display
  # would leave every later window without a driver.
  d=${WINE_TEST_DISPLAY:-}
  # Tests that measure real time under Wine (hook delivery through Wine's
  # server, timers) get three attempts: the machine's jitter can make one
  # event late; a real fault fails every attempt.
  attempts=1
  case " $TIMING_TESTS " in *" $name "*) attempts=3 ;; esac
  for attempt in $(seq 1 $attempts); do
    # Screenshots on request ("shots" in the list): a test that writes
    # NAME.shot-request into its work folder gets NAME.png of the whole
    # screen there (kept with the results).
    shooter=""
    if [ -n "$d" ] && [ "$display" = "shots" ]; then
      ( while :; do
          for r in "$work"/*.shot-request; do
            [ -e "$r" ] || continue
            xwd -root -silent -display "$d" | convert xwd:- "png:${r%.shot-request}.png.part" 2>/dev/null &&
              mv "${r%.shot-request}.png.part" "${r%.shot-request}.png"
            rm -f "$r"
          done
          sleep 0.2
        done ) &
      shooter=$!
    fi
    # shellcheck disable=SC2086
    DISPLAY=$d timeout -k 5 "$limit" wine "$exe" $args >"$log" 2>&1 </dev/null
    rc=$?
    if [ -n "$shooter" ]; then kill "$shooter" 2>/dev/null; wait "$shooter" 2>/dev/null; fi
    line=$(tr -d '\r' < "$log" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -1)
    p=$(echo "$line" | cut -d' ' -f1); f=$(echo "$line" | cut -d' ' -f3)
    p=${p:-0}; f=${f:-0}
    if [ $rc -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
    [ $rc -eq 124 ] && echo "wine: $name: timed out after ${limit}s"
    [ "$f" -eq 0 ] && break
    if [ "$attempt" -lt "$attempts" ]; then
      echo "wine: $name: attempt $attempt failed, trying again:"; grep -E '^FAIL' "$log" | head -5
      cp "$log" "$log.attempt$attempt"
    fi
  done
  passed=$((passed + p)); failed=$((failed + f))
  if [ "$f" -eq 0 ]; then echo "wine: $name: ok ($p checks)"; else echo "wine: $name: FAILED (exit $rc)"; grep -E '^FAIL' "$log" | head -20; tail -5 "$log"; fi
done < "$LIST"
echo "wine: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ $passed -gt 0 ]
