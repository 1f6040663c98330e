#!/usr/bin/env bash
# The players' zip holds Kelvane.asi, the default Kelvane.ini as the Windows build
# writes it and README.txt, and never a ScriptHookV.dll. The README names every one of
# the 25 INI keys, each with the default that the packaged Kelvane.ini gives it.
# Usage: package_test.sh PACKAGE_ZIP SETTINGS_HEADER
set -euo pipefail
source "$(dirname "$0")/windows_test_support.sh"
command -v unzip >/dev/null || missing "unzip is not installed: run scripts/setup package"
need_file "$1" package
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }

unzip -Z1 "$1" | grep -v '/$' >"$work/entries"
if grep -i 'scripthookv' "$work/entries"; then
    fail "the package contains the script hook: it comes only from its own author"
fi
# Each expected file exactly once, in one folder, and nothing else.
sed 's|.*/||' "$work/entries" | sort >"$work/names"
if ! printf '%s\n' Kelvane.asi Kelvane.ini README.txt | diff -u - "$work/names"; then
    fail "the package holds other files than Kelvane.asi, Kelvane.ini and README.txt"
fi

unzip -q -j "$1" -d "$work/files"
ini=$work/files/Kelvane.ini
readme=$work/files/README.txt
if [ -f "$ini" ] && [ "$(grep -c $'\r$' "$ini")" -ne "$(wc -l <"$ini")" ]; then
    fail "the packaged Kelvane.ini is not the Windows build's file (CR LF line ends)"
fi

# The keys as the plug-in spells them, and their defaults as the packaged file has them.
sed -n 's/^inline constexpr std::string_view [A-Za-z]* = "\([^"]*\)";$/\1/p' "$2" >"$work/keys"
[ "$(wc -l <"$work/keys")" -eq 25 ] || fail "cannot read the 25 keys from $2"
while read -r key; do
    pattern=${key//./\\.}
    default=$(sed -n "s/^$pattern = \([^ \t;]*\).*$/\1/p" "$ini" | tr -d '\r')
    if [ -z "$default" ]; then
        fail "the packaged Kelvane.ini has no line for $key"
    elif ! grep -q "^$pattern = ${default//./\\.}"$'\r'"\$" "$readme"; then
        fail "README.txt does not give $key with its default: \"$key = $default\""
    fi
done <"$work/keys"

[ "$failures" -eq 0 ] && echo "ok   $(tr '\n' ' ' <"$work/names")with all 25 keys documented"
[ "$failures" -eq 0 ]
