#!/usr/bin/env bash
# Installs what the build, the tests and the run need, and nothing else.
# Quiet and quick when everything is already there.
set -euo pipefail

PACKAGES=(
    g++-mingw-w64-i686-posix      # the device's 32-bit Windows target
    wine wine32:i386              # runs what we build
    cmake ninja-build
    googletest                    # built for the target from its sources
    librapidxml-dev               # the XML DOM stand-in's parser
    xvfb imagemagick              # screens and pictures without a display
    locales fonts-wqy-microhei    # Chinese locale and a font with Chinese glyphs
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    NEED_UPDATE=1
fi

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ] || [ -n "${NEED_UPDATE:-}" ]; then
    echo "bootstrap: installing ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine picks the Chinese (PRC) locale, code page 936, only when the locale exists on the host.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
