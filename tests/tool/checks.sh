# Sourced by the command-line tests: one line per check, then a summary whose exit
# status says whether every check held.
passes=0
failures=0

check() {  # description, condition...
    local description=$1; shift
    if "$@"; then echo "ok   $description"; passes=$((passes + 1)); else echo "FAIL $description"; failures=$((failures + 1)); fi
}

finish() {  # name of the test
    echo "$1: $passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}

enter_work_folder() {  # a fresh folder, removed at exit, as the current one
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cd "$work" || exit 2
}
