#!/usr/bin/env bash
# Creates the wine prefix of the Windows build once, before the tests that run under
# wine start in parallel and would otherwise each try to create it.
# Usage: wine_prefix_setup.sh WINDOWS_BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/windows_test_support.sh"
need_wine
"$WINE_RUN" "$1/wineprefix" --init
