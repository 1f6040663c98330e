#!/usr/bin/env bash
# kelvane-sim.exe lint under wine gives the Linux tool's report, text and JSON, with the
# same exit codes, for the file the Windows build writes (CR LF) and for a faulty one;
# curves --out says that the Linux tool makes the picture.
# Usage: lint_command_test.sh WINDOWS_BUILD_DIR LINUX_KELVANE_SIM
set -uo pipefail
source "$(dirname "$0")/../tool/checks.sh"
source "$(dirname "$0")/windows_test_support.sh"
build=$(realpath "$1")
linux_tool=$(realpath "$2")
need_wine
need_file "$build/kelvane-sim.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
windows() { run_windows "$build" "$build/kelvane-sim.exe" "$@" | sed 's/\r$//'; return "${PIPESTATUS[0]}"; }

# Both tools on the same file: same report, same status.
same_report() {  # file, lint option...
    local status_windows status_linux
    windows lint "$@" >windows.out 2>/dev/null
    status_windows=$?
    "$linux_tool" lint "$@" >linux.out 2>/dev/null
    status_linux=$?
    [ "$status_windows" -eq "$status_linux" ] && diff -u linux.out windows.out
}

mkdir fresh
(cd fresh && run_windows "$build" "$build/kelvane-sim.exe" config >/dev/null)
check "the Windows build's own file (CR LF) is clean" windows lint fresh/Kelvane.ini
check "the Windows build's own file: the Linux report" same_report fresh/Kelvane.ini

sed 's/\r$//' fresh/Kelvane.ini | sed '/^Tram.Braking /d' >faulty.ini
printf 'ab\nTrain.Seat 0\nTrain.Braking =\nTrain.Acceleration = quick\nTrains.EnterDelay = 1e39\n' >>faulty.ini
printf 'train.speedforward = 30\nDisplay.Position = 1\nTrain.SpeedForward = 45\nTrain.Derailment = 1.5\n' >>faulty.ini
check "a faulty file: the Linux report" same_report faulty.ini
check "a faulty file: the Linux JSON" same_report faulty.ini --json
check "a missing file: the same status" same_report no-such.ini

windows curves --out pictures >curves.out 2>&1
check "curves --out: exit 2" test $? -eq 2
check "curves --out: the picture is the Linux tool's" grep -q "curves.png is made by the Linux tool only" curves.out
check "curves --out: the table is still printed" grep -q "^brake from the forward top speed to a stop" curves.out

finish "windows lint"
