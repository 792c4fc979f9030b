#!/usr/bin/env bash
# Installs every Debian package that building and testing need; quiet when all is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config git python3
  libgtest-dev googletest
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 xvfb xdotool x11-utils libx11-dev imagemagick locales
  qt6-base-dev qt6-translations-l10n qt6-wayland weston libmpv-dev libseccomp-dev ffmpeg mpv
  libglib2.0-dev libglib2.0-bin shared-mime-info xdg-utils desktop-file-utils libfile-mimeinfo-perl exo-utils
  clang libclang-rt-14-dev
  fonts-ipafont-gothic
  librsvg2-bin appstream lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Windows programs must see code page 932, as on our users' machines.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
