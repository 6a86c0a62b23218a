#!/usr/bin/env bats
# A user's file survives what goes wrong around a run: odd names, limits, unreadable files,
# failing output, concurrent writers without a readable directory.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    shared=$(mktemp -d "${TMPDIR:-/tmp}/vornel-rel.XXXXXX")
    chmod 755 "$shared"
}

teardown() {
    chmod -R u+rwx "$shared" 2>/dev/null || true
    rm -rf "$shared"
}

# Runs vornel (after the command prefix given up to "--") as an unprivileged user: nobody, owning
# the files of $shared, when run as root; the current user otherwise.
unprivileged() {
    local prefix=()
    while [ "$1" != -- ]; do
        prefix+=("$1")
        shift
    done
    shift
    if [ "$(id -u)" -eq 0 ]; then
        chown -R nobody "$shared"
        prefix=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${prefix[@]}")
    fi
    set +e
    "${prefix[@]}" "$VORNEL" "$@" >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err"
    status=$?
    set -e
}

@test "a file with a name of 250 bytes is replaced through a temporary file" {
    name=$(printf 'n%.0s' $(seq 1 246)).ini
    printf '[s]\nk=1\n' >"$name"
    inode=$(stat -c %i "$name")
    run_raw -i="$BATS_TEST_TMPDIR/$name" -s=s -k=k -v=2
    [ "$status" -eq 0 ]
    [ "$(stat -c %i "$name")" != "$inode" ]
    [ "$(bytes "$name")" = $'\n[s]\nk=2\n.' ]
    [ "$(ls -A | grep -cv -e '^out$' -e '^err$')" -eq 1 ]
}

@test "in a directory without write permission a size limit fails the rewrite before it starts" {
    printf '[s]\nk=1\n' >"$shared/f.ini"
    chmod 666 "$shared/f.ini"
    cp "$shared/f.ini" orig.ini
    unprivileged prlimit --fsize=16 -- -i="$shared/f.ini" -s=s -k=k -v=a-value-that-grows-the-file
    [ "$status" -eq 25 ]
    cmp "$shared/f.ini" orig.ini
    [ "$(ls -A "$shared")" = f.ini ]
}

@test "an existing file that cannot be read is never replaced, only reported" {
    printf '[s]\nk=1\n' >"$shared/w.ini"
    chmod 200 "$shared/w.ini"
    cp "$shared/w.ini" orig.ini
    local args
    for args in '-s=s -k=k -v=2 -f' '-s=s -k=n -v=2' '-s=s -k=k -d' '-s=s -d' '-d'; do
        # shellcheck disable=SC2086
        unprivileged -- -i="$shared/w.ini" $args
        [ "$status" -eq 25 ]
        cmp "$shared/w.ini" orig.ini
    done
    unprivileged -- -i="$shared/w.ini" -s=s -k=k
    [ "$status" -eq 30 ]
}

@test "a file too large for the address space is not replaced by a set" {
    prlimit --as=100000000 "$VORNEL" -V 2>/dev/null || skip "this build cannot run under an address-space limit"
    truncate -s 400M big.ini
    set +e
    prlimit --as=100000000 "$VORNEL" -i="$BATS_TEST_TMPDIR/big.ini" -s=s -k=k -v=v -f
    status=$?
    set -e
    [ "$status" -eq 25 ]
    [ "$(stat -c %s big.ini)" -eq 419430400 ]
}

@test "paths that start with a hyphen are files, never options" {
    for name in -rf -x.ini --; do
        printf '[s]\nk=v\n' >"./$name"
        run_raw -i="$name" -s=s -k=k
        [ "$status" -eq 0 ]
        [ "$(bytes out)" = $'v\n.' ]
        run_raw -i="$name" -d
        [ "$status" -eq 0 ]
        [ ! -s err ]
        [ ! -e "./$name" ]
    done
}

# Runs vornel with standard output closed, or sent to the file named first.
status_with_output() {
    local target=$1
    shift
    set +e
    if [ "$target" = closed ]; then
        "$VORNEL" "$@" >&-
    else
        "$VORNEL" "$@" >"$target"
    fi
    status=$?
    set -e
}

@test "output that cannot be written fails the run" {
    printf '[s]\nk=v\n' >a.ini
    status_with_output closed -i=a.ini -s=s -k=k
    [ "$status" -eq 25 ]
    status_with_output closed -i=a.ini -P
    [ "$status" -eq 25 ]
    [ "$(id -u)" -eq 0 ] || skip "a full device needs mknod, which needs root"
    mknod full c 1 7
    status_with_output full -i=a.ini -P
    [ "$status" -eq 25 ]
}

@test "a byte order mark is no part of the first line and is written back" {
    printf '\xEF\xBB\xBF[first]\nk=1\n[second]\nj=2\n' >bom.ini
    run_raw -i=bom.ini -s=first -k=k
    [ "$(bytes out)" = $'1\n.' ]
    run_raw -i=bom.ini -s=second -k=j -v=3
    [ "$status" -eq 0 ]
    [ "$(bytes bom.ini)" = $'\xEF\xBB\xBF\n[first]\nk=1\n\n[second]\nj=3\n.' ]
}

@test "concurrent sets serialise where the directory cannot be read" {
    printf '[s]\nbase=1\n' >"$shared/c.ini"
    chmod 666 "$shared/c.ini"
    if [ "$(id -u)" -eq 0 ]; then
        chown -R nobody "$shared"
        run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    else
        run_as=()
    fi
    chmod 333 "$shared"
    local pids=() i
    for i in $(seq 1 30); do
        "${run_as[@]}" "$VORNEL" -i="$shared/c.ini" -s=s -k="key$i" -v="$i" -f &
        pids+=($!)
    done
    for i in "${pids[@]}"; do
        wait "$i"
    done
    chmod 755 "$shared"
    [ "$(grep -c '^key' "$shared/c.ini")" -eq 30 ]
}

@test "extended attributes survive a set" {
    printf '[s]\nk=1\n' >x.ini
    python3 -c 'import os; os.setxattr("x.ini", "user.origin", b"kept")' 2>/dev/null ||
        skip "no python3 or no user extended attributes here"
    run_raw -i=x.ini -s=s -k=k -v=2
    [ "$status" -eq 0 ]
    [ "$(python3 -c 'import os; print(os.getxattr("x.ini", "user.origin").decode())')" = kept ]
}

@test "-E writes the collected texts to standard error; without it nothing is written" {
    printf '[s]\nk=v\n' >a.ini
    run_raw -i=a.ini -s=s -k=missing
    [ "$status" -eq 20 ]
    [ ! -s err ]
    run_raw -i=a.ini -s=s -k=missing -E
    [ "$status" -eq 20 ]
    grep -q 'Value not found!' err
    grep -q "Key: 'k'" err
    [ ! -s out ]
}
