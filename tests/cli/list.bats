#!/usr/bin/env bats
# The section, key and content listings, and that listing never writes.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    printf 'top=0\n; top\n[S1]\na=1\n; about b\nb=2\n[S2]\nc=3\n[Empty]\n' >app.ini
    cp app.ini orig.ini
}

@test "sections, with and without comments" {
    run_raw -i=app.ini
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'[S1]\n[S2]\n[Empty]\n.' ]
    run_raw -i=app.ini -C
    [ "$(bytes out)" = $'; top\n[S1]\n[S2]\n[Empty]\n.' ]
    cmp app.ini orig.ini
}

@test "the full listing with and without comments" {
    run_raw -i=app.ini -P
    [ "$(bytes out)" = $'top=0\n[S1]\na=1\nb=2\n[S2]\nc=3\n[Empty]\n.' ]
    run_raw -i=app.ini -P -C
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'top=0\n; top\n[S1]\na=1\n; about b#b=2\n[S2]\nc=3\n[Empty]\n.' ]
    cmp app.ini orig.ini
}

@test "the keys of one section; another letter case prints nothing with exit 0" {
    run_raw -i=app.ini -s=S1 -C
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'a=1\n; about b#b=2\n.' ]
    run_raw -i=app.ini -s=s1
    [ "$status" -eq 0 ]
    [ ! -s out ]
    run_raw -i=app.ini -s=Empty
    [ "$status" -eq 0 ]
    [ ! -s out ]
    run_raw -i=app.ini -s=none
    [ "$status" -eq 20 ]
    cmp app.ini orig.ini
}

@test "listing a missing file exits 30 for sections and 20 for keys" {
    run_raw -i="$BATS_TEST_TMPDIR/none.ini"
    [ "$status" -eq 30 ]
    run_raw -i="$BATS_TEST_TMPDIR/none.ini" -P
    [ "$status" -eq 30 ]
    run_raw -i="$BATS_TEST_TMPDIR/none.ini" -s=S1
    [ "$status" -eq 20 ]
    [ ! -e none.ini ]
}

@test "an empty file lists nothing with exit 0 and stays empty" {
    : >empty.ini
    run_raw -i=empty.ini -P -C
    [ "$status" -eq 0 ]
    [ ! -s out ]
    [ ! -s empty.ini ]
}
