#!/usr/bin/env bash
# The stand-in ScriptHookV.dll exports what the real hook exports to plug-ins (the six
# decorated names of its definition file) plus every host API function declared with
# KSIM_API in kelvane_sim_host.h, and nothing else.
# Usage: stand_in_exports_test.sh SCRIPT_HOOK_DLL STAND_IN_DEF HOST_API_HEADER
set -euo pipefail
source "$(dirname "$0")/windows_test_support.sh"
need_objdump
need_file "$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

{
    # The left-hand side of the definition file's "decorated = internal" lines.
    sed -n 's/^\(?\S\+\) = \S\+$/\1/p' "$2"
    # Declarations such as "KSIM_API int KsimRegisteredScriptCount(void);".
    sed -n 's/^KSIM_API .*\b\(Ksim[A-Za-z0-9_]*\)(.*/\1/p' "$3"
} | sort >"$work/expected"
[ "$(grep -c '^?' "$work/expected")" -eq 6 ] || { echo "FAIL cannot read the six decorated names from $2"; exit 1; }

"$OBJDUMP" -p "$1" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[\s*[0-9]*\] //p' | sort >"$work/exported"
if diff -u "$work/expected" "$work/exported"; then
    echo "ok   exports: $(tr '\n' ' ' <"$work/exported")"
else
    echo "FAIL the stand-in's exports differ from the hook's six functions and the host API"
    exit 1
fi
