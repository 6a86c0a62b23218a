# Shared helpers of the command-line tests: every test runs in its own temp directory.

VORNEL="${VORNEL:-$BATS_TEST_DIRNAME/../../build/vornel}"
VORNEL="$(cd "$(dirname "$VORNEL")" && pwd)/$(basename "$VORNEL")"

setup() {
    cd "$BATS_TEST_TMPDIR"
}

# Runs the command with stdout kept byte for byte in the file out, stderr in err and the exit
# code in $status; a run that blocks fails after 20 s instead of hanging the suite.
run_with() {
    set +e
    timeout 20 "$@" >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err"
    status=$?
    set -e
}
run_raw() { run_with "$VORNEL" "$@"; }

# The file's bytes, with a dot after them so that trailing newlines count.
bytes() { cat "$1" && printf .; }

# Runs one row per line of stdin, "CODE|OUTPUT|ARGUMENTS": the exit code, what stdout must hold
# exactly, and the arguments, split at blanks; output and arguments take printf's \ escapes.
check_rows() {
    local code output args
    while IFS='|' read -r code output args; do
        # shellcheck disable=SC2046
        run_raw $(printf '%b' "$args")
        [ "$status" -eq "$code" ] && [ "$(bytes "$BATS_TEST_TMPDIR/out")" = "$(printf '%b.' "$output")" ] ||
            { echo "$args: exit $status, printed '$(cat "$BATS_TEST_TMPDIR/out")'"; return 1; }
    done
}

# A directory outside the test's own for files an unprivileged user works on, and its removal.
make_shared() { shared=$(mktemp -d "${TMPDIR:-/tmp}/vornel-files.XXXXXX") && chmod 755 "$shared"; }
remove_shared() { chmod -R u+rwx "$shared" && rm -rf "$shared"; }

# Runs the command as an unprivileged user: nobody, owning the files in $shared, when run as
# root; the current user otherwise.
unprivileged() {
    local as=()
    if [ "$(id -u)" -eq 0 ]; then
        chown nobody "$shared"/* 2>/dev/null || true
        as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    run_with "${as[@]}" "$@"
}
