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

# Each row: the runs' arguments (each run's behind a ";", quoted as in the shell), the file before
# and the file after, with printf's escapes.
@test "real formats keep their meaning: repeated keys and sections, indentation, separators" {
    local runs before after args
    while IFS='|' read -r runs before after; do
        printf '%b' "$before" >f.ini
        while read -r -d ';' args; do
            eval "run_raw -i=f.ini $args"
        done <<<"$runs;"
        [ "$status" -eq 0 ] && [ "$(bytes f.ini)" = "$(printf '%b.' "$after")" ] ||
            { echo "$runs on '$before': exit $status, file '$(cat f.ini)'"; return 1; }
    done <<'ROWS'
-s=PHP -k=memory_limit -v=256M|[PHP]\nextension=mysqli\nextension=pdo_mysql\nmemory_limit=128M\n|[PHP]\nextension=mysqli\nextension=pdo_mysql\nmemory_limit=256M\n
-s=php -k=EXTENSION -v=gd|[PHP]\nextension=mysqli\nextension=pdo_mysql\n|[PHP]\nextension=mysqli\nextension=gd\n
-s=PHP -k=extension -d|[PHP]\nextension=a\nextension=b\nmemory_limit=256M\n|[PHP]\nmemory_limit=256M\n
-s=metadata -k=version -v=1.1; -s='x # note' -k=port -v=8080|[metadata]\nname = pkg\nversion = 1.0\n[options]\ninstall_requires =\n    requests\n[x] # note\n  port = 80\n|[metadata]\nname = pkg\nversion = 1.1\n[options]\ninstall_requires =\n    requests\n[x] # note\n  port = 8080\n
-s=Service -k=Type -v=simple|[Unit]\nAfter=a.service\nAfter=b.service\nBefore=getty.target\n\n[Service]\nExecStartPre=-/bin/x\nExecStartPre=-/bin/y\nType=idle\n|[Unit]\nAfter=a.service\nAfter=b.service\nBefore=getty.target\n\n[Service]\nExecStartPre=-/bin/x\nExecStartPre=-/bin/y\nType=simple\n
-s=Interface -k=ListenPort -v=51820 -f|[Interface]\nPrivateKey = a\n\n[Peer]\nPublicKey = p1\n\n[Peer]\nPublicKey = p2\n|[Interface]\nPrivateKey = a\nListenPort=51820\n\n[Peer]\nPublicKey = p1\n\n[Peer]\nPublicKey = p2\n
-s=peer -k=PublicKey -v=p3|[Peer]\nPublicKey = p1\n\n[Peer]\nPublicKey = p2\n|[Peer]\nPublicKey = p1\n\n[Peer]\nPublicKey = p3\n
-s=peer -d|[a]\nx=1\n\n; first peer\n[Peer]\nk=1\n\n[b]\ny=2\n[peer]\nk=2\nbare\n|[a]\nx=1\n\n[b]\ny=2\nbare\n
-s=s -k=x -v=4 -c=new|[s]\n# about x, first\nx=1\n# about y\ny=2\n# about x, again\nX=3\n|[s]\n# about x, first\nx=1\n# about y\ny=2\n\n; new\nX=4\n
-s=s -k=x -v=4; -s=s -k=x -d|[s]\n; c\nbare\nx=\n; d\nx=1\n; j\nx=\nj=1\n|[s]\nbare\n; j\nj=1\n
-s=flake8 -k=max-line-length -v=100|[flake8]\nexclude =\n    .git,\n\n    build\nmax-line-length = 80\n|[flake8]\nexclude =\n    .git,\n\n    build\nmax-line-length = 100\n
-s=options -k=python_requires -v=3.9 -f|[options]\ninstall_requires =\n    requests\n\n; next\n[x]\n|[options]\ninstall_requires =\n    requests\npython_requires=3.9\n\n; next\n[x]\n
-s=x -k=k -v=w|[x]\n.NOTPARALLEL:\n  k : v\r\nj=2|[x]\n.NOTPARALLEL:\n  k : w\r\nj=2
-s=WWW -k=extension_dir -v=/usr/lib/php|[www]\n; where\nextension_dir=\ngroup=a\n|[www]\n; where\nextension_dir=/usr/lib/php\ngroup=a\n
ROWS
}
