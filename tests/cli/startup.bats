#!/usr/bin/env bats
# Start-up of a run: help, version, unknown options and the missing path.

load helpers

@test "help and version go to stderr exactly, with exit 0" {
    for args in "" "-h" "-h -V" "some.ini other"; do
        # shellcheck disable=SC2086
        run_raw $args
        [ "$status" -eq 0 ] && [ ! -s out ]
        cmp err "$BATS_TEST_DIRNAME/help.txt"
    done
    run_raw -V
    [ "$status" -eq 0 ] && [ ! -s out ]
    [ "$(bytes err)" = $'vornel 1.1\nBramwold 2012\n.' ]
}

@test "unknown options and a missing path exit 1 with the help" {
    for args in "-x" "-h -x" "-i=a.ini -Z" "-V -q" "-E -P -C" "-s=sec" "-i= -s=sec" "-i"; do
        # shellcheck disable=SC2086
        run_raw $args
        [ "$status" -eq 1 ] && [ ! -s out ]
        tail -c "$(stat -c %s "$BATS_TEST_DIRNAME/help.txt")" err | cmp - "$BATS_TEST_DIRNAME/help.txt"
    done
}
