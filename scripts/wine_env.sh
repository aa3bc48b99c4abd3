# Sourced by the scripts that run our Windows programs under Wine.
#   wine_env BUILD   - the environment for the private prefix of that build
#   wine_prefix      - creates the prefix once (no window manager stalls)
#   wine_xvfb        - starts Xvfb on a free display: sets XPID and XDISPLAY
wine_env() {
  export WINEPREFIX="$1/wineprefix" WINEARCH=win64 WINEDEBUG=-all LANG=C.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d"
  mkdir -p "$1/tmp"
  export TMPDIR="$1/tmp"
}

wine_prefix() {
  [ -f "$WINEPREFIX/.vextra-ready" ] && return 0
  echo "wine: creating prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  (unset DISPLAY; timeout 300 wineboot -i >/dev/null 2>&1; timeout 120 wineserver -w)
  # No 2 s stall per hidden window without a window manager.
  (unset DISPLAY; timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1)
  timeout 60 wineserver -w
  touch "$WINEPREFIX/.vextra-ready"
}

wine_xvfb() {
  XDISPLAY=""
  for n in $(seq 91 150); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then XDISPLAY=":$n"; break; fi
  done
  Xvfb "$XDISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XPID=$!
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X${XDISPLAY#:}" ] && break; sleep 0.1; done
}

winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }
