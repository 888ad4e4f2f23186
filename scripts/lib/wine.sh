# Shell helpers for running our Windows programs under Wine. Source this file.
# Wine needs an X server for windows, and its server must be started with its standard handles on /dev/null:
# otherwise the services it starts inherit the first pipe a test reads and that test never sees end of file.

TESSARON_ROOT=${TESSARON_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Starts an Xvfb of our own unless a display is set; its number is kept in build/xvfb.display.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local state="$TESSARON_ROOT/build/xvfb.display" pidf="$TESSARON_ROOT/build/xvfb.pid"
  mkdir -p "$TESSARON_ROOT/build"
  (
    flock 9
    if [ -f "$pidf" ] && kill -0 "$(cat "$pidf")" 2>/dev/null && [ -f "$state" ]; then exit 0; fi
    local n
    for n in $(seq 90 140); do
      [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -dpi 96 </dev/null >/dev/null 2>&1 9>&- &
      echo $! >"$pidf"
      local i
      for i in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.05
      done
      echo ":$n" >"$state"
      exit 0
    done
    echo "no free X display number" >&2
    exit 1
  ) 9>"$TESSARON_ROOT/build/xvfb.lock"
  DISPLAY=$(cat "$TESSARON_ROOT/build/xvfb.display")
  export DISPLAY
}

stop_display() {
  local pidf="$TESSARON_ROOT/build/xvfb.pid"
  if [ -f "$pidf" ]; then kill "$(cat "$pidf")" 2>/dev/null || true; rm -f "$pidf" "$TESSARON_ROOT/build/xvfb.display"; fi
}

# Creates (once) and starts the Wine prefix given as $1.
ensure_prefix() {
  local prefix=$1
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    export WINEPREFIX=$prefix
    if [ ! -f "$prefix/.tessaron-ready" ]; then
      setsid wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
      wine wineboot -i </dev/null >/dev/null 2>&1 9>&-
      # Without a window manager every hide or close of a top-level window waits 2 s; unmanaged windows do not.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 9>&-
      touch "$prefix/.tessaron-ready"
    fi
    setsid wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
    # Wine's services start with the first program of a new server; start them here with their handles on
    # /dev/null, or they inherit the output pipe of whichever test comes first and hold it open.
    wine wineboot </dev/null >/dev/null 2>&1 9>&- || true
  ) 9>"$prefix.lock"
}

stop_prefix() {
  WINEPREFIX=$1 wineserver -k 2>/dev/null || true
}
