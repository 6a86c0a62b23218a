#!/usr/bin/env bats
# Files that are no ordinary INI text, and paths that are no regular files: each gets a
# clear outcome, and nothing blocks or loses bytes.

load helpers

# Never let a run that blocks hang the suite.
run_limited() {
    set +e
    timeout 20 "$VORNEL" "$@" >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err"
    status=$?
    set -e
}

# Reads, sets with -f and deletes at the path, expecting the three exit codes given.
expect_outcomes() {
    local path=$1
    run_limited -i="$path" -s=s -k=k
    [ "$status" -eq "$2" ]
    run_limited -i="$path" -s=s -k=k -v=v -f
    [ "$status" -eq "$3" ]
    run_limited -i="$path" -d
    [ "$status" -eq "$4" ]
}

@test "binary file with NUL bytes: read answers from its text, changes are refused (25), bytes kept" {
    head -c 4096 /dev/urandom >bin.ini
    printf '\n[s]\nk=v\n\0\377\376 invalid utf-8 \300\n' >>bin.ini
    cp bin.ini orig.ini
    run_limited -i=bin.ini -s=s -k=k
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'v\n.' ]
    run_limited -i=bin.ini -P -C
    [ "$status" -eq 0 ]
    for args in "-s=s -k=k -v=w" "-s=s -k=new -v=1 -f" "-s=s -k=k -d" "-s=s -d"; do
        run_limited -i=bin.ini $args
        [ "$status" -eq 25 ]
        cmp bin.ini orig.ini
    done
}

@test "invalid UTF-8 without NUL bytes: bytes are values like any other, read and set (0)" {
    printf '[s\351]\nk=\377\376\300\n' >latin.ini
    run_limited -i=latin.ini -s=$'s\351' -k=k
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'\377\376\300\n.' ]
    run_limited -i=latin.ini -s=$'s\351' -k=j -v=$'\344' -f
    [ "$status" -eq 0 ]
    [ "$(bytes latin.ini)" = $'\n[s\351]\nk=\377\376\300\nj=\344\n.' ]
}

@test "50 MB file: the last key is read (0) and a set keeps every other key (0)" {
    awk 'BEGIN { for (s = 0; s < 5000; s++) { printf "[sec%d]\n", s;
                 for (k = 0; k < 200; k++) printf "key%d=value-%d-%d-padding-padding-padding-padding\n", k, s, k } }' >big.ini
    [ "$(stat -c %s big.ini)" -gt 50000000 ]
    run_limited -i=big.ini -s=sec4999 -k=key199
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'value-4999-199-padding-padding-padding-padding\n.' ]
    run_limited -i=big.ini -s=sec0 -k=key0 -v=changed
    [ "$status" -eq 0 ]
    [ "$(grep -c '^key' big.ini)" -eq 1000000 ]
    [ "$(grep -c '^\[sec' big.ini)" -eq 5000 ]
    grep -qx 'key0=changed' big.ini
}

@test "FIFO as the path: never opened for reading, nothing blocks (read 30, set 25, delete 30)" {
    mkfifo pipe
    expect_outcomes "$BATS_TEST_TMPDIR/pipe" 30 25 30
    [ -p pipe ]
}

@test "character device as the path: stays a device (read 30, set written in place 0, delete 30)" {
    mknod dev c 1 3
    expect_outcomes "$BATS_TEST_TMPDIR/dev" 30 0 30
    [ -c dev ]
    [ "$(stat -c '%t:%T' dev)" = "1:3" ]
}

@test "directory as the path: nothing read, written or removed (read 30, set 25, delete 30)" {
    mkdir d
    expect_outcomes "$BATS_TEST_TMPDIR/d" 30 25 30
    [ -d d ]
    [ -z "$(ls -A d)" ]
}

@test "last line without a line feed: read (0), and a set keeps it (0)" {
    printf '[s]\na=1\nb=2' >nolf.ini
    run_limited -i=nolf.ini -s=s -k=b
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'2\n.' ]
    run_limited -i=nolf.ini -s=s -k=c -v=3 -f
    [ "$status" -eq 0 ]
    [ "$(bytes nolf.ini)" = $'\n[s]\na=1\nb=2\nc=3\n.' ]
}

@test "CR-only line ends make one line: its keys are not found (20), a set keeps its bytes (0)" {
    printf '[s]\ra=1\rb=2\r' >mac.ini
    run_limited -i=mac.ini -s=s -k=a
    [ "$status" -eq 20 ]
    run_limited -i=mac.ini -P
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'[s\ra=1\rb=2]\n.' ]
    run_limited -i=mac.ini -s=t -k=k -v=v -f
    [ "$status" -eq 0 ]
    [ "$(bytes mac.ini)" = $'\n[s\ra=1\rb=2]\n\n[t]\nk=v\n.' ]
}
