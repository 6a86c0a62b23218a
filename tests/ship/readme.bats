#!/usr/bin/env bats
# Every shell block of the README but the test command (CI runs that) works in a fresh tree.

load helpers

@test "the README's commands run as written" {
    tar -C "$SOURCE" --exclude='./build*' --exclude='./.git' -cf - . | (mkdir tree && tar -C tree -xf -)
    cd tree
    export HOME="$BATS_TEST_TMPDIR" count=0
    while IFS= read -r -d '' block; do
        count=$((count + 1))
        case $block in *ctest*) continue ;; esac
        PATH="$PWD/build:$PATH" bash -e -c "$block" >"$BATS_TEST_TMPDIR/out$count" 2>&1 ||
            { cat "$BATS_TEST_TMPDIR/out$count"; false; }
    done < <(awk '/^```sh$/ { i = 1; next } /^```$/ { if (i) printf "%c", 0; i = 0; next } i' "$SOURCE/README.md")
    [ "$count" -eq 4 ] && grep -q '^\[server\]$' "$BATS_TEST_TMPDIR/out1" || false # the example listed
    grep -qx 'port is 8080' "$BATS_TEST_TMPDIR/out3" && grep -q '#size=64M$' "$BATS_TEST_TMPDIR/out3" || false
    [ -z "$(grep '^user=' app.ini)" ] && [ -x "$HOME/.local/bin/vornel" ] && ls build/vornel_*.deb || false
}
