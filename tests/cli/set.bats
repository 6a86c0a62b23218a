#!/usr/bin/env bats
# Setting a value: the file afterwards, byte for byte.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    printf '; top\n[net]\nport = 80\n' >app.ini # the value a get and a set compare is 80
    cp app.ini orig.ini
    touch -d 2001-01-01 app.ini
}

@test "a set changes a value; a new key needs -f; refused sets and the same value write nothing" {
    check_rows <<'ROWS'
25||-i=app.ini -s=net -k=host -v=x
25||-i=app.ini -s=other -k=host -v=x
0||-i=app.ini -s=net -k=port -v=80 -c=ignored
30||-i=./new.ini -s=a -k=b -v=c
ROWS
    cmp app.ini orig.ini && [ ! -e new.ini ] || false
    [ "$(stat -c %Y app.ini)" = "$(date -d 2001-01-01 +%s)" ]
    umask 027 # a new file gets the mode the umask leaves
    check_rows <<'ROWS'
0||-i=app.ini -s=NET -k=PORT -v=81
0||-i=app.ini -s=other -k=host -v=x -f -c=the-host
0||-i=./new.ini -s=a -k=b -v=c -f
ROWS
    [ "$(bytes app.ini)" = $'; top\n[net]\nport = 81\n\n[other]\n\n; the-host\nhost=x\n.' ]
    [ "$(bytes new.ini)" = $'\n[a]\nb=c\n.' ] && [ "$(stat -c %a new.ini)" = 640 ] || false
    run_raw -i=app.ini -s=net -k=port -v=82 -c=$'first\n\n  root=1 \n[admin]' # no key injected
    [ "$(bytes app.ini)" = $'; top\n[net]\n\n; first\n; root=1\n; [admin]\nport = 82\n\n[other]\n\n; the-host\nhost=x\n.' ]
}

@test "values are stored verbatim; input that would not read back as given is refused" {
    for value in -5 --- 'C:\dir\' 'YWJj=' 'a=b:c' 'in ner'; do
        run_raw -i=app.ini -s=net -k=v -v="$value" -f
        run_raw -i=app.ini -s=net -k=v
        [ "$(bytes out)" = "$value"$'\n.' ]
    done
    cp app.ini before.ini
    for key in 'a=b' 'a:b' ';c' '#c' '[x' ' k' 'k ' $'k\t' $'k\nj'; do
        run_raw -i=app.ini -s=net -k="$key" -v=1 -f && [ "$status" -eq 25 ] || false
    done
    for value in $'x\n[admin]\nroot=1' $'a\rb' 'v ' $'v\t' ' ' ' lead' $'\tlead'; do
        run_raw -i=app.ini -s=net -k=port -v="$value" -f && [ "$status" -eq 25 ] || false
    done
    run_raw -i=app.ini -s=$'net]\n[admin' -k=root -v=1 -f
    run_raw -i=./fresh.ini -s=s -k=x -v=$'1\n[admin]' -f
    [ "$status" -eq 25 ] && cmp app.ini before.ini && [ ! -e fresh.ini ] || false
    # the file keeps its permission bits and owner, and a symbolic link stays a link
    chmod 640 app.ini
    ln -s app.ini link.ini
    run_raw -i=link.ini -s=net -k=port -v=99
    [ "$status" -eq 0 ] && [ -L link.ini ] && [ "$(stat -c %a app.ini)" = 640 ] || false
    [ "$(bytes app.ini)" = $'; top\n[net]\nport = 99\nv=in ner\n.' ]
    [ "$(id -u)" -eq 0 ] || skip "giving a file to another owner needs root"
    chown nobody app.ini
    run_raw -i=app.ini -s=net -k=port -v=100
    [ "$(stat -c %U app.ini)" = nobody ]
}
