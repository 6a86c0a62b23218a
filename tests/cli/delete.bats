#!/usr/bin/env bats
# Deleting a key, a section or the whole file.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    printf '[a]\nx=1\ny=2\n[b]\nz=3\n' >app.ini
    cp app.ini orig.ini
}

@test "a key is deleted ignoring case, also when -v is given" {
    run_raw -i=app.ini -s=A -k=X -v=ignored -d
    [ "$status" -eq 0 ]
    [ "$(bytes app.ini)" = $'\n[a]\ny=2\n\n[b]\nz=3\n.' ]
}

@test "a missing key or section is refused with exit 25 and the file untouched" {
    for args in "-s=a -k=nope" "-s=nope -k=x" "-s=nope"; do
        run_raw -i=app.ini $args -d
        [ "$status" -eq 25 ]
        cmp app.ini orig.ini
    done
}

@test "deleting a key or a section of a missing file exits 25 and creates nothing" {
    run_raw -i="$BATS_TEST_TMPDIR/none.ini" -s=a -k=x -d -f
    [ "$status" -eq 25 ]
    run_raw -i="$BATS_TEST_TMPDIR/none.ini" -s=a -d
    [ "$status" -eq 25 ]
    [ ! -e none.ini ]
}

@test "a section is deleted with all its keys" {
    run_raw -i=app.ini -s=a -d
    [ "$status" -eq 0 ]
    [ "$(bytes app.ini)" = $'\n[b]\nz=3\n.' ]
}

@test "the whole file is deleted without -f; a key without section deletes the file too" {
    run_raw -i=app.ini -d
    [ "$status" -eq 0 ]
    [ ! -e app.ini ]
    cp orig.ini app.ini
    run_raw -i=app.ini -k=x -d
    [ "$status" -eq 0 ]
    [ ! -e app.ini ]
}

@test "deleting a missing file exits 30" {
    run_raw -i="$BATS_TEST_TMPDIR/none.ini" -d
    [ "$status" -eq 30 ]
}
