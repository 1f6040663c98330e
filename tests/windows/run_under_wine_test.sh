#!/usr/bin/env bash
# Runs one program of the Windows build under wine in a fresh empty game folder; the
# program's exit code is the verdict.
# Usage: run_under_wine_test.sh WINDOWS_BUILD_DIR PROGRAM.exe [ARGUMENT...]
set -euo pipefail
source "$(dirname "$0")/windows_test_support.sh"
build=$(realpath "$1")
program=$2
shift 2
need_wine
need_file "$build/$program"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
run_windows "$build" "$build/$program" "$@"
