#!/usr/bin/env bash
# Kelvane.asi is a 64-bit DLL that needs nothing a player lacks: its import table names
# exactly ScriptHookV.dll, KERNEL32.dll and msvcrt.dll, and it takes from ScriptHookV.dll
# only the hook's functions, by their decorated names (a plain name there would mean the
# import library lost its mapping, and the game's loader would refuse the module).
# Usage: import_table_test.sh KELVANE_ASI SCRIPT_HOOK_DEF
set -euo pipefail
source "$(dirname "$0")/windows_test_support.sh"
need_objdump
need_file "$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

"$OBJDUMP" -p "$1" >"$work/headers"

if grep -q 'file format pei-x86-64' "$work/headers" && grep -qx $'\tDLL' "$work/headers"; then
    echo "ok   a 64-bit PE DLL"
else
    echo "FAIL not a 64-bit PE DLL"
    failures=$((failures + 1))
fi

# The DLLs named by the import table, in any order.
sed -n 's/^\s*DLL Name: //p' "$work/headers" | sort -u >"$work/dlls"
printf '%s\n' KERNEL32.dll ScriptHookV.dll msvcrt.dll | sort >"$work/expected-dlls"
if diff -u "$work/expected-dlls" "$work/dlls"; then
    echo "ok   imports exactly: $(tr '\n' ' ' <"$work/dlls")"
else
    echo "FAIL the import table names other DLLs than ScriptHookV.dll, KERNEL32.dll and msvcrt.dll"
    failures=$((failures + 1))
fi

# The names imported from ScriptHookV.dll: every one must be a decorated export of the
# definition file (the right-hand side of its "plain == decorated" lines).
sed -n 's/^\S\+ == \(\S\+\)$/\1/p' "$2" | sort >"$work/decorated"
awk '/DLL Name: /{hook = ($3 == "ScriptHookV.dll"); next}
     hook && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print $3}
     hook && NF == 0 {hook = 0}' "$work/headers" | sort -u >"$work/hook-imports"
if [ ! -s "$work/hook-imports" ]; then
    echo "FAIL nothing is imported from ScriptHookV.dll"
    failures=$((failures + 1))
elif unexpected=$(comm -23 "$work/hook-imports" "$work/decorated") && [ -n "$unexpected" ]; then
    echo "FAIL imported from ScriptHookV.dll under names the hook does not export:"
    echo "$unexpected"
    failures=$((failures + 1))
else
    echo "ok   from ScriptHookV.dll: $(tr '\n' ' ' <"$work/hook-imports")"
fi

[ "$failures" -eq 0 ]
