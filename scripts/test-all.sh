#!/usr/bin/env bash
# Runs every test: native unit tests, the fuzz targets (briefly), the skin
# generator's checks, then the Wine tests of the x86_64 build.
# The i686 build is compiled too (it cannot run here: only 64-bit Wine exists).
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash scripts/bootstrap.sh || { echo "bootstrap failed"; exit 1; }
bash scripts/build.sh native win64 win32 || { echo "build failed"; exit 1; }

echo "== native unit tests"
ctest --test-dir build/native --output-on-failure -j 2 --timeout 300 | tee build/native/ctest.log
native_rc=${PIPESTATUS[0]}
native_total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' build/native/ctest.log | tail -1)
native_failed=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' build/native/ctest.log | tail -1)
native_total=${native_total:-0}; native_failed=${native_failed:-0}
[ "$native_rc" -ne 0 ] && [ "$native_failed" -eq 0 ] && native_failed=1

echo "== fuzz targets (built from the current sources, each run for a few seconds)"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-45}" 2>&1 | tee build/fuzz-tests.log
fuzz_rc=${PIPESTATUS[0]}
fuzz_passed=$(sed -n 's/^fuzz: \([0-9]*\) passed, \([0-9]*\) failed$/\1/p' build/fuzz-tests.log | tail -1)
fuzz_failed=$(sed -n 's/^fuzz: \([0-9]*\) passed, \([0-9]*\) failed$/\2/p' build/fuzz-tests.log | tail -1)
fuzz_passed=${fuzz_passed:-0}; fuzz_failed=${fuzz_failed:-0}
[ "$fuzz_rc" -ne 0 ] && [ "$fuzz_failed" -eq 0 ] && fuzz_failed=1

echo "== skin generator checks"
/usr/bin/python3 -m unittest discover -s assets/skins -p 'test_*.py' 2>&1 | tee build/skins-tests.log
skins_rc=${PIPESTATUS[0]}
skins_total=$(sed -n 's/^Ran \([0-9]*\) test.*/\1/p' build/skins-tests.log | tail -1)
skins_total=${skins_total:-0}
skins_failed=0
[ "$skins_rc" -ne 0 ] && skins_failed=1

echo "== Wine tests"
bash tests/wine/run.sh build/win64 | tee build/win64/wine-tests.log
wine_rc=${PIPESTATUS[0]}
wine_passed=$(sed -n 's/^wine: \([0-9]*\) passed, \([0-9]*\) failed$/\1/p' build/win64/wine-tests.log | tail -1)
wine_failed=$(sed -n 's/^wine: \([0-9]*\) passed, \([0-9]*\) failed$/\2/p' build/win64/wine-tests.log | tail -1)
wine_passed=${wine_passed:-0}; wine_failed=${wine_failed:-0}
[ "$wine_rc" -ne 0 ] && [ "$wine_failed" -eq 0 ] && wine_failed=1

passed=$(( native_total - native_failed + fuzz_passed + wine_passed + skins_total - skins_failed ))
failed=$(( native_failed + fuzz_failed + wine_failed + skins_failed ))
echo "total: $passed passed, $failed failed"
[ "$native_rc" -eq 0 ] && [ "$fuzz_rc" -eq 0 ] && [ "$wine_rc" -eq 0 ] && [ "$skins_rc" -eq 0 ] && [ "$failed" -eq 0 ]
