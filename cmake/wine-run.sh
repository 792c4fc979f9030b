#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix of the build folder that
# ctest runs in, never in the user's own prefix. Creates the prefix on first use.
set -euo pipefail

build_dir=${PEXALO_BUILD_DIR:-$PWD}
while [ ! -f "$build_dir/CMakeCache.txt" ] && [ "$build_dir" != / ]; do build_dir=$(dirname "$build_dir"); done
[ -f "$build_dir/CMakeCache.txt" ] || { echo "wine-run: no build folder above $PWD" >&2; exit 2; }

# PEXALO_WINEPREFIX picks another throwaway prefix, e.g. one with a test control registered.
export WINEPREFIX="${PEXALO_WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG=-all
# No Mono or Gecko installer prompts in a throwaway prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 932, as on our users' machines.
export LC_ALL=ja_JP.UTF-8

# A Wine server that starts without a display cannot create windows later on.
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/../scripts/with-display.sh" "$0" "$@"
fi

if [ ! -f "$WINEPREFIX/.ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.ready" ]; then
      wineboot -i >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.ready"
    fi
  ) 9>"$build_dir/wineprefix.lock"
fi

# A Japanese Windows has the MS Gothic family, and its dialog font (MS Shell Dlg) is
# MS UI Gothic; here the IPA Gothic fonts stand in for them.
if [ ! -f "$WINEPREFIX/.japanese-fonts" ]; then
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.japanese-fonts" ]; then
      # The Wine server that reg starts outlives it and must not keep the lock.
      key='HKCU\Software\Wine\Fonts\Replacements'
      for face in 'MS UI Gothic=IPAPGothic' 'MS Gothic=IPAGothic' 'MS PGothic=IPAPGothic' \
                  'ＭＳ ゴシック=IPAGothic' 'ＭＳ Ｐゴシック=IPAPGothic'; do
        wine reg add "$key" /v "${face%%=*}" /d "${face#*=}" /f >/dev/null 2>&1 9>&-
      done
      touch "$WINEPREFIX/.japanese-fonts"
    fi
  ) 9>"$build_dir/wineprefix.lock"
fi

exec wine "$@"
