#!/usr/bin/env bash
# kelvane-sim soak: a seed replays the run, the trace can go to standard output alone,
# progress suits where the output goes, and a crash names its frame and the replay.
# Usage: soak_command_test.sh KELVANE_SIM
set -uo pipefail
source "$(dirname "$0")/checks.sh"
tool=$(realpath "$1")
enter_work_folder
# The summary without what depends on the machine: its speed and its memory.
summary() { grep -v -e 'frames per second' -e 'frames/s' -e 'resident memory' "$1"; }

"$tool" soak --frames 20000 --seed 7 >first.out 2>first.err
check "a soak whose checks hold exits 0" test $? -eq 0
"$tool" soak --frames 20000 --seed 7 >second.out 2>/dev/null
check "the same seed plays the same run" diff <(summary first.out) <(summary second.out)
"$tool" soak --frames 20000 --seed 8 >other.out 2>/dev/null
check "another seed plays another run" bash -c '! diff -q <(grep faults "$0") <(grep faults "$1") >/dev/null' first.out other.out
check "the summary names frames, faults, boardings, derailments and explosions" \
    grep -q -e '^  boardings [0-9]*, derailments [0-9]*, explosions [0-9]*$' first.out
check "no Kelvane.ini is left in the caller's folder" test ! -e Kelvane.ini

check "away from a terminal, progress is a plain line every tenth on standard error" \
    test "$(grep -c '^kelvane-sim: soak: [0-9]* % ([0-9]* of 20000 frames)' first.err)" -eq 10

"$tool" soak --frames 300 --seed 2 --trace - >trace.jsonl 2>summary.err
check "with the trace on standard output the soak still passes" test $? -eq 0
check "standard output then holds only the trace, a line per frame" \
    test "$(grep -c '^{"frame":' trace.jsonl)" -eq 300 -a "$(wc -l <trace.jsonl)" -eq 300
check "and the summary goes to standard error" grep -q 'every check held' summary.err

script -qec "$tool soak --frames 3000 --seed 2" /dev/null >terminal.out 2>&1
check "on a terminal, progress is a bar redrawn in place" grep -qF $'\r\e[Ksoak [#' terminal.out

"$tool" soak --frames 100000000 --seed 5 >/dev/null 2>crash.err &
soak=$!
sleep 1
kill -SEGV "$soak"
wait "$soak"
check "a crash ends the soak with a failure" test $? -ne 0
check "and names its frame and the command that replays it" \
    grep -Eq '^kelvane-sim soak: FAILED: died in frame [0-9]+; replay: kelvane-sim soak --seed 5 --frames [0-9]+$' crash.err

finish "soak command"
