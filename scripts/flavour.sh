# The build's flavour and Wine's loader for it, decided here once for every script and for CTest.
# Source it; it sets and exports:
#   ULVO_ARCH      i686, the device's 32-bit ABI, where this machine runs Wine's 32-bit loader;
#                  x86_64, on Wine's 64-bit loader, where it cannot (kernels without 32-bit
#                  support, some containers). Set it beforehand to pick one by hand.
#   ULVO_ARCH_WHY  why that one, for ulvo_say_flavour
# and defines:
#   ULVO_WINE, ULVO_WINESERVER   Wine's loader and server of that flavour, for an exec
#   wine ARGS, wineserver ARGS   the same as functions. Scripts that source
#                  this reach Wine only through them (`wine wineboot -i`, `wine regsvr32 ...`,
#                  `wine reg ...`): Debian's /usr/bin/wine takes the 32-bit loader whenever
#                  wine32 is installed, whether or not the machine can execute it.
#   ulvo_configure DIR [ARCH]   configures a build of the flavour (or of ARCH) in DIR
#   ulvo_build_dir    the flavour's build directory (BUILD_DIR, or build/$ULVO_ARCH), so a switch
#                  never reuses the other flavour's objects or prefix
#   ulvo_say_flavour  prints the one line that says which flavour and why
#   ulvo_runs_32bit   true where Wine's 32-bit loader starts here

WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
WINE64_SERVER=/usr/lib/wine/wineserver64

ulvo_runs_32bit() { [ -x "$WINE32_LOADER" ] && "$WINE32_LOADER" --version >/dev/null 2>&1; }

ulvo_why_not_32bit() {
    if [ ! -x "$WINE32_LOADER" ]; then
        echo "Wine's 32-bit loader is not installed"
    else
        echo "Wine's 32-bit loader does not start: $("$WINE32_LOADER" --version 2>&1 | tail -n 1 | sed 's/^.*: //')"
    fi
}

case "${ULVO_ARCH:-}" in
i686|x86_64) ULVO_ARCH_WHY=${ULVO_ARCH_WHY:-"ULVO_ARCH picks it"} ;;
"")
    if ulvo_runs_32bit; then
        ULVO_ARCH=i686 ULVO_ARCH_WHY="the device's 32-bit ABI; this machine runs Wine's 32-bit loader"
    else
        ULVO_ARCH=x86_64 ULVO_ARCH_WHY="$(ulvo_why_not_32bit) (this machine runs no 32-bit programs)"
    fi
    ;;
*)  echo "flavour: ULVO_ARCH must be i686 or x86_64, not '$ULVO_ARCH'" >&2; return 2 2>/dev/null || exit 2 ;;
esac
export ULVO_ARCH ULVO_ARCH_WHY

if [ "$ULVO_ARCH" = x86_64 ]; then
    # Wine 8 in Debian has no 32-on-64 mode: 64-bit programs on the 64-bit loader and server.
    ULVO_WINE=$WINE64_LOADER ULVO_WINESERVER=$WINE64_SERVER
    export WINELOADER=$WINE64_LOADER WINESERVER=$WINE64_SERVER
else
    ULVO_WINE=wine ULVO_WINESERVER=wineserver
fi
wine() { command "$ULVO_WINE" "$@"; }
wineserver() { command "$ULVO_WINESERVER" "$@"; }

ULVO_TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ulvo_configure() {
    cmake -S "$ULVO_TOP" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
          -DCMAKE_TOOLCHAIN_FILE="$ULVO_TOP/cmake/mingw-${2:-$ULVO_ARCH}.cmake" >/dev/null
}

ulvo_build_dir() { echo "${BUILD_DIR:-build/$ULVO_ARCH}"; }
ulvo_say_flavour() {
    echo "flavour: $ULVO_ARCH, $ULVO_ARCH_WHY; building into $(ulvo_build_dir)"
    if [ "$ULVO_ARCH" = i686 ] && ! ulvo_runs_32bit; then
        echo "flavour: $(ulvo_why_not_32bit): the i686 build will not run here (ULVO_ARCH=x86_64 will)" >&2
    fi
}
