#!/usr/bin/env bats
# A set or a delete changes only what it was asked to: every other line stays in its place.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    printf '%s\n' '; file head' 'skip-external-locking' '[www]' '; the user' 'user = apache' \
        '=orphan' '; where modules live' 'extension_dir=' '; Possible Values:' ';   On' \
        'group=apache' 'bare' '[other]' 'x=1' '; about www again' '[www]' 'z=3' '' \
        '; trailing one' 'tail-bare' '; trailing two' >app.ini
}

# Every answer a script can get from the file: each get, each listing, with its exit code.
answers() {
    local args
    for args in '-s=www -k=user' '-s=www -k=group' '-s=www -k=z' '-s=other -k=x' \
        '-s=www -k=extension_dir' '-s=www -k=orphan' '-s=www' '-s=www -C' '' '-C' '-P' '-P -C'; do
        # shellcheck disable=SC2086
        "$VORNEL" -i=app.ini $args && echo "exit 0" || echo "exit $?"
    done
}

@test "a set keeps every other line; the file reads back as before; a second set changes only its value" {
    answers >before
    run_raw -i=app.ini -s=www -k=group -v=nginx
    [ "$status" -eq 0 ]
    [ "$(bytes app.ini)" = $'\n; file head\nskip-external-locking\n[www]\n\n; the user\nuser= apache\n\n=orphan\n; where modules live\nextension_dir=\n\n; Possible Values:\n;   On\ngroup=nginx\n\n; about www again\nz=3\n\nbare\n[other]\nx=1\n\n; trailing one\ntail-bare\n; trailing two\n.' ]
    cp app.ini first.ini
    run_raw -i=app.ini -s=www -k=group -v=apache
    [ "$(diff first.ini app.ini | grep -c '^[<>]')" -eq 2 ]
    answers >after
    diff before after
}

@test "a key without a value is set in place without -f; a set keeps the comment unless -c" {
    run_raw -i=app.ini -s=WWW -k=extension_dir -v=/usr/lib/php
    [ "$(grep -B1 'extension_dir' app.ini)" = $'; where modules live\nextension_dir=/usr/lib/php' ]
    run_raw -i=app.ini -s=www -k=extension_dir -d
    [ "$status" -eq 0 ] && [ -z "$(grep 'extension_dir\|where modules live' app.ini)" ] || false
    run_raw -i=app.ini -s=www -k=user -v=a
    [ "$(grep -B1 -x 'user=a' app.ini)" = $'; the user\nuser=a' ]
    run_raw -i=app.ini -s=www -k=user -v=b -c=$'new words\n# hash kept'
    [ "$(grep -B4 -x 'user=b' app.ini)" = $'[www]\n\n; new words\n# hash kept\nuser=b' ]
}

@test "a deletion takes its item's lines and comment; lines that store nothing stay" {
    # each row: the item to delete, two lines that must go, then lines that must stay
    local row fields
    for row in "-s=www -k=user|user= apache|; the user|=orphan|skip-external-locking" \
        "-s=www -k=group|group=apache|; Possible Values:|bare|=orphan" \
        "-s=www|; file head|[www]|=orphan|bare|skip-external-locking|; trailing one" \
        "-s=other|[other]|x=1|bare|; trailing two"; do
        IFS='|' read -r -a fields <<<"$row"
        setup
        # shellcheck disable=SC2086
        run_raw -i=app.ini ${fields[0]} -d
        [ "$status" -eq 0 ] && [ -z "$(grep -xF -e "${fields[1]}" -e "${fields[2]}" app.ini)" ] || false
        [ "$(printf '%s\n' "${fields[@]:3}" | grep -cxF -f - app.ini)" -eq $((${#fields[@]} - 3)) ]
    done
}

@test "a key that stands twice keeps the comments of both above it; the last value wins" {
    printf '%s\n' '[Service]' '# about x, first' 'x=1' '# about y' 'y=2' '# about x, again' 'X=3' >unit.ini
    check_rows <<'ROWS'
0|3\n|-i=unit.ini -s=Service -k=x
0|[Service]\n# about x, first\n# about x, again#x=3\n# about y#y=2\n|-i=unit.ini -P -C
0||-i=unit.ini -s=Service -k=y -v=9
ROWS
    [ "$(bytes unit.ini)" = $'\n[Service]\n\n# about x, first\n# about x, again\nx=3\n\n# about y\ny=9\n.' ]
}
