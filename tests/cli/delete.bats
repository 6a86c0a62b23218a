#!/usr/bin/env bats
# Deleting a key, a section or the whole file.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    printf '[a]\nx=1\ny=2\n[b]\nz=3\n' >app.ini
    cp app.ini orig.ini
}

@test "deleting a key (ignoring case, beside -v), a section, the file; nothing to delete: 25" {
    check_rows <<'ROWS'
25||-i=app.ini -s=a -k=nope -d
25||-i=app.ini -s=nope -k=x -d
25||-i=app.ini -s=nope -d
25||-i=./none.ini -s=a -k=x -d -f
25||-i=./none.ini -s=a -d
30||-i=./none.ini -d
ROWS
    cmp app.ini orig.ini && [ ! -e none.ini ] || false
    run_raw -i=app.ini -s=A -k=X -v=ignored -d
    [ "$(bytes app.ini)" = $'[a]\ny=2\n[b]\nz=3\n.' ]
    run_raw -i=app.ini -s=a -d
    [ "$(bytes app.ini)" = $'[b]\nz=3\n.' ]
    run_raw -i=app.ini -s=b -k=z -d # no key left: the section stays
    [ "$(bytes app.ini)" = $'[b]\n.' ]
    run_raw -i=app.ini -k=x -d # a key without a section deletes the file
    [ "$status" -eq 0 ] && [ ! -e app.ini ] || false
}
