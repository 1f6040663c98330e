#!/usr/bin/env bash
# The first start of Kelvane.asi in an empty folder writes Kelvane.ini with CR LF line
# ends (msvcrt's text mode), and its text is the Linux build's file line for line.
# Usage: default_config_file_test.sh WINDOWS_BUILD_DIR LINUX_KELVANE_SIM
set -euo pipefail
source "$(dirname "$0")/windows_test_support.sh"
build=$(realpath "$1")
linux_tool=$(realpath "$2")
need_wine
need_file "$build/kelvane-sim.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/windows" "$work/linux"

(cd "$work/windows" && run_windows "$build" "$build/kelvane-sim.exe" config >/dev/null)
(cd "$work/linux" && "$linux_tool" config >/dev/null)
windows_file=$work/windows/Kelvane.ini
[ -s "$windows_file" ] || { echo "FAIL the Windows build wrote no Kelvane.ini"; exit 1; }

lines=$(wc -l <"$windows_file")
crlf_lines=$(grep -c $'\r$' "$windows_file" || true)
if [ "$crlf_lines" -ne "$lines" ] || [ "$(tail -c 2 "$windows_file" | od -An -c | tr -d ' ')" != '\r\n' ]; then
    echo "FAIL only $crlf_lines of $lines lines of the Windows file end in CR LF"
    exit 1
fi
if ! sed 's/\r$//' "$windows_file" | diff -u "$work/linux/Kelvane.ini" -; then
    echo "FAIL apart from line ends, the Windows file differs from the Linux file"
    exit 1
fi
echo "ok   the Windows build wrote the Linux build's $lines lines with CR LF line ends"
