#!/usr/bin/env bash
# A shipped scenario played by the binary players get: kelvane-sim.exe loads Kelvane.asi
# under wine, every expectation must hold, and the trace must equal the Linux build's in
# every field except where an explosion goes off along a vehicle (that comes from the
# random source, seeded by the tick count).
# Usage: scenario_under_wine_test.sh WINDOWS_BUILD_DIR LINUX_KELVANE_SIM SCENARIO
set -euo pipefail
source "$(dirname "$0")/windows_test_support.sh"
build=$(realpath "$1")
linux_tool=$(realpath "$2")
scenario=$(realpath "$3")
need_wine
need_file "$build/kelvane-sim.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$linux_tool" run "$scenario" --trace linux.jsonl >linux.out
if ! run_windows "$build" "$build/kelvane-sim.exe" run "$scenario" --trace windows.jsonl >windows.out; then
    cat windows.out
    echo "FAIL: the scenario's expectations do not hold under wine"
    exit 1
fi
cat windows.out

# Explosion positions are the only fields of the random source.
without_random() { sed -E 's/\{"pos":\[[^]]*\],"type"/{"pos":null,"type"/g' "$1"; }
if ! cmp -s <(without_random linux.jsonl) <(without_random windows.jsonl); then
    diff <(without_random linux.jsonl) <(without_random windows.jsonl) | head -20
    echo "FAIL: the traces of the Linux build and of Kelvane.asi under wine differ"
    exit 1
fi
echo "the traces agree in all $(wc -l <linux.jsonl) frames"
