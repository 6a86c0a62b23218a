#!/usr/bin/env bats
# Runs that change one file at the same time are applied one after the other.

load helpers

# Starts one run per key at once and checks that every run succeeded.
set_all_at_once() {
    local file=$1 pids=() i
    for i in $(seq 1 32); do
        "$VORNEL" -i="$file" -s=s -k="key$i" -v="$i" -f &
        pids+=($!)
    done
    for i in "${pids[@]}"; do
        wait "$i"
    done
}

@test "32 concurrent sets of different keys of one file all land" {
    printf '[s]\nbase=1\n' >c.ini
    set_all_at_once "$BATS_TEST_TMPDIR/c.ini"
    grep -qx 'base=1' c.ini
    for i in $(seq 1 32); do
        grep -qx "key$i=$i" c.ini
    done
    [ "$(grep -c '^key' c.ini)" -eq 32 ]
}

@test "32 concurrent sets creating a missing file all land" {
    set_all_at_once "$BATS_TEST_TMPDIR/fresh.ini"
    [ "$(grep -c '^key' fresh.ini)" -eq 32 ]
    [ "$(grep -c '^\[s\]$' fresh.ini)" -eq 1 ]
    [ -z "$(ls -A | grep -v -e '^fresh.ini$')" ] # no temporary files left
}

@test "a run that waits 10 s for a held lock gives up with 25 and changes nothing" {
    printf '[s]\nk=1\n' >l.ini
    cp l.ini orig.ini
    flock "$BATS_TEST_TMPDIR" sleep 30 >/dev/null 2>&1 3>&- &
    holder=$!
    sleep 0.3
    run_raw -i="$BATS_TEST_TMPDIR/l.ini" -s=s -k=k -v=2
    pkill -P "$holder"
    [ "$status" -eq 25 ]
    cmp l.ini orig.ini
    run_raw -i="$BATS_TEST_TMPDIR/l.ini" -s=s -k=k # readers take no lock
    [ "$(bytes out)" = $'1\n.' ]
}
