#!/usr/bin/env bash
# kelvane-sim config in fresh folders: prints exactly the 25 effective settings.
# Usage: config_command_test.sh KELVANE_SIM EXPECTED_DIR
set -euo pipefail
tool=$(realpath "$1")
expected=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0

check() {  # name, folder
    local name=$1 folder=$2
    if ! (cd "$folder" && "$tool" config) >"$work/$name.out" 2>"$work/$name.err"; then
        echo "FAIL $name: kelvane-sim config exited non-zero"; cat "$work/$name.err"; failures=$((failures + 1)); return
    fi
    if ! diff -u "$expected/$name.txt" "$work/$name.out"; then
        echo "FAIL $name: output differs"; failures=$((failures + 1)); return
    fi
    echo "ok   $name"; passes=$((passes + 1))
}

# No file: the defaults are written, read back and printed.
mkdir "$work/fresh"
check defaults "$work/fresh"
[ "$(wc -l <"$work/fresh/Kelvane.ini")" -eq 50 ] || { echo "FAIL fresh: Kelvane.ini is not the 50-line default"; failures=$((failures + 1)); }

# The file written by a first start gives the same output on the second start.
check defaults "$work/fresh"

# An existing file: no default applies, missing keys stay zero, the reader's rules hold.
mkdir "$work/edited"
cat >"$work/edited/Kelvane.ini" <<'INI'
; a player's own file
[Common]
Displays.Position = 2
Display.Speed = 1.0
Display.Doors = 2
KeyAction.ChangeSeat = yes
Trains.EntranceType = -1
Trains.EnterDelay = 1e6
[FreightTrain]
Train.SpeedForward = 5e1 ; fast
Train.SpeedForward = fast
Train.Acceleration = 40abc
Train.Braking = 1e39
Train.Derailment = 1.5
Train.Explosion = -3
Train.Seat = 1.9
Tram.SpeedForward = 22 = 60
[Tram]
Tram.SpeedBackward = 0x10
Tram.Acceleration = 1e-50
Tram.Braking = inf
Tram.Explosion=0.25
INI
check edited "$work/edited"

# An empty file is a file: nothing is written to it and everything stays zero.
mkdir "$work/empty"
: >"$work/empty/Kelvane.ini"
check empty "$work/empty"
[ ! -s "$work/empty/Kelvane.ini" ] || { echo "FAIL empty: the file was written to"; failures=$((failures + 1)); }

# CR LF line ends read as well as LF.
mkdir "$work/crlf"
printf 'Display.Speed = 1\r\nTrain.SpeedForward = 50\r\nTrain.Seat = 1\r\n' >"$work/crlf/Kelvane.ini"
check crlf "$work/crlf"

echo "config: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
