#!/usr/bin/env bats
# Any system call of a run may fail: the file then holds its old text or the complete new one,
# a run exits 0 only with the new one, and no temporary file stays behind.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    command -v strace >/dev/null || skip "strace is not installed"
    strace -o trace true 2>/dev/null || skip "this host does not let strace trace a process"
    # strace follows no child: a wrapper script (a timeout guard) is looked through.
    binary=$VORNEL
    head -c 4 "$binary" | grep -q ELF ||
        binary=$(sed -n 's/^exec .* \([^ ]*\) "\$@"$/\1/p' "$VORNEL" | tr -d "'" | tail -1)
    ! grep -qa __asan_init "$binary" || skip "the sanitizers' runtime makes calls that faults would hit"
    awk 'BEGIN { for (s = 1; s <= 40; s++) { print "; section " s; print "[s" s "]";
        for (k = 1; k <= 400; k++) printf "key%02d=value %d of %d\n", k, k, s } }' >big.ini
    printf '; head\n[s1]\nkey01=1\n; the second\nkey02=2\n[s2]\nx=1\n' >small.ini
}

teardown() {
    [ -z "${shared:-}" ] || remove_shared
}

# Runs the binary with the faults given as strace options; exit code in $status.
faulty() {
    # shellcheck disable=SC2086
    run_with strace -o trace $1 "$binary" "${@:2}"
}

# Fails each call of the run in turn (its first two and its last) with each error. An interrupted
# call is made again; else exit 0 means the new file, a failure the old one (25 after a failed
# directory sync may leave the new one).
check_faults() {
    local file=$1 args=("${@:2}") call error n count code skip
    cp "$file" "$file.orig"
    faulty "" -i="$file" "${args[@]}"
    code=$status && cp out want.out && cp "$file" "$file.new" && cp trace calls || false
    for fault in read:EIO read:EINTR write:EIO write:ENOSPC write:EINTR fsync:EIO fsync:ENOSPC \
        ftruncate:EIO fallocate:ENOSPC rename:EIO openat:EIO close:EIO newfstatat:EIO \
        fchown:EIO listxattr:EIO unlink:EIO lseek:EIO mmap:ENOMEM; do
        call=${fault%:*} error=${fault#*:}
        count=$(grep -c "^$call(" calls || true)
        # the calls of a dynamic loader come before main, which first sets SIGXFSZ aside
        skip=$(awk -v c="$call(" '/^rt_sigaction\(SIGXFSZ/ { print n + 0; exit } index($0, c) == 1 { n++ }' calls)
        for n in $(printf "%s\n" $((skip + 1)) $((skip + 2)) "$count" | sort -nu); do
            [ "$n" -gt "$skip" ] && [ "$n" -le "$count" ] || continue
            cp "$file.orig" "$file"
            faulty "-e trace=$call -e inject=$call:error=$error:when=$n" -i="$file" "${args[@]}"
            [ -z "$(find . -name '*.vornel-*')" ] && case $error:$status in
            EINTR:"$code" | *:0) cmp -s out want.out && cmp -s "$file" "$file.new" ;;
            EINTR:*) false ;;
            *:1 | *:25 | *:30) cmp -s "$file" "$file.orig" ||
                { [ "$status$call" = 25fsync ] && cmp -s "$file" "$file.new"; } ;;
            *) false ;;
            esac || { echo "$fault at call $n of $count: exit $status, $*"; return 1; }
        done
    done
}

@test "a failed system call leaves the old file or the whole new one, and exit 0 means the new one" {
    local file
    for file in small.ini big.ini; do
        check_faults "$file" -s=s1 -k=key01 -v=changed
        check_faults "$file" -s=new -k=k -v=1 -f
        check_faults "$file" -s=s1 -k=key02 -d
        check_faults "$file" -P -C
    done
    check_faults small.ini -s=s2 -d
    faulty "-P $PWD/small.ini -e trace=read -e inject=read:error=EIO:when=1" -i=small.ini -s=s1 -k=key01 -v=x -E
    [ "$status" -eq 25 ] && grep -qF 'Inifile could not be read!' err || false
    # a new file whose temporary file the directory refuses is written where it goes
    faulty "" -i=./made.ini -s=s -k=k -v=1 -f && n=$(grep '^openat(' trace | grep -n 'vornel-' | cut -d: -f1) && mv made.ini want.ini
    faulty "-e trace=openat -e inject=openat:error=EACCES:when=${n%%$'\n'*}" -i=./made.ini -s=s -k=k -v=1 -f
    [ "$status" -eq 0 ] && cmp -s made.ini want.ini || { echo "made in place: exit $status"; false; }
}

@test "a write in place that fails puts the old text back and says so, or removes the new file" {
    make_shared
    printf '[s]\nk=%s\n' "$(printf 'x%.0s' $(seq 1 3000))" | tee orig.ini >"$shared/f.ini"
    chmod 666 "$shared/f.ini" && chmod 555 "$shared" || false
    local row value
    for row in 'short|ftruncate:error=EIO:when=1|was restored.' 'short|fsync:error=EIO:when=1|was restored.' \
        'short|ftruncate:error=EIO:when=1 -e inject=write:error=EIO:when=2|could NOT be restored!' \
        "$(printf 'y%.0s' $(seq 1 4000))|write:error=ENOSPC:when=1|was restored."; do # growing it
        IFS='|' read -r value row <<<"$row" && cat orig.ini >"$shared/f.ini"
        # shellcheck disable=SC2086
        unprivileged strace -P "$shared/f.ini" -e inject=${row%|*} "$binary" -i="$shared/f.ini" -s=s -k=k -v="$value" -E
        [ "$status" -eq 25 ] && grep -qF "in place failed; the old text ${row#*|}" err || false
        [[ $row != *NOT* ]] || grep -qF "The file holds the new text." err
        [[ $row == *NOT* ]] || cmp "$shared/f.ini" orig.ini
    done
    faulty "-e trace=openat" -i=./new.ini -s=s -k=k -v=v -f && rm new.ini # the temporary file's open
    n=$(grep '^openat(' trace | grep -n '\.vornel-' | cut -d: -f1)
    faulty "-e trace=openat,write -e inject=openat:error=EACCES:when=$n -e inject=write:error=EIO" -i=./new.ini -s=s -k=k -v=v -f
    [ "$status" -eq 25 ] && [ ! -e new.ini ] || false
}

@test "exit 0 when the change is in place: a failed close after fsync, a failed check after rm" {
    make_shared
    printf '[s]\nk=1\n' | tee orig.ini >"$shared/f.ini"
    chmod 666 "$shared/f.ini" && chmod 555 "$shared" || false
    local error
    for error in EIO EINTR; do # the close of the rewrite in place, after its fsync
        unprivileged strace -P "$shared/f.ini" -e inject=close:error=$error:when=2 "$binary" -i="$shared/f.ini" -s=s -k=k -v=$error
        [ "$status" -eq 0 ] && [ "$(bytes "$shared/f.ini")" = $'[s]\nk='$error$'\n.' ] || false
    done
    cp orig.ini gone.ini && faulty "-e trace=newfstatat" -i=gone.ini -d # the last one checks
    local last row
    last=$(grep -c '^newfstatat(' trace)
    for row in "0|EINTR|" "0|EIO|" "25|EIO|-e inject=faccessat,faccessat2:error=EIO"; do
        IFS='|' read -r code error more <<<"$row"
        cp orig.ini gone.ini
        faulty "-e inject=newfstatat:error=$error:when=$last $more" -i=gone.ini -d -E
        [ "$status" -eq "$code" ] && [ ! -e gone.ini ] || { echo "$row: exit $status"; false; }
    done
    grep -qF 'The file may be gone' err
    cp orig.ini gone.ini # removed, but its directory's sync fails: the removal may not last
    faulty "-e trace=fsync -e inject=fsync:error=EIO" -i=gone.ini -d -E
    [ "$status" -eq 25 ] && [ ! -e gone.ini ] && grep -qF 'may not survive a crash' err || false
    cp orig.ini gone.ini # the shell's wait for rm is lost, and so is the run's first wait
    run_with strace -f -o trace -e trace=wait4 -e inject=wait4:error=ECHILD:when=1 "$binary" -i=gone.ini -d
    [ "$status" -eq 0 ] && [ ! -e gone.ini ] || false
}

@test "a save that failed and a temporary file that cannot be removed: the old file, the name told" {
    cp small.ini orig.ini
    faulty "-e trace=write" -i=small.ini -s=s1 -k=key01 -v=x -E && cp orig.ini small.ini
    n=$(grep '^write(' trace | grep -nv '^write([12],' | head -1 | cut -d: -f1) # the temporary's
    for row in when=1:0 when=1+:1; do # the second try removes it, or fails too
        faulty "-e trace=write,unlink -e inject=write:error=EIO:when=$n -e inject=unlink:error=EIO:${row%:*}" -i=small.ini -s=s1 -k=key01 -v=x -E
        [ "$status" -eq 25 ] && cmp small.ini orig.ini && [ "$(grep -c 'could not be removed' err)" -eq "${row#*:}" ] || false
    done
    left=$(find . -name '*.vornel-*')
    [ "$(echo "$left" | wc -l)" -eq 1 ] && grep -qF "could not be removed!	['$(pwd -P)/${left#./}']" err || false
}

@test "an ignored SIGCHLD, a lost wait for rm or a heap limit give the file's true outcome" {
    env --ignore-signal=CHLD true 2>/dev/null || skip "env cannot start a process with SIGCHLD ignored"
    [ "$(env --ignore-signal=CHLD "$binary" -i=small.ini -s=s1 -k=key01)" = 1 ]
    cp small.ini copy.ini && faulty "-e trace=wait4" -i=copy.ini -d # the last command is rm
    faulty "-e trace=wait4 -e inject=wait4:error=ECHILD:when=$(grep -c '^wait4(' trace)" -i=small.ini -d
    [ "$status" -eq 0 ] && [ ! -e small.ini ] || false
    cp big.ini orig.ini && "$binary" -i=big.ini -s=s1 -k=key01 -v=1 && mv big.ini new.ini || false
    prlimit --data=1500000 "$binary" -V 2>/dev/null || skip "this build cannot run with a heap limit"
    local limit code short=0 # from the least heap that starts the tool to the least a set needs
    for limit in $(seq 160000 16000 1500000); do
        prlimit --data=$limit "$binary" -V 2>/dev/null || continue
        cp orig.ini big.ini
        code=0 && prlimit --data=$limit "$binary" -i=big.ini -s=s1 -k=key01 -v=1 -E 2>err || code=$?
        ! grep -q 'Out of memory!' err || short=$((short + 1))
        [ -z "$(find . -name '*.vornel-*')" ] && case $code in
        0) cmp -s big.ini new.ini ;;
        1) cmp -s big.ini orig.ini ;; # the shell of the probes could not start
        25) cmp -s big.ini orig.ini && ! grep -q Usage: err ;;
        *) false ;;
        esac || { echo "with a heap of $limit bytes: exit $code, $(ls -A)"; return 1; }
        [ "$code" -ne 0 ] || break
    done
    [ "$short" -gt 0 ]
}

# The kill points of a traced run: each call from the lock that a change takes before it reads
# the file on, as its name and its number among the calls of that name, which strace's when= counts.
kill_points() {
    awk '{ name = $0; sub(/\(.*/, "", name); n[name]++ }
         /^flock\(/ { on = 1 }
         on && /^[a-z_0-9]+\(/ && name != "exit_group" { print name ":when=" n[name] }' "$1"
}

# Whether the file reads as the text of the other: empty lines at the end read as nothing.
reads_as() { [ "$(cat "$1")" = "$(cat "$2")" ]; }

# The old state of a killed change: $shared/f.ini holding small.ini, or a link to a file not made.
old_file() { cat small.ini >"$shared/f.ini"; }
is_old_file() { reads_as "$shared/f.ini" small.ini; }
dangling_link() { rm -f "$shared/made.ini" && ln -sfn made.ini "$shared/f.ini"; }
is_dangling_link() { [ -L "$shared/f.ini" ] && [ ! -e "$shared/made.ini" ]; }

# Kills the change (its arguments given) at each of its calls, on $shared/f.ini in the old state
# that $old lays out and $is_old checks: the file reads as the old or the new text, and the same
# change run again gives the new one and leaves no temporary file.
kill_each_call() {
    local file=$shared/f.ini point
    $old && unprivileged strace "$binary" -i="$file" "$@" && cp "$file" new.ini &&
        kill_points err >points || false
    while read -r point; do
        $old
        unprivileged strace -o /dev/null -e inject="${point/:/:signal=SIGKILL:}" "$binary" -i="$file" "$@"
        { $is_old || reads_as "$file" new.ini; } &&
            unprivileged "$binary" -i="$file" "$@" && reads_as "$file" new.ini &&
            [ -z "$(find "$shared" -name '*.vornel-*')" ] || { echo "killed at $point: $(ls -A "$shared")"; return 1; }
    done <points
}

@test "killed at any call of a change, the file reads as the old or the new text; the next one cleans up" {
    make_shared
    [ "$(id -u)" -ne 0 ] || chown nobody "$shared"
    local mode args old=old_file is_old=is_old_file
    for mode in 755 555; do # a temporary file beside the file, or a rewrite in place
        chmod "$mode" "$shared"
        for args in "-s=s1 -k=key01 -v=changed" "-s=new -k=k -v=1 -f" "-s=s1 -k=key02 -d"; do
            # shellcheck disable=SC2086
            kill_each_call $args || { echo "directory mode $mode: $args"; return 1; }
        done
    done
    chmod 755 "$shared" && old=dangling_link is_old=is_dangling_link
    kill_each_call -s=new -k=k -v=1 -f || { echo "a file made through a dangling link"; return 1; }
}

@test "SIGTERM, SIGINT or SIGHUP during a change: the old file or the new one, nothing beside it" {
    mkdir t && awk 'BEGIN { print "[s]"; for (i = 0; i < 600000; i++) print "key" i "=value" i }' >old.ini
    cp old.ini t/big.ini && "$binary" -i=t/big.ini -s=s -k=key5 -v=new && mv t/big.ini new.ini || false
    local row signal
    for row in TERM:0.02 INT:0.1 HUP:0.2 TERM:0.3 INT:0.5; do
        signal=${row%:*} && cp old.ini t/big.ini
        run_with timeout --preserve-status -s "$signal" "${row#*:}" "$binary" -i=t/big.ini -s=s -k=key5 -v=new
        case $status in # a run that ignores the signal, as it was started to, ends as if not sent
        0) cmp -s t/big.ini new.ini ;;
        $((128 + $(kill -l "$signal")))) cmp -s t/big.ini old.ini || cmp -s t/big.ini new.ini ;;
        *) false ;;
        esac && [ "$(ls -A t)" = big.ini ] || { echo "SIG$row: exit $status, $(ls -A t)"; return 1; }
    done
}
