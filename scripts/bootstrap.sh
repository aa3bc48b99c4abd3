#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test the project.
# Idempotent: when every tool is present it returns at once.
set -u

need=()
have() { command -v "$1" >/dev/null 2>&1; }
pkg_for() { # command package
  have "$1" || need+=("$2")
}
pkg_for cmake cmake
pkg_for ninja ninja-build
pkg_for g++ g++
# The fuzz targets: clang with its libFuzzer runtime (a separate package).
pkg_for clang++ clang
if ! have clang++ || [ ! -f "$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a" ]; then
  need+=(libclang-rt-dev)
fi
pkg_for x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
pkg_for i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix
pkg_for x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
pkg_for wine wine
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
pkg_for Xvfb xvfb
pkg_for xwd x11-apps
pkg_for xdotool xdotool
pkg_for sox sox
pkg_for espeak-ng espeak-ng
# convert may be a stand-in on some images; the real one answers -version with ImageMagick
if ! (convert -version 2>/dev/null | grep -q ImageMagick); then need+=(imagemagick); fi
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev libgmock-dev)
[ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
/usr/bin/python3 -c 'import PIL' 2>/dev/null || need+=(python3 python3-pil)
[ -d /usr/share/fonts/truetype/dejavu ] || need+=(fonts-dejavu-core)
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf ] || need+=(fonts-dejavu-extra)

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
# One broken index must not stop us: update errors are reported but ignored.
$SUDO apt-get update -o Acquire::Retries=2 || echo "bootstrap: apt-get update reported errors; continuing"
$SUDO apt-get install -y --no-install-recommends "${need[@]}" || {
  echo "bootstrap: retrying installs one by one"
  rc=0
  for p in "${need[@]}"; do $SUDO apt-get install -y --no-install-recommends "$p" || { echo "bootstrap: failed: $p"; rc=1; }; done
  exit $rc
}
