#!/usr/bin/env bash
# kelvane-sim run/ride --out: the three pictures, where they go and what is said; and the
# progress of a run on standard error, never on standard output.
# Usage: pictures_command_test.sh KELVANE_SIM SCENARIO
set -uo pipefail
source "$(dirname "$0")/checks.sh"
tool=$(realpath "$1")
scenario=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ]; }

"$tool" run "$scenario" --out pictures >out 2>err
check "run --out: exit 0" test $? -eq 0
for picture in hud ride map; do
    check "run --out writes $picture.png" is_png "pictures/$picture.png"
done
check "run --out says where" grep -q "^pictures of the ride in pictures: hud.png, ride.png, map.png$" out
check "the timeline is still printed" grep -q " s  enter (23) pressed" out

"$tool" ride --out "nested/demo" >out 2>err
check "ride --out makes the folder and writes the three pictures" \
    bash -c 'for p in hud ride map; do [ -s nested/demo/$p.png ] || exit 1; done'

: >not-a-folder
"$tool" run "$scenario" --out not-a-folder >out 2>err
check "--out into a file that is no folder: exit 2" test $? -eq 2
check "--out into a file says so" grep -q "cannot make the folder not-a-folder" err

# Standard error is no terminal here: a line every 10 %, and none on standard output.
"$tool" run "$scenario" >out 2>err
check "progress off a terminal: ten lines on standard error" test "$(grep -c '^kelvane-sim: picture_ride.toml: [0-9]* % ' err)" -eq 10
check "no progress on standard output" test "$(grep -c ' % (' out)" -eq 0

"$tool" run "$scenario" --trace - >out 2>err
check "--trace -: every line on standard output is a frame" test "$(grep -vc '^{"frame":' out)" -eq 0
check "--trace -: one line per frame" grep -q "^$(wc -l <out) frames," err
check "--trace -: the report goes to standard error" grep -q "^expectations: [0-9]* passed, 0 failed$" err
check "--trace - into a pipe: no progress" test "$(grep -c ' % (' err)" -eq 0

"$tool" run "$scenario" --progress none >out 2>err
check "--progress none: no progress" test "$(grep -c ' % ' err)" -eq 0

# On a terminal (script gives the run one), a bar redrawn in place.
if command -v script >/dev/null; then
    script -qec "\"$tool\" run \"$scenario\" --trace trace.jsonl" /dev/null >terminal 2>&1
    check "on a terminal: a bar" grep -q "picture_ride.toml \[#*\.*\] *[0-9]* %" terminal
    check "on a terminal: the bar is taken away at the end" grep -q $'\r\033\[K' terminal
fi

finish "pictures"
