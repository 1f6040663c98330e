#!/usr/bin/env bash
# kelvane-sim curves as a player runs it: the table for a file, goals that are never
# reached, and the picture.
# Usage: curves_command_test.sh KELVANE_SIM
set -uo pipefail
source "$(dirname "$0")/checks.sh"
tool=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
says() { grep -qE -- "$1" out; }

# Without a file the plug-in runs on its defaults, and so do the curves.
"$tool" curves >out 2>err
check "without a Kelvane.ini: exit 0" test $? -eq 0
check "without a Kelvane.ini it says so" grep -q "cannot read Kelvane.ini; the plug-in would run on its defaults" err
check "without a Kelvane.ini no file is written" test ! -e Kelvane.ini
check "the columns are the two train types" says "^Kelvane.ini, at 60 frames per second +freight train +tram"
check "times and distances to 90 % of the top speed" says "^throttle from rest to 90 % of the forward top speed +[0-9.]+ s, [0-9]+ m +[0-9.]+ s, [0-9]+ m"
check "braking to a stop" says "^brake from the forward top speed to a stop +[0-9.]+ s, [0-9]+ m"
check "derailment turn rates and radii" says "^  40.0 m/s \(144 km/h\) +[0-9.]+ deg/s +[0-9.]+ m$"

# A file the trains cannot be driven with: every unreachable goal says never, at once.
cat >Kelvane.ini <<'INI'
Train.SpeedForward = 0
Train.SpeedBackward = 15
Train.Acceleration = 1
Train.Derailment = 1
Tram.SpeedForward = 25
Tram.Acceleration = 0
Tram.Braking = 5
INI
timeout 20 "$tool" curves >out 2>&1
check "unreachable goals end the run: exit 0" test $? -eq 0
check "no forward top speed: never" says "^throttle from rest to 50 % of the forward top speed +never \(no top speed\) +never"
check "without a top speed there is no stop from it; the tram still stops" says "^handbrake from the forward top speed to a stop +never \(no top speed\) +[0-9.]+ s"
check "no backward top speed: never" says "^reverse from rest to 90 % of the backward top speed +[0-9.]+ s, [0-9]+ m +never \(no top speed\)"
check "sensitivity 1 always derails" says "^Derailment, freight train \(sensitivity 1\): always"
check "sensitivity 0 never derails" says "^Derailment, tram \(sensitivity 0\): never"

# The picture.
"$tool" curves --out pictures >out 2>&1
check "--out: exit 0" test $? -eq 0
check "--out writes curves.png" test "$(head -c 8 pictures/curves.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a
check "--out says where" says "^wrote pictures/curves.png$"
: >not-a-folder
"$tool" curves --out not-a-folder >out 2>&1
check "--out into a file that is no folder: exit 2" test $? -eq 2

finish "curves"
