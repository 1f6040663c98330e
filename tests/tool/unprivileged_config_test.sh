#!/usr/bin/env bash
# A game folder the player cannot write to, and a Kelvane.ini the player cannot read:
# either way the plug-in runs on its defaults and leaves the folder as it was.
# Root ignores file modes, so as root the tool runs as the unprivileged user nobody.
# Usage: unprivileged_config_test.sh KELVANE_SIM EXPECTED_DEFAULTS
set -euo pipefail
work=$(mktemp -d)
trap 'chmod -R u+rwX "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
# A copy the unprivileged user can reach whatever the modes of the build tree.
install -m 755 "$1" "$work/kelvane-sim"
expected=$(realpath "$2")
failures=0
passes=0

run_as_player() {  # folder
    if [ "$(id -u)" -eq 0 ]; then
        (cd "$1" && setpriv --reuid=65534 --regid=65534 --clear-groups "$work/kelvane-sim" config)
    else
        (cd "$1" && "$work/kelvane-sim" config)
    fi
}

report() {  # name, ok?
    if [ "$2" = yes ]; then echo "ok   $1"; passes=$((passes + 1)); else echo "FAIL $1"; failures=$((failures + 1)); fi
}

# The folder cannot be written: no file appears, the defaults hold in memory.
mkdir -m 555 "$work/readonly"
if run_as_player "$work/readonly" >"$work/readonly.out" && diff -u "$expected" "$work/readonly.out" &&
   [ ! -e "$work/readonly/Kelvane.ini" ]; then
    report "unwritable folder: defaults in memory, no file" yes
else
    report "unwritable folder: defaults in memory, no file" no
fi

# The file exists but cannot be read: the defaults hold, the file is not touched.
mkdir -m 777 "$work/unreadable"
printf 'Train.SpeedForward = 12\n' >"$work/unreadable/Kelvane.ini"
# Writable but not readable: exactly where appending the defaults would do harm.
chmod 222 "$work/unreadable/Kelvane.ini"
before=$(stat -c '%s %Y' "$work/unreadable/Kelvane.ini")
if run_as_player "$work/unreadable" >"$work/unreadable.out" && diff -u "$expected" "$work/unreadable.out" &&
   [ "$(stat -c '%s %Y' "$work/unreadable/Kelvane.ini")" = "$before" ]; then
    report "unreadable file: defaults in memory, file untouched" yes
else
    report "unreadable file: defaults in memory, file untouched" no
fi

echo "unprivileged: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
