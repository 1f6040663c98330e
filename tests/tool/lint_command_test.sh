#!/usr/bin/env bash
# kelvane-sim lint as a player runs it: the default path, what it says about each kind of
# line, its three exit codes (one as an unprivileged user, for whom a file can be
# unreadable) and its JSON.
# Usage: lint_command_test.sh KELVANE_SIM
set -uo pipefail
source "$(dirname "$0")/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
# A copy the unprivileged user can reach whatever the modes of the build tree.
install -m 755 "$1" "$work/kelvane-sim"
tool="$work/kelvane-sim"
says() { grep -qF -- "$1" "$work/out"; }

# The file the plug-in writes is clean, and lint finds it in the current folder.
mkdir "$work/fresh"
(cd "$work/fresh" && "$tool" config >/dev/null)
(cd "$work/fresh" && "$tool" lint) >"$work/out" 2>&1
check "the default file is clean: exit 0" test $? -eq 0
check "lint reads Kelvane.ini in the current folder" says "Kelvane.ini:27: sets Train.SpeedForward to 40.0"
check "comments, sections and blank lines get no remark" test "$(grep -c '^Kelvane.ini:[0-9]*:' "$work/out")" -eq 25
check "the summary counts the lines" says "Kelvane.ini: 25 setting lines, 25 set a key, 0 skipped; 0 of 25 keys missing"
check "the 25 effective settings follow" says "Tram.Explosion = 0.9"

# A player's file with a fault of every kind.
# Line 40, Tram.Braking, left out; the lines below become lines 50 to 59.
sed '/^Tram.Braking /d' "$work/fresh/Kelvane.ini" >"$work/faulty.ini"
cat >>"$work/faulty.ini" <<'INI'
ab
Train.Seat 0
Train.Braking =
Train.Acceleration = quick
Trains.EnterDelay = 1e39
train.speedforward = 30
Display.Position = 1
Train.SpeedForward = 45
Train.Derailment = 1.5
Train.Seat = 1.9
INI
"$tool" lint "$work/faulty.ini" >"$work/out" 2>&1
check "a faulty file: exit 1" test $? -eq 1
check "too short" says ":50: skipped, too short: \"ab\""
check "no =" says ":51: skipped, no \"=\": \"Train.Seat 0\""
check "nothing after =" says ":52: skipped, nothing after \"=\" for Train.Braking"
check "not a number" says ":53: skipped, not a number: \"quick\" for Train.Acceleration"
check "out of range" says ":54: skipped, out of range: \"1e39\" for Trains.EnterDelay"
check "a key whose case differs" says ":55: skipped, not a key: \"train.speedforward\" (keys are case-sensitive: Train.SpeedForward)"
check "Display. for Displays." says ":56: skipped, not a key: \"Display.Position\" (probably meant Displays.Position)"
check "the overridden line names the winner" says ":27: sets Train.SpeedForward to 40.0; line 57 sets it again and wins"
check "the winner names the lines it beats" says ":57: sets Train.SpeedForward to 45.0; wins over line 27"
check "a clamped value" says ":58: sets Train.Derailment to 1.0; 1.5 is clamped to the range 0 to 1"
check "a truncated value" says ":59: sets Train.Seat to 1; 1.9 is truncated toward zero to 1"
check "a missing key" says "Tram.Braking is missing: it keeps its previous value, 0.0 after a fresh start (the default is 5.5)"
check "the effective settings take the winners" says "Train.SpeedForward = 45.0"

# --json: the same report for programs.
"$tool" lint "$work/faulty.ini" --json >"$work/out.json" 2>"$work/err"
check "--json keeps the exit status" test $? -eq 1
check "--json parses" python3 -c 'import json, sys; json.load(open(sys.argv[1]))' "$work/out.json"
check "--json has every setting line" python3 -c '
import json, sys
report = json.load(open(sys.argv[1]))
assert len(report["lines"]) == 34 and len(report["settings"]) == 25 and not report["clean"]
assert [m["key"] for m in report["missing"]] == ["Tram.Braking"]' "$work/out.json"

# Files that cannot be read: exit 2.
"$tool" lint "$work/no-such.ini" >"$work/out" 2>&1
check "a missing file: exit 2" test $? -eq 2
check "a missing file is named" says "cannot read $work/no-such.ini"
(cd "$work" && "$tool" lint) >"$work/out" 2>&1
check "no Kelvane.ini in the current folder: exit 2" test $? -eq 2
mkdir "$work/folder.ini"
"$tool" lint "$work/folder.ini" >"$work/out" 2>&1
check "a folder: exit 2" test $? -eq 2
"$tool" lint "$work/no-such.ini" --json >"$work/out.json" 2>/dev/null
check "--json says so too" python3 -c 'import json, sys; assert "error" in json.load(open(sys.argv[1]))' "$work/out.json"

# Root reads every file, so the unreadable file is tried as the user nobody.
cp "$work/fresh/Kelvane.ini" "$work/locked.ini"
chmod 200 "$work/locked.ini"
if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=65534 --regid=65534 --clear-groups "$tool" lint "$work/locked.ini" >"$work/out" 2>&1
else
    "$tool" lint "$work/locked.ini" >"$work/out" 2>&1
fi
check "an unreadable file: exit 2" test $? -eq 2

finish "lint"
