# Shared by scripts/test and scripts/run: the Wine environment, the test prefix
# and a private X display. Source it; every function works on $BUILD.

wine_env() {
  export WINEPREFIX="$BUILD/wineprefix" WINEARCH=win32 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="   # never prompt for Mono or Gecko
  export LC_ALL=ko_KR.UTF-8                    # ANSI code page 949
  export KVB_DRIVE_E="$BUILD/drive-e"
}

# The wine server and the prefix's services are started detached: services
# inherit stdout, and a reader (ctest, a pipe) would otherwise wait for them.
wine_up() {
  wineserver -p 2>/dev/null || true
  wineboot </dev/null >/dev/null 2>&1
}

wine_down() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# A fresh 32-bit prefix, remade when this file changes.
make_prefix() {
  local stamp; stamp="$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-16)"
  if [[ -f "$WINEPREFIX/.kvb-ready" && "$(cat "$WINEPREFIX/.kvb-ready")" == "$stamp" ]]; then
    return
  fi
  echo "test: making the Wine prefix in $WINEPREFIX" >&2
  wine_down
  rm -rf "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  # Debian's wine never loads /usr/share/wine/fonts: without the copy there is
  # no Tahoma and no Marlett (caption buttons show as letters).
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  mkdir -p "$KVB_DRIVE_E"
  ln -sfn "$KVB_DRIVE_E" "$WINEPREFIX/dosdevices/e:"
  local reg="$BUILD/prefix.reg"
  cat > "$reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"e:"="floppy"

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win7"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
  wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
  # Drives are read only when the server starts.
  wine_down
  echo "$stamp" > "$WINEPREFIX/.kvb-ready"
}

# A private display: the current one is never touched.
XVFB_PID=""
start_xvfb() {
  local n=90
  while [[ -e "/tmp/.X11-unix/X$n" || -e "/tmp/.X$n-lock" ]]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [[ -e "/tmp/.X11-unix/X$n" ]] && break; sleep 0.05; done
  export DISPLAY=":$n"
}

stop_xvfb() {
  [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}

# The stand-in player, registered where the real control lives, so that the
# viewer's start-up check and every book test find it.
register_player() {
  local dir="$WINEPREFIX/drive_c/windows/system32/Macromed/Flash"
  [[ -f "$BUILD/bin/Flash10s.ocx" ]] || return 0
  mkdir -p "$dir"
  cp "$BUILD/bin/Flash10s.ocx" "$dir/"
  wine regsvr32 /s 'C:\windows\system32\Macromed\Flash\Flash10s.ocx' </dev/null >/dev/null 2>&1
}
