#!/usr/bin/env bash
# kelvane-sim run: reports each expectation, fails on any that does not hold, writes the
# trace on request, and leaves no Kelvane.ini behind in the caller's folder.
# Usage: run_command_test.sh KELVANE_SIM FAILING_SCENARIO PASSING_SCENARIO
set -uo pipefail
source "$(dirname "$0")/checks.sh"
tool=$(realpath "$1")
failing=$(realpath "$2")
passing=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$tool" run "$failing" >failing.out 2>&1
status=$?
check "a failed expectation makes the run fail" test "$status" -eq 1
check "the failed expectation is named" grep -q "^FAILED the train flies (at 0.50 s): goods runs at 0.00 m/s" failing.out
check "the met expectation is reported" grep -q "^ok     the train is there" failing.out
check "the summary counts both" grep -q "^expectations: 1 passed, 1 failed$" failing.out

"$tool" run "$passing" --trace trace.jsonl >passing.out 2>&1
check "a scenario whose expectations hold passes" test $? -eq 0
frames=$(sed -n 's/^\([0-9]*\) frames,.*/\1/p' passing.out)
check "the trace has one line per frame" test "$(wc -l <trace.jsonl)" -eq "$frames"
check "a trace line is a JSON object of the frame" grep -q '^{"frame":0,"time_ms":0,' trace.jsonl
check "with a trace, no timeline is printed" test "$(grep -c ' s  ' passing.out)" -eq 0
check "the run used a game folder of its own" test ! -e Kelvane.ini

mkdir game
"$tool" run "$passing" --game-dir game >/dev/null 2>&1
check "--game-dir is where the plug-in writes its Kelvane.ini" test -s game/Kelvane.ini

"$tool" run "$work/no-such.toml" >missing.out 2>&1
check "a missing scenario file is an error" test $? -ne 0

printf 'duration = [1\n' >broken.toml
"$tool" run broken.toml >broken.out 2>&1
status=$?
check "a broken scenario file is an error, not a failed run" test "$status" -eq 2
check "the error names the file and line" grep -q "broken.toml: line 1" broken.out

finish "run"
