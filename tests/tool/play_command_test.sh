#!/usr/bin/env bash
# kelvane-sim play as a person starts and stops it: it prints its address, serves the page
# there, stops cleanly on SIGINT and SIGTERM, removes its temporary game folder but keeps
# one given with --game-dir, and says why when it cannot start.
# Usage: play_command_test.sh KELVANE_SIM SCENARIO
set -uo pipefail
source "$(dirname "$0")/checks.sh"
tool=$(realpath "$1")
scenario=$(realpath "$2")
work=$(mktemp -d)
pids=()
trap 'for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done; rm -rf "$work"' EXIT
cd "$work"

# Starts the tool in the background with its output in $1.out; sets pid and port.
start() {  # name, arguments...
    local name=$1; shift
    "$tool" play "$@" >"$name.out" 2>&1 &
    pid=$!
    pids+=("$pid")
    port=
    for _ in $(seq 100); do
        port=$(sed -n 's|.*open http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$name.out")
        [ -n "$port" ] && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Waits up to five seconds for the tool to end; sets status.
stopped() {
    for _ in $(seq 50); do
        if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; status=$?; return 0; fi
        sleep 0.1
    done
    return 1
}

check "play starts and prints its address" start default
page_status=$(curl -s -o page.html -w '%{http_code}' "http://127.0.0.1:$port/")
check "the page is served at that address" test "$page_status" = 200
check "the page is the play page" grep -q '<canvas id="screen">' page.html
check "the page uses nothing from outside" sh -c "! grep -Eq '(src|href)=\"(https?:)?//' page.html"
check "without a terminal no Ctrl-C hint is printed" sh -c "! grep -q 'Ctrl-C' default.out"
folder=$(sed -n 's/.*game folder \(.*\) (removed on stop)$/\1/p' default.out)
check "it plays in a temporary game folder" test -d "$folder"
check "the plug-in wrote its Kelvane.ini there" test -s "$folder/Kelvane.ini"
kill -INT "$pid"
check "SIGINT stops it" stopped
check "SIGINT: a clean exit" test "$status" -eq 0
check "SIGINT: it says it stopped" grep -q '^kelvane-sim play: stopped after [0-9]* frames' default.out
check "SIGINT: the temporary game folder is removed" test ! -e "$folder"
check "no Kelvane.ini lands in the caller's folder" test ! -e Kelvane.ini

check "play SCENARIO --port --game-dir starts" start kept "$scenario" --port "$port" --game-dir game
check "--port is the port it listens on" grep -q "open http://127.0.0.1:$port/" kept.out
check "--game-dir is named" grep -q "game folder $work/game$" kept.out
kill -TERM "$pid"
check "SIGTERM stops it" stopped
check "SIGTERM: a clean exit" test "$status" -eq 0
check "--game-dir is kept, with the plug-in's Kelvane.ini" test -s game/Kelvane.ini

start holder
"$tool" play --port "$port" >busy.out 2>&1
check "a port in use is an error" test $? -eq 2
check "the error says why" grep -q "cannot listen on 127.0.0.1:$port" busy.out
kill -TERM "$pid"
stopped

"$tool" play "$work/no-such.toml" >missing.out 2>&1
check "a missing scenario file is an error" test $? -ne 0
printf 'duration = [1\n' >broken.toml
"$tool" play broken.toml >broken.out 2>&1
check "a broken scenario file: exit 2" test $? -eq 2
check "a broken scenario file: the line is named" grep -q "broken.toml: line 1" broken.out

finish "play"
