#!/usr/bin/env bats
# The path of -i: which paths are refused before anything is opened, and that a path
# reaches the shell as itself and nothing more.

load helpers

# A directory that an unprivileged user can enter, for the permission rules.
setup() {
    cd "$BATS_TEST_TMPDIR"
    shared=$(mktemp -d /tmp/vornel-perm.XXXXXX)
    chmod 755 "$shared"
}

teardown() {
    rm -rf "$shared"
}

as_nobody() {
    set +e
    setpriv --reuid=nobody --regid=nogroup --clear-groups "$VORNEL" "$@" >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err"
    status=$?
    set -e
}

@test "a file that is not writable is refused even for reading" {
    printf '[s]\nk=v\n' >"$shared/ro.ini"
    chmod 644 "$shared/ro.ini"
    as_nobody -i="$shared/ro.ini" -s=s -k=k
    [ "$status" -eq 1 ]
    [ ! -s out ]
    grep -q '^Usage: vornel' err
    chmod 666 "$shared/ro.ini"
    as_nobody -i="$shared/ro.ini" -s=s -k=k
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'v\n.' ]
}

@test "a new file in a directory that is not writable is refused" {
    as_nobody -i="$shared/new.ini" -s=s -k=k -v=v -f
    [ "$status" -eq 1 ]
    [ ! -e "$shared/new.ini" ]
    chmod 777 "$shared"
    as_nobody -i="$shared/new.ini" -s=s -k=k -v=v -f
    [ "$status" -eq 0 ]
    [ "$(bytes "$shared/new.ini")" = $'\n[s]\nk=v\n.' ]
}

@test "a new file needs an existing directory and a slash in its path" {
    run_raw -i="$BATS_TEST_TMPDIR/no/dir.ini" -s=s -k=k -v=v -f
    [ "$status" -eq 1 ]
    [ ! -e no ]
    run_raw -i=bare.ini -s=s -k=k -v=v -f
    [ "$status" -eq 1 ]
    [ ! -e bare.ini ]
    printf '[s]\nk=v\n' >bare.ini
    run_raw -i=bare.ini -s=s -k=k
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'v\n.' ]
}

@test "paths with quotes and shell syntax are tested and removed as themselves" {
    touch victim
    for name in "x'; touch pwned; '" 'a b$(touch pwned2)*;"q' "it's.ini" "x'\\''y"; do
        printf '[s]\nk=v\n' >"$name"
        run_raw -i="$BATS_TEST_TMPDIR/$name" -s=s -k=k
        [ "$status" -eq 0 ]
        [ "$(bytes out)" = $'v\n.' ]
        run_raw -i="$BATS_TEST_TMPDIR/$name" -s=s -k=n -v=1 -f
        [ "$status" -eq 0 ]
        run_raw -i="$BATS_TEST_TMPDIR/$name" -d
        [ "$status" -eq 0 ]
        [ ! -e "$name" ]
    done
    run_raw -i="$BATS_TEST_TMPDIR/it's new.ini" -s=s -k=k -v=v -f
    [ "$status" -eq 0 ]
    [ -e "it's new.ini" ]
    [ ! -e pwned ]
    [ ! -e pwned2 ]
    [ -e victim ]
    [ "$(ls | grep -cv -e '^out$' -e '^err$')" -eq 2 ]
}

@test "a writable file in a directory that is not writable is rewritten in place" {
    printf '[s]\nk=v\n' >"$shared/open.ini"
    chmod 666 "$shared/open.ini"
    inode=$(stat -c %i "$shared/open.ini")
    as_nobody -i="$shared/open.ini" -s=s -k=k -v=w
    [ "$status" -eq 0 ]
    [ "$(bytes "$shared/open.ini")" = $'\n[s]\nk=w\n.' ]
    [ "$(stat -c %i "$shared/open.ini")" = "$inode" ]
    [ "$(ls -A "$shared")" = open.ini ]
}
