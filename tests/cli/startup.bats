#!/usr/bin/env bats
# Start-up of a run: help, version, unknown options and the missing path.

load helpers

@test "help and version go to stderr with exit 0; unknown options or no path give 1 and help" {
    local help="$BATS_TEST_DIRNAME/help.txt" args
    for args in 0: 0:-h "0:-h -V" "0:some.ini other" 1:-x "1:-h -x" "1:-i=a.ini -Z" "1:-V -q" \
        "1:-E -P -C" 1:-s=sec "1:-i= -s=sec" 1:-i; do
        run_raw ${args#*:} # the help ends stderr, after any error texts
        [ "$status" -eq "${args%%:*}" ] && [ ! -s out ] && tail -c "$(stat -c %s "$help")" err | cmp - "$help" || false
        [ "$status" -eq 1 ] || cmp err "$help"
    done
    run_raw -V
    [ "$status" -eq 0 ] && [ ! -s out ] && [ "$(bytes err)" = $'vornel 1.1\nBramwold 2012\n.' ] || false
}
