#!/usr/bin/env bats
# Reading a value: exactly the value and a newline on stdout, and the file never changes.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    printf '; top\n[S1]\na=1\n; about b\nb=2\nempty=\n[S2]\nc=3\nc = again \n# dangling\n' >app.ini
    cp app.ini orig.ini
    touch -d '2001-01-01 00:00:00' app.ini
}

unchanged() {
    cmp app.ini orig.ini
    [ "$(stat -c %Y app.ini)" = "$(date -d '2001-01-01 00:00:00' +%s)" ]
}

@test "a value is printed with one newline, found ignoring case, file untouched" {
    run_raw -i=app.ini -s=s1 -k=B
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'2\n.' ]
    run_raw -i=app.ini -s=S2 -k=c
    [ "$(bytes out)" = $' again\n.' ] # the last occurrence wins; leading blank kept
    unchanged
}

@test "a missing key, section or empty value prints nothing and exits 20" {
    for args in "-s=S1 -k=zzz" "-s=none -k=a" "-s=S1 -k=empty"; do
        run_raw -i=app.ini $args
        [ "$status" -eq 20 ]
        [ ! -s out ]
    done
    unchanged
}

@test "-P prints the key line and an empty line, matching names exactly" {
    run_raw -i=app.ini -s=S1 -k=b -P
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'b=2\n\n.' ]
    run_raw -i=app.ini -s=S1 -k=b -P -C
    [ "$(bytes out)" = $'; about b#b=2\n\n.' ]
    run_raw -i=app.ini -s=s1 -k=b -P
    [ "$status" -eq 20 ]
    [ ! -s out ]
    unchanged
}

@test "a key without a section is ignored and the sections are listed" {
    run_raw -i=app.ini -k=a
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'[S1]\n[S2]\n.' ]
    unchanged
}

@test "reading from a missing file exits 30 with or without -f and creates nothing" {
    for force in "" "-f"; do
        run_raw -i="$BATS_TEST_TMPDIR/none.ini" -s=S1 -k=a $force
        [ "$status" -eq 30 ]
        [ ! -s out ]
        [ ! -e none.ini ]
    done
}

@test "-v= with nothing after it reads instead of setting" {
    run_raw -i=app.ini -s=S1 -k=a -v=
    [ "$status" -eq 0 ]
    [ "$(bytes out)" = $'1\n.' ]
    unchanged
}
