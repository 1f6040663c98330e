#!/usr/bin/env bash
# kelvane-sim.exe config under wine prints what the Linux tool prints for the same
# files: the Linux tool's test cases and expected outputs, run with the Windows tool.
# Usage: config_command_test.sh WINDOWS_BUILD_DIR LINUX_CONFIG_TEST EXPECTED_DIR
set -euo pipefail
source "$(dirname "$0")/windows_test_support.sh"
build=$(realpath "$1")
need_wine
need_file "$build/kelvane-sim.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The Linux test runs one executable; this one runs the Windows tool under wine. Console
# output on Windows ends lines in CR LF, which is not what the test compares.
cat >"$work/kelvane-sim" <<TOOL
#!/usr/bin/env bash
set -o pipefail
"$WINE_RUN" "$build/wineprefix" "$build/kelvane-sim.exe" "\$@" | sed 's/\r\$//'
TOOL
chmod +x "$work/kelvane-sim"
"$2" "$work/kelvane-sim" "$3"
