# Shared set-up for the run, test and screenshot commands. Source it, then call:
#   need_packages; need_locale; wine_env; need_display; need_prefix
# Everything lives under build/ so a fresh clone needs nothing but Debian 12 and root.

MIMORUKA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# A second checkout or a parallel job may point this at its own folder.
MIMORUKA_WINE_DIR=${MIMORUKA_WINE_DIR:-$MIMORUKA_ROOT/build/wine}

MIMORUKA_PACKAGES=(
  cmake ninja-build g++ googletest libgtest-dev clang-14 libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils imagemagick xdotool
  locales fonts-ipafont-gothic fonts-wine liblnk-utils libimage-exiftool-perl
)

log() { printf '[mimoruka] %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whichever of the packages above is missing (one apt run at most).
need_packages() {
  local missing=() p
  for p in "${MIMORUKA_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Wine takes its code page from the Unix locale; without the generated ja_JP.UTF-8
# locale it still reports code page 932 but mangles Japanese file names on disk.
need_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
  log "generating the ja_JP.UTF-8 locale"
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
}

wine_env() {
  export WINEPREFIX=$MIMORUKA_WINE_DIR/prefix
  export WINEARCH=win64
  # Wine links the prefix's Desktop and Documents to $HOME: keep them inside the build tree.
  export HOME=$MIMORUKA_WINE_DIR/home
  export LC_ALL=ja_JP.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEDEBUG=${WINEDEBUG:--all}
  mkdir -p "$HOME"
}

# Starts Xvfb on a free display unless a working display is already set.
# The caller owns MIMORUKA_XVFB_PID and stops it with stop_display.
need_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=90
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  MIMORUKA_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  log "Xvfb did not start on $DISPLAY"
  return 1
}

stop_display() {
  [ -n "${MIMORUKA_XVFB_PID:-}" ] || return 0
  kill "$MIMORUKA_XVFB_PID" 2>/dev/null
  wait "$MIMORUKA_XVFB_PID" 2>/dev/null
  MIMORUKA_XVFB_PID=
}

# Ends every Wine process of this prefix (and only of this prefix).
stop_wine() {
  [ -d "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  return 0
}

# Starts this prefix's server and its services detached from our output: a service that
# inherited a test's output pipe would keep CTest waiting for that test's end forever.
start_wine() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1
}

# Makes the private prefix once; later runs reuse it.
need_prefix() {
  local stamp=$WINEPREFIX/.mimoruka-ready
  if [ ! -f "$stamp" ]; then
    log "creating the Wine prefix in $WINEPREFIX (once)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver -w
    local face
    for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f >/dev/null 2>&1
    done
    for face in "ＭＳ ゴシック" "MS Gothic"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAGothic /f >/dev/null 2>&1
    done
    wineserver -w
    touch "$stamp"
  fi
  # Title bar buttons are drawn with Marlett, which Wine finds only in the prefix's Fonts.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    wineserver -k 2>/dev/null || true
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  return 0
}
