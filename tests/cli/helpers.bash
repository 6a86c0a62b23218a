# Shared helpers of the command-line tests: every test runs in its own temp directory.

VORNEL="${VORNEL:-$BATS_TEST_DIRNAME/../../build/vornel}"
VORNEL="$(cd "$(dirname "$VORNEL")" && pwd)/$(basename "$VORNEL")"

setup() {
    cd "$BATS_TEST_TMPDIR"
}

# Runs vornel with stdout in $out, stderr in the file err, and the exit code in $status.
run_split() {
    set +e
    out="$("$VORNEL" "$@" 2>"$BATS_TEST_TMPDIR/err")"
    status=$?
    set -e
}

# Runs vornel keeping stdout byte for byte (trailing newlines included) in the file out.
run_raw() {
    set +e
    "$VORNEL" "$@" >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err"
    status=$?
    set -e
}

# The file's bytes, with a dot after them so that trailing newlines count.
bytes() {
    cat "$1"
    printf .
}

# Writes the arguments, one line each, to the file named first.
lines() {
    local file=$1
    shift
    printf '%s\n' "$@" >"$file"
}
