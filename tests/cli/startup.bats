#!/usr/bin/env bats
# Start-up of a run: unknown options, help, version and the missing path.

load helpers

@test "no arguments print the help on stderr only and exit 0" {
    run_split
    [ "$status" -eq 0 ]
    [ -z "$out" ]
    [ "$(head -c 25 "$BATS_TEST_TMPDIR/err"; echo .)" = $'\nUsage: vornel [OPTIONS]\n.' ]
    grep -q $'^ \t\t   s: Any valid full path to a new or existing file$' "$BATS_TEST_TMPDIR/err"
    # the text ends with the last example and one empty line
    [ "$(tail -c 2 "$BATS_TEST_TMPDIR/err" | od -An -c | tr -d ' ')" = '\n\n' ]
    [ "$(tail -n 2 "$BATS_TEST_TMPDIR/err")" = $'\t    vornel -i=\'/usr/local/MyIniFile.ini\' -d' ]
    [ "$(wc -l < "$BATS_TEST_TMPDIR/err")" -eq 56 ]
}

@test "bare words are no options and give the help with exit 0" {
    run_split some.ini other
    [ "$status" -eq 0 ]
    [ -z "$out" ]
    grep -q '^Usage: vornel' "$BATS_TEST_TMPDIR/err"
}

@test "-h prints the same help as no arguments, also beside -V" {
    run_split
    cp "$BATS_TEST_TMPDIR/err" "$BATS_TEST_TMPDIR/plain"
    run_split -h -V
    [ "$status" -eq 0 ]
    cmp "$BATS_TEST_TMPDIR/err" "$BATS_TEST_TMPDIR/plain"
}

@test "-V prints exactly the two version lines and exits 0 without a path" {
    run_split -V
    [ "$status" -eq 0 ]
    [ -z "$out" ]
    [ "$(cat "$BATS_TEST_TMPDIR/err"; echo .)" = $'vornel 1.1\nBramwold 2012\n.' ]
}

@test "an unknown option exits 1 with the help, even beside -h" {
    for args in "-x" "-h -x" "-i=a.ini -Z" "-V -q"; do
        run_split $args
        [ "$status" -eq 1 ]
        [ -z "$out" ]
        grep -q '^Usage: vornel' "$BATS_TEST_TMPDIR/err"
    done
}

@test "-E, -P and -C are known options" {
    run_split -E -P -C
    [ "$status" -eq 1 ] # known, but the path is missing
    grep -q '^Usage: vornel' "$BATS_TEST_TMPDIR/err"
}

@test "a section without -i, or an empty -i, exits 1 with the help" {
    for args in "-s=sec" "-i= -s=sec" "-i"; do
        run_split $args
        [ "$status" -eq 1 ]
        grep -q '^Usage: vornel' "$BATS_TEST_TMPDIR/err"
    done
}
