# Sourced by the tests of the Windows build. They run in the Linux test tree against the
# artefacts of the windows preset (build/windows), under wine.
# When wine, a mingw-w64 tool or an artefact is missing, a test fails if the
# environment variable CI is set (CI must run them) and skips elsewhere (exit 77).

SKIP_CODE=77
WINE=/usr/lib/wine/wine64
OBJDUMP=x86_64-w64-mingw32-objdump
WINE_RUN=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-run")

missing() {  # what is missing and how to get it
    if [ -n "${CI:-}" ]; then
        echo "FAIL: $1 (CI is set, so the Windows tests must run)"
        exit 1
    fi
    echo "SKIP: $1"
    exit "$SKIP_CODE"
}

need_wine() { [ -x "$WINE" ] || missing "wine64 is not installed: run scripts/setup windows"; }
need_objdump() { command -v "$OBJDUMP" >/dev/null || missing "$OBJDUMP is not installed: run scripts/setup windows"; }
need_file() { [ -f "$1" ] || missing "$1 is missing: run make ${2:-windows}"; }

# Runs a program of the Windows build under wine in the build's own prefix.
run_windows() {  # windows-build-dir program.exe [argument...]
    local build=$1
    shift
    "$WINE_RUN" "$build/wineprefix" "$@"
}
