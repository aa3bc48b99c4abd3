#!/usr/bin/env bash
# Configures (once) and builds the requested configurations:
#   native  - portable core and unit tests (with sanitizers)   -> build/native
#   win64   - x86_64 Windows programs and Wine tests           -> build/win64 (program/ = the program folder)
#   win32   - i686 Windows programs (the release target)       -> build/win32
#   bench   - native benchmarks, optimised                     -> build/bench
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
JOBS=${JOBS:-$(nproc)}
[ $# -eq 0 ] && set -- native win64 win32
for config in "$@"; do
  dir="$ROOT/build/$config"
  case "$config" in
    native) args=(-DVEXTRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
    bench)  args=(-DVEXTRA_BENCH=ON -DCMAKE_BUILD_TYPE=Release) ;;
    win64)  args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake") ;;
    win32)  args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw32.cmake") ;;
    *) echo "unknown configuration: $config" >&2; exit 2 ;;
  esac
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja "${args[@]}" >/dev/null
  fi
  echo "== building $config"
  cmake --build "$dir" -j "$JOBS"
done
