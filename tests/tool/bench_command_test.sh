#!/usr/bin/env bash
# kelvane-sim bench, as short as it goes: every figure on the terminal, the same ones in
# the JSON file. Speeds are reported, never judged here.
# Usage: bench_command_test.sh KELVANE_SIM
set -uo pipefail
source "$(dirname "$0")/checks.sh"
tool=$(realpath "$1")
enter_work_folder

"$tool" bench --min-time 0.001 --repetitions 1 --json bench.json >bench.out 2>bench.err
check "a bench run exits 0" test $? -eq 0
phases=("on foot" "boarding" "in the cab" "derailed" "autopilot, evaluation frame" "autopilot, plain frame"
        "20 wrecks, plain frame" "20 wrecks, sampling pass")
for phase in "${phases[@]}"; do
    check "the terminal shows the phase '$phase'" grep -Eq "^$phase +[0-9.]+ +[0-9]+ +[0-9.]+$" bench.out
    check "the JSON holds the phase '$phase'" grep -q "\"phase\": \"$phase\"" bench.json
done
check "the terminal judges the target" grep -Eq '^target: at most 2 us of plug-in time per frame in every phase: (met|exceeded in .+)$' bench.out
check "the terminal shows the reload and the ride" \
    grep -Eq '^whole stand-in on the default ride: [0-9]+ frames in [0-9.]+ ms, [0-9]+ frames per second$' bench.out
frames=$(sed -n 's/^whole stand-in on the default ride: \([0-9]*\) frames.*/\1/p' bench.out)
check "the JSON has the same ride" grep -q "\"frames\": $frames.0" bench.json
for key in native_call_us script_switch_us timing_us config_reload_us frames_per_second target_met; do
    check "the JSON has $key" grep -q "\"$key\": " bench.json
done
check "no Kelvane.ini is left in the caller's folder" test ! -e Kelvane.ini

finish "bench command"
