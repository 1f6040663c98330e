# Sourced by the tool's shell tests: works in a fresh folder, removed at exit, and
# counts checks. Each test ends with `finish NAME`.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
passes=0
failures=0
check() {  # description, condition...
    local description=$1; shift
    if "$@"; then echo "ok   $description"; passes=$((passes + 1)); else echo "FAIL $description"; failures=$((failures + 1)); fi
}
finish() {  # name
    echo "$1: $passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}
