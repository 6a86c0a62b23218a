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

# Every answer a script can get from the file: each get, each listing, with its exit code.
answers() {
    local args
    for args in '-s=www -k=user' '-s=www -k=group' '-s=www -k=z' '-s=other -k=x' \
        '-s=www -k=extension_dir' '-s=www -k=orphan' '-s=www' '-s=www -C' '' '-C' '-P' '-P -C'; do
        # shellcheck disable=SC2086
        "$VORNEL" -i=app.ini $args && echo "exit 0" || echo "exit $?"
    done
}

@test "a set changes one line; every other line stays as it stood and reads back as before" {
    answers >before
    cp app.ini orig.ini
    run_raw -i=app.ini -s=www -k=group -v=nginx
    [ "$status" -eq 0 ]
    [ "$(diff orig.ini app.ini)" = $'11c11\n< group=apache\n---\n> group=nginx' ]
    run_raw -i=app.ini -s=www -k=group -v=apache
    cmp orig.ini app.ini
    answers >after
    diff before after
}

# Each row: the arguments (split at blanks), the file before and the file after, with printf's
# escapes.
@test "real formats keep their meaning: repeated keys and sections, indentation, separators" {
    local args before after
    while IFS='|' read -r args before after; do
        printf '%b' "$before" >f.ini
        # shellcheck disable=SC2086
        run_raw -i=f.ini $args
        [ "$status" -eq 0 ] && [ "$(bytes f.ini)" = "$(printf '%b.' "$after")" ] ||
            { echo "$args on '$before': exit $status, file '$(cat f.ini)'"; return 1; }
    done <<'ROWS'
-s=Service -k=Type -v=simple|[Unit]\nAfter=a.service\nAfter=b.service\nBefore=getty.target\n\n[Service]\nExecStartPre=-/bin/x\nExecStartPre=-/bin/y\nType=idle\n|[Unit]\nAfter=a.service\nAfter=b.service\nBefore=getty.target\n\n[Service]\nExecStartPre=-/bin/x\nExecStartPre=-/bin/y\nType=simple\n
-s=Interface -k=ListenPort -v=51820 -f|[Interface]\nPrivateKey = a\n\n[Peer]\nPublicKey = p1\n\n[Peer]\nPublicKey = p2\n|[Interface]\nPrivateKey = a\nListenPort=51820\n\n[Peer]\nPublicKey = p1\n\n[Peer]\nPublicKey = p2\n
-s=peer -k=PublicKey -v=p3|[Peer]\nPublicKey = p1\n\n[Peer]\nPublicKey = p2\n|[Peer]\nPublicKey = p1\n\n[Peer]\nPublicKey=p3\n
-s=peer -d|[a]\nx=1\n\n; first peer\n[Peer]\nk=1\n\n[b]\ny=2\n[peer]\nk=2\nbare\n|[a]\nx=1\n\n[b]\ny=2\nbare\n
-s=s -k=x -v=4 -c=new|[s]\n# about x, first\nx=1\n# about y\ny=2\n# about x, again\nX=3\n|[s]\n# about x, first\nx=1\n# about y\ny=2\n\n; new\nX=4\n
-s=flake8 -k=max-line-length -v=100|[flake8]\nexclude =\n    .git,\n\n    build\nmax-line-length = 80\n|[flake8]\nexclude =\n    .git,\n\n    build\nmax-line-length=100\n
-s=options -k=python_requires -v=3.9 -f|[options]\ninstall_requires =\n    requests\n\n; next\n[x]\n|[options]\ninstall_requires =\n    requests\npython_requires=3.9\n\n; next\n[x]\n
-s=x -k=k -v=w|[x]\n.NOTPARALLEL:\n  k : v\r\nj=2|[x]\n.NOTPARALLEL:\n  k=w\nj=2\n
ROWS
}

@test "a set and a delete on a repeated key: the last line takes the value, a delete takes all" {
    printf '%s\n' '[PHP]' 'extension=mysqli' 'extension=pdo_mysql' 'memory_limit=128M' >php.ini
    run_raw -i=php.ini -s=PHP -k=memory_limit -v=256M
    [ "$(bytes php.ini)" = $'[PHP]\nextension=mysqli\nextension=pdo_mysql\nmemory_limit=256M\n.' ]
    run_raw -i=php.ini -s=php -k=EXTENSION -v=gd
    [ "$(bytes php.ini)" = $'[PHP]\nextension=mysqli\nextension=gd\nmemory_limit=256M\n.' ]
    run_raw -i=php.ini -s=PHP -k=extension -d
    [ "$(bytes php.ini)" = $'[PHP]\nmemory_limit=256M\n.' ]
    run_raw -i=php.ini -s=PHP -k=extension
    [ "$status" -eq 20 ]
}

@test "text after a header's bracket stays outside it; indented lines keep their indentation" {
    printf '%s\n' '[metadata]' 'name = pkg' 'version = 1.0' '[options]' 'install_requires =' \
        '    requests' '[x] # note' '  port = 80' >setup.cfg
    run_raw -i=setup.cfg -s=metadata -k=version -v=1.1
    run_raw -i=setup.cfg -s='x # note' -k=port -v=8080
    [ "$status" -eq 0 ]
    [ "$(bytes setup.cfg)" = $'[metadata]\nname = pkg\nversion=1.1\n[options]\ninstall_requires =\n    requests\n[x] # note\n  port=8080\n.' ]
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

@test "a key that stands twice lists the comments of both above it; the last value wins" {
    printf '%s\n' '[Service]' '# about x, first' 'x=1' '# about y' 'y=2' '# about x, again' 'X=3' >unit.ini
    check_rows <<'ROWS'
0|3\n|-i=unit.ini -s=Service -k=x
0|[Service]\n# about x, first\n# about x, again#x=3\n# about y#y=2\n|-i=unit.ini -P -C
ROWS
}
