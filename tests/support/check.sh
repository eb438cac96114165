# The shell tests' one check: sourced by tests/app and tests/e2e.
# shellcheck shell=bash

passed=0
failed=0

# check DESCRIPTION COMMAND...: runs COMMAND and counts its outcome. A failure
# is told, followed by what the test's on_failure function shows, if it has
# one; with CHECK_VERBOSE set, a pass is told too.
check() {
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        [ -n "${CHECK_VERBOSE:-}" ] && echo "PASS: $what"
    else
        failed=$((failed + 1))
        echo "FAIL: $what"
        if declare -F on_failure >/dev/null; then on_failure; fi
    fi
    return 0
}

# The closing line, and the status: non-zero when anything failed.
report() {
    echo "$passed passed, $failed failed"
    [ "$failed" = 0 ]
}
