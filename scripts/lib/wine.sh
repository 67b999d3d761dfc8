# Shared by scripts/test and scripts/run: the Wine environment, the test prefix,
# private X displays and the desktops GUI tests run on. Source it; every
# function works on $BUILD.

wine_env() {
  export WINEPREFIX="$BUILD/wineprefix" WINEARCH=win32 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="   # never prompt for Mono or Gecko
  export LC_ALL=ko_KR.UTF-8                    # ANSI code page 949
  export KVB_DRIVE_E="$BUILD/drive-e"
}

# The wine server and the prefix's services are started detached: they inherit
# stdout, and a reader (ctest, a pipe) would otherwise wait for them.
wine_up() {
  setsid -w wineserver -p </dev/null >/dev/null 2>&1 || true
  setsid -w wineboot </dev/null >/dev/null 2>&1
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
  # Korean Windows links Tahoma to a Hangul font: without the link the forms'
  # Korean texts (Tahoma) show as boxes. The font comes from fonts-nanum.
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

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]
"Tahoma"=hex(7):4e,61,6e,75,6d,47,6f,74,68,69,63,2e,74,74,66,2c,4e,61,6e,75,6d,47,6f,74,68,69,63,00,00
REG
  wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
  # Drives are read only when the server starts.
  wine_down
  echo "$stamp" > "$WINEPREFIX/.kvb-ready"
}

# A private display: the current one is never touched. Each call starts one
# more and points DISPLAY at it; stop_xvfb stops them all. Xvfb picks a free
# display number itself (-displayfd), so runs started at once never share one.
XVFB_PIDS=()
start_xvfb() {
  local number; number="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  XVFB_PIDS+=($!)
  for _ in $(seq 400); do [[ -s "$number" ]] && break; sleep 0.05; done
  [[ -s "$number" ]] || { echo "test: Xvfb did not start" >&2; rm -f "$number"; return 1; }
  export DISPLAY=":$(head -n 1 "$number")"
  rm -f "$number"
}

stop_xvfb() {
  local pid
  for pid in "${XVFB_PIDS[@]}"; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
  done
  XVFB_PIDS=()
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

# GUI tests run side by side on desktops that cannot see each other's windows,
# focus, cursor or files: each has its own display, Wine prefix (and so its own
# wineserver) and drive E:. Desktop 0 is the default prefix and drive; desktop
# n > 0 lives in $BUILD/desktops/<n>, its prefix a copy of the default (far
# quicker than making one). $BUILD/desktops/<n>/env sets a desktop's variables;
# scripts/lib/on-desktop sources it for the test CTest gave the desktop.
# KVB_DESKTOPS overrides how many there are. Every Wine process is emulated
# work, so the cores run out before the desktops do: one desktop per two cores
# (at most four) is as quick as more and boots sooner; two cores keep one.
desktop_count() {
  local n=$(($(nproc) / 2))
  echo "${KVB_DESKTOPS:-$((n < 1 ? 1 : n > 4 ? 4 : n))}"
}

# The copy is remade with the default prefix; the e: link is the one absolute
# path in a prefix that names the default's folders.
copy_prefix() {
  local prefix="$1" drive="$2"
  if [[ ! -f "$prefix/.kvb-ready" || "$(cat "$prefix/.kvb-ready")" != "$(cat "$WINEPREFIX/.kvb-ready")" ]]; then
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    cp -a "$WINEPREFIX" "$prefix"
  fi
  mkdir -p "$drive"
  ln -sfn "$drive" "$prefix/dosdevices/e:"
}

# Keeps the current prefix's desktop up until its server stops (wine_down):
# hold_desktop makes Wine start the desktop's explorer, detached like the
# server, so a test process finds a desktop at once and starts nothing that
# outlives it (or holds its output open). Returns once the desktop is up.
hold_desktop() {
  local ready="$1" holder="$BUILD/bin/hold_desktop.exe"
  [[ -f "$holder" ]] || return 0
  rm -f "$ready"
  setsid wine "$holder" </dev/null >"$ready" 2>/dev/null &
  for _ in $(seq 1200); do [[ -s "$ready" ]] && return 0; sleep 0.1; done
  echo "test: the desktop of $WINEPREFIX did not come up" >&2
  return 1
}

# Makes and starts $1 desktops (after make_prefix, the default's server down),
# and writes the CTest resource file that hands them out. Leaves DISPLAY on
# desktop 0, for what runs without a desktop.
DESKTOP_PREFIXES=()
desktops_up() {
  local count="$1" n dir prefix drive pids=() pid ids=()
  export KVB_DESKTOPS_DIR="$BUILD/desktops"
  rm -f "$KVB_DESKTOPS_DIR"/*/env
  for ((n = 0; n < count; n++)); do
    dir="$KVB_DESKTOPS_DIR/$n" prefix="$WINEPREFIX" drive="$KVB_DRIVE_E"
    if ((n > 0)); then
      prefix="$dir/wineprefix" drive="$dir/drive-e"
      copy_prefix "$prefix" "$drive"
    fi
    mkdir -p "$dir"
    start_xvfb
    printf 'export WINEPREFIX=%q DISPLAY=%q KVB_DRIVE_E=%q\n' "$prefix" "$DISPLAY" "$drive" > "$dir/env"
    DESKTOP_PREFIXES+=("$prefix")
  done
  for ((n = 0; n < count; n++)); do
    (. "$KVB_DESKTOPS_DIR/$n/env" && wine_up && register_player && hold_desktop "$KVB_DESKTOPS_DIR/$n/held") &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid"; done
  . "$KVB_DESKTOPS_DIR/0/env"
  for ((n = 0; n < count; n++)); do ids+=("{\"id\": \"$n\", \"slots\": 1}"); done
  (IFS=,; printf '{"version": {"major": 1, "minor": 0}, "local": [{"desktops": [%s]}]}\n' "${ids[*]}") \
    > "$KVB_DESKTOPS_DIR/resources.json"
  echo "test: $count desktops for the GUI tests" >&2
}

desktops_down() {
  local prefix pids=() pid
  for prefix in "${DESKTOP_PREFIXES[@]}"; do
    (WINEPREFIX="$prefix" wine_down) &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid"; done
  DESKTOP_PREFIXES=()
  stop_xvfb
}
