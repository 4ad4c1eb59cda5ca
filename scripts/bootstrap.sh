#!/usr/bin/env bash
# Installs what the build, the tests and the run need, and nothing else.
# Quiet and quick when everything is already there.
# The flavour (scripts/flavour.sh) decides the Wine it needs: the 32-bit one for i686, tried
# first where ULVO_ARCH leaves the choice open, the 64-bit one for x86_64.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
    g++-mingw-w64-i686-posix      # the device's 32-bit Windows target, built on either flavour
    cmake ninja-build
    googletest                    # built for the target from its sources
    librapidxml-dev               # the XML DOM stand-in's parser
    xvfb imagemagick              # screens and pictures without a display
    locales fonts-wqy-microhei    # Chinese locale and a font with Chinese glyphs
)
PACKAGES_I686=(wine wine32:i386)
PACKAGES_X86_64=(g++-mingw-w64-x86-64-posix wine64)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
UPDATED=""

missing_of() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}

install() {   # PACKAGE...: those not installed yet
    local missing
    missing=$(missing_of "$@")
    [ -n "$missing" ] || return 0
    echo "bootstrap: installing" $missing
    if [ -z "$UPDATED" ]; then $SUDO apt-get update -qq && UPDATED=1; fi
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing >/dev/null
}

install_i686_wine() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
        UPDATED=""
    fi
    install "${PACKAGES_I686[@]}"
}

install "${PACKAGES[@]}"

case "${ULVO_ARCH:-}" in
i686) install_i686_wine ;;
x86_64) ;;
*)  # Only a machine that runs the 32-bit loader builds the device's flavour; one that cannot
    # may not even install it, and goes on with x86_64 all the same.
    install_i686_wine || echo "bootstrap: Wine's 32-bit packages could not be installed; trying x86_64" >&2 ;;
esac

source scripts/flavour.sh
if [ "$ULVO_ARCH" = x86_64 ]; then install "${PACKAGES_X86_64[@]}"; fi

# Wine picks the Chinese (PRC) locale, code page 936, only when the locale exists on the host.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
