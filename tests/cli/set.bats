#!/usr/bin/env bats
# Setting a value: the file afterwards, byte for byte.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    printf '; top\n[net]\nport=80\n' >app.ini
}

@test "an existing value is changed and the file rewritten in the tool's layout" {
    run_raw -i=app.ini -s=NET -k=PORT -v=81
    [ "$status" -eq 0 ]
    [ ! -s out ]
    [ "$(bytes app.ini)" = $'\n; top\n[net]\nport=81\n.' ]
}

@test "a new key needs -f; refused, the file stays byte-identical" {
    cp app.ini orig.ini
    run_raw -i=app.ini -s=net -k=host -v=x
    [ "$status" -eq 25 ]
    cmp app.ini orig.ini
    run_raw -i=app.ini -s=other -k=host -v=x
    [ "$status" -eq 25 ]
    cmp app.ini orig.ini
    run_raw -i=app.ini -s=other -k=host -v=x -f -c='the host'
    [ "$status" -eq 0 ]
    [ "$(bytes app.ini)" = $'\n; top\n[net]\nport=80\n\n[other]\n\n; the host\nhost=x\n.' ]
}

@test "setting the value a key already has succeeds without writing" {
    touch -d '2001-01-01' app.ini
    run_raw -i=app.ini -s=net -k=port -v=80 -c=ignored
    [ "$status" -eq 0 ]
    [ "$(stat -c %Y app.ini)" = "$(date -d 2001-01-01 +%s)" ]
}

@test "values are stored verbatim: signs, hyphens, backslashes, equals and colons" {
    for value in -5 --- '-1' 'C:\dir\' 'YWJj=' 'a=b:c' ' lead'; do
        run_raw -i=app.ini -s=net -k=v -v="$value" -f
        [ "$status" -eq 0 ]
        run_raw -i=app.ini -s=net -k=v
        [ "$(bytes out)" = "$value"$'\n.' ]
    done
}

@test "a missing file is created only with -f, in the directory given" {
    run_raw -i="$BATS_TEST_TMPDIR/new.ini" -s=a -k=b -v=c
    [ "$status" -eq 30 ]
    [ ! -e new.ini ]
    run_raw -i="$BATS_TEST_TMPDIR/new.ini" -s=a -k=b -v=c -f
    [ "$status" -eq 0 ]
    [ "$(bytes new.ini)" = $'\n[a]\nb=c\n.' ]
}

@test "input that would inject lines or rename keys is refused, file untouched" {
    cp app.ini orig.ini
    for key in 'a=b' 'a:b' ';c' '#c' '[x' ' k' 'k ' $'k\nj'; do
        run_raw -i=app.ini -s=net -k="$key" -v=1 -f
        [ "$status" -eq 25 ]
        cmp app.ini orig.ini
    done
    run_raw -i=app.ini -s=net -k=x -v=$'x\n[admin]\nroot=1' -f
    [ "$status" -eq 25 ]
    run_raw -i=app.ini -s=$'net]\n[admin' -k=root -v=1 -f
    [ "$status" -eq 25 ]
    for value in $'a\rb' 'v ' $'v\t' ' '; do
        run_raw -i=app.ini -s=net -k=port -v="$value" -f
        [ "$status" -eq 25 ]
    done
    cmp app.ini orig.ini
    run_raw -i="$BATS_TEST_TMPDIR/fresh.ini" -s=s -k=x -v=$'1\n[admin]' -f
    [ "$status" -eq 25 ]
    [ ! -e fresh.ini ]
}

@test "a comment over several lines cannot inject a key" {
    run_raw -i=app.ini -s=net -k=port -v=82 -c=$'first\nroot=1\n[admin]'
    [ "$status" -eq 0 ]
    [ "$(bytes app.ini)" = $'\n; top\n[net]\n\n; first\n; root=1\n; [admin]\nport=82\n.' ]
    run_raw -i=app.ini -P
    [ "$(bytes out)" = $'[net]\nport=82\n.' ]
}

@test "the file keeps its permission bits and a symbolic link stays a link" {
    chmod 640 app.ini
    ln -s app.ini link.ini
    run_raw -i=link.ini -s=net -k=port -v=99
    [ "$status" -eq 0 ]
    [ -L link.ini ]
    [ "$(stat -c %a app.ini)" = 640 ]
    [ "$(bytes app.ini)" = $'\n; top\n[net]\nport=99\n.' ]
}
