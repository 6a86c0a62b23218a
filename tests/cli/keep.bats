#!/usr/bin/env bats
# A set or a delete changes only what it was asked to: every other line stays as it stood.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    printf '%s\n' '; file head' 'skip-external-locking' '[www]' '; the user' 'user = apache' \
        '=orphan' '; where modules live' 'extension_dir=' '; Possible Values:' ';   On' \
        'group=apache' 'bare' '[other]' 'x=1' '; about www again' '[www]' 'z=3' '' \
        '; trailing one' 'tail-bare' '; trailing two' >app.ini
}

@test "a set changes one line; set back, the file is as it was" {
    cp app.ini orig.ini
    run_raw -i=app.ini -s=www -k=group -v=nginx
    [ "$status" -eq 0 ] && [ "$(diff orig.ini app.ini)" = $'11c11\n< group=apache\n---\n> group=nginx' ] || false
    run_raw -i=app.ini -s=www -k=group -v=apache
    cmp orig.ini app.ini
}

# Each case of rewrites/cases: a name, the runs' arguments (each run's behind a ";", quoted as in
# the shell) and, if given, "CODE:OUTPUT" of the last run (else "0:"); the file before is
# rewrites/NAME.before, the file after rewrites/NAME.after.
@test "a rewrite keeps every byte but the change's: real formats, line ends, the changed line's form" {
    local name runs last args
    while IFS='|' read -r name runs last; do
        cp "$BATS_TEST_DIRNAME/rewrites/$name.before" f.ini
        while read -r -d ';' args; do
            eval "run_raw -i=f.ini $args"
        done <<<"$runs;"
        last=${last:-0:}
        [ "$status" -eq "${last%%:*}" ] && [ "$(cat out)" = "${last#*:}" ] &&
            cmp -s f.ini "$BATS_TEST_DIRNAME/rewrites/$name.after" ||
            { echo "$name: exit $status, printed '$(cat out)', file '$(cat -A f.ini)'"; return 1; }
    done <"$BATS_TEST_DIRNAME/rewrites/cases"
}

@test "one section of many keys: a repeated key is set and deleted in its own lines, listed once" {
    awk 'BEGIN { print "[s]"; for (i = 0; i < 50000; i++) { print "k" i "=" i; if (i % 10000 == 5) print "rep=" i } }' >orig.ini
    cp orig.ini f.ini
    run_raw -i=f.ini -s=s -k=REP -v=new
    [ "$status" -eq 0 ] && cmp -s f.ini <(sed 's/^rep=40005$/rep=new/' orig.ini) || false
    run_raw -i=f.ini -s=s # each key once, where it first stands, with its last value
    [ "$status" -eq 0 ] && cmp -s out <(grep -v '^rep=' orig.ini | sed '1d; /^k5=/a rep=new') || false
    run_raw -i=f.ini -s=s -k=rep -d
    [ "$status" -eq 0 ] && cmp -s f.ini <(grep -v '^rep=' orig.ini) || false
}
