#!/usr/bin/env bats
# Reading values and listings: stdout exactly, the exit code, and a file that never changes.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    printf '%s\n' 'top=0' '; top' '[S1]' 'a=1' '; about b' '# more' 'b=2' 'empty=' 'x[=3' 'x{=4' 'x@=5' \
        '[S2]' 'c=3' 'c = again ' '# dangling' '[Empty]' >app.ini
    cp app.ini orig.ini
    touch -d '2001-01-01 00:00:00' app.ini
    : >empty.ini
}

@test "values and listings of a file, of an empty one and of a missing one" {
    check_rows <<'ROWS'
0|2\n|-i=app.ini -s=s1 -k=B
0|again\n|-i=app.ini -s=S2 -k=c
0|3\n|-i=app.ini -s=S1 -k=x[
0|4\n|-i=app.ini -s=S1 -k=X{
0|5\n|-i=app.ini -s=S1 -k=x@
0|1\n|-i=app.ini -s=S1 -k=a -v=
20||-i=app.ini -s=S1 -k=zzz
20||-i=app.ini -s=none -k=a
20||-i=app.ini -s=S1 -k=empty
0|b=2\n\n|-i=app.ini -s=S1 -k=b -P
0|; about b\n# more#b=2\n\n|-i=app.ini -s=S1 -k=b -P -C
20||-i=app.ini -s=s1 -k=b -P
20||-i=app.ini -s=S1 -k=B -P
0|c=again\n\n|-i=app.ini -s=S2 -k=c -P
20||-i=app.ini -s=S1 -k=empty -P
0|[S1]\n[S2]\n[Empty]\n|-i=app.ini -k=a
0|; top\n[S1]\n[S2]\n# dangling\n[Empty]\n|-i=app.ini -C
0|top=0\n[S1]\na=1\nb=2\nx[=3\nx{=4\nx@=5\n[S2]\nc=again\n[Empty]\n|-i=app.ini -P
0|top=0\n; top\n[S1]\na=1\n; about b\n# more#b=2\nx[=3\nx{=4\nx@=5\n[S2]\nc=again\n# dangling\n[Empty]\n|-i=app.ini -P -C
0|a=1\n; about b\n# more#b=2\nx[=3\nx{=4\nx@=5\n|-i=app.ini -s=S1 -C
0||-i=app.ini -s=s1
0||-i=app.ini -s=Empty
20||-i=app.ini -s=none
30||-i=./none.ini -s=S1 -k=a
30||-i=./none.ini
20||-i=./none.ini -s=S1
0||-i=empty.ini -P -C
ROWS
    [ ! -e none.ini ] && [ ! -s empty.ini ] && cmp app.ini orig.ini || false
    [ "$(stat -c %Y app.ini)" = "$(date -d '2001-01-01 00:00:00' +%s)" ]
}

# Each row "section|key|value" of owners/FILE.values is what the program that owns owners/FILE
# reads (PHP, MariaDB, Python's configparser: owners/expect.py made them), for its plain keys.
@test "a get answers what the file's owner reads: php.ini, my.cnf, setup.cfg, smb.conf, WireGuard" {
    local values section key value
    for values in "$BATS_TEST_DIRNAME"/owners/*.values; do
        while IFS='|' read -r section key value; do
            run_raw -i="${values%.values}" -s="$section" -k="$key"
            [ "$status" -eq 0 ] && [ "$(bytes out)" = "$value"$'\n.' ] ||
                { echo "${values##*/} [$section] $key: exit $status, got '$(cat out)', owner reads '$value'"; return 1; }
        done <"$values"
    done
}
