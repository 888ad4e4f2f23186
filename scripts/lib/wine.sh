# Shell helpers for running our Windows programs under Wine. Source this file.
# Wine needs an X server for windows, and its server must be started with its standard handles on /dev/null:
# otherwise the services it starts inherit the first pipe a test reads and that test never sees end of file.

TESSARON_ROOT=${TESSARON_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
TESSARON_TEMPLATE_PREFIX=${TESSARON_TEMPLATE_PREFIX:-$TESSARON_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Starts an Xvfb of our own, which picks a free display number itself; sets and exports DISPLAY and sets XVFB_PID.
# $1: the screen size (default 1280x1024).
start_xvfb() {
  local size=${1:-1280x1024} number
  number=$(mktemp) || return 1
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -dpi 96 3>"$number" </dev/null >/dev/null 2>&1 9>&- &
  XVFB_PID=$!
  local _
  for _ in $(seq 1 250); do
    [ -s "$number" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.02
  done
  if [ ! -s "$number" ]; then
    rm -f "$number"
    echo "Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=:$(tr -d '[:space:]' <"$number")
  export DISPLAY
  rm -f "$number"
}

stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  fi
}

# A display for programs run one by one (scripts/wine-run, as ctest's emulator): the one that is set, or an Xvfb
# shared by every run of this checkout, started once; its number and process are kept in build/xvfb.*.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local state=$TESSARON_ROOT/build/xvfb
  mkdir -p "$TESSARON_ROOT/build"
  (
    flock 9
    if [ -f "$state.pid" ] && kill -0 "$(cat "$state.pid")" 2>/dev/null && [ -s "$state.display" ]; then exit 0; fi
    start_xvfb || exit 1
    echo "$XVFB_PID" >"$state.pid"
    echo "$DISPLAY" >"$state.display"
  ) 9>"$state.lock" || return 1
  DISPLAY=$(cat "$state.display")
  export DISPLAY
}

# Starts the prefix's server, and Wine's services with it, all with their handles on /dev/null: the services start
# with the first program of a new server and would otherwise inherit whatever that program's output goes to.
start_wineserver() {
  WINEPREFIX=$1 setsid wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
  WINEPREFIX=$1 wine wineboot </dev/null >/dev/null 2>&1 9>&- || true
}

stop_prefix() {
  WINEPREFIX=$1 wineserver -k 2>/dev/null || true
  WINEPREFIX=$1 wineserver -w 2>/dev/null || true
}

# Creates the prefix $1 unless it is ready, and starts its server.
ensure_prefix() {
  local prefix=$1
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.tessaron-ready" ]; then
      WINEPREFIX=$prefix setsid wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
      WINEPREFIX=$prefix wine wineboot -i </dev/null >/dev/null 2>&1 9>&-
      # Without a window manager every hide or close of a top-level window waits 2 s; unmanaged windows do not.
      WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null 2>&1 9>&-
      touch "$prefix/.tessaron-ready"
    fi
    [ -f "$prefix/drive_c/windows/Fonts/marlett.ttf" ] || install_caption_font "$prefix"
    start_wineserver "$prefix"
  ) 9>"$prefix.lock"
}

# The title bar's buttons are glyphs of the Marlett font, which a new prefix lacks: without it they show as the
# characters "0 1 r". Wine's own free Marlett comes with Debian's fonts-wine package.
TESSARON_CAPTION_FONT=${TESSARON_CAPTION_FONT:-/usr/share/wine/fonts/marlett.ttf}
install_caption_font() {
  local prefix=$1
  if [ ! -f "$TESSARON_CAPTION_FONT" ]; then
    echo "no Marlett font at $TESSARON_CAPTION_FONT (package fonts-wine): title bar buttons show as letters" >&2
    return 0
  fi
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp "$TESSARON_CAPTION_FONT" "$prefix/drive_c/windows/Fonts/marlett.ttf"
  WINEPREFIX=$prefix wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' \
    /t REG_SZ /d marlett.ttf /f </dev/null >/dev/null 2>&1 9>&-
}

# A fresh copy of the template prefix (build/wineprefix, created once) at $1, with its server started: a program
# may write HKLM, define drives and leave files there. Start the display first.
fresh_prefix() {
  local prefix=$1
  if [ ! -f "$TESSARON_TEMPLATE_PREFIX/.tessaron-ready" ]; then
    ( unset DISPLAY; ensure_prefix "$TESSARON_TEMPLATE_PREFIX" && stop_prefix "$TESSARON_TEMPLATE_PREFIX" ) || {
      echo "cannot prepare $TESSARON_TEMPLATE_PREFIX" >&2
      return 1
    }
  fi
  # The template's server keeps the registry in memory and saves it now and then: a value that a test changed for a
  # while (the DPI test's LogPixels) may be on disk although the test has put it back since. Stopping the server
  # saves the registry as it is, so the copy gets the template's state of now. Its next user starts it again.
  ( flock 9; stop_prefix "$TESSARON_TEMPLATE_PREFIX" ) 9>"$TESSARON_TEMPLATE_PREFIX.lock"
  stop_prefix "$prefix"
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  cp -a "$TESSARON_TEMPLATE_PREFIX" "$prefix" || { echo "cannot copy $TESSARON_TEMPLATE_PREFIX" >&2; return 1; }
  start_wineserver "$prefix"
}
