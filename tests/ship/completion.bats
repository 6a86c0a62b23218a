#!/usr/bin/env bats
# The bash completion, driven as bash drives it: COMP_WORDS and COMP_CWORD set, one call.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    PATH="$(dirname "$VORNEL"):$PATH"
    source "$SOURCE/doc/vornel.bash-completion"
    printf '[server]\nhost=a\nport=1\n[data base]\nuser=x\n' | tee orig.ini >app.ini
}

complete_words() {
    COMP_WORDS=("$@") && COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) && COMPREPLY=() && _vornel
    printf '%s\n' "${COMPREPLY[@]}"
}

@test "options, file names, sections and keys are offered, also in words split at '='" {
    [ "$(complete_words vornel -)" = "$(printf '%s\n' -i= -s= -k= -v= -c= -d -f -h -V -E -P -C)" ]
    [ "$(complete_words vornel -i=ap)" = "-i=app.ini" ]
    [ "$(complete_words vornel -i=app.ini -s=)" = $'-s=server\n-s=data base' ]
    [ "$(complete_words vornel -i=app.ini '-s=data base' -k=u)" = "-k=user" ]
    [ "$(complete_words vornel -i = app.ini -s = ser)" = "server" ]
    [ "$(complete_words vornel -i = app.ini -s = server -k = p)" = "port" ]
    cmp app.ini orig.ini
}

# The zsh completion, with compadd, compset and _files replaced by stubs that print what zsh
# would offer for the word typed.
zsh_complete() {
    zsh -f -c 'compadd() { [[ $1 == -S ]] && shift 2; shift; print -rl -- ${(M)@:#$PREFIX*}; }
    compset() { PREFIX=${PREFIX#$2}; }
    _files() { print -r -- "files:$PREFIX"; }
    words=("$@") CURRENT=$# PREFIX=${@[-1]}
    source "$0"' "$SOURCE/doc/_vornel" "$@"
}

@test "zsh offers options, file names, and the live sections and keys of the file" {
    command -v zsh >/dev/null || skip "zsh is not installed"
    [ "$(zsh_complete vornel -)" = "$(printf '%s\n' -i= -s= -k= -v= -c= -d -f -h -V -E -P -C)" ]
    [ "$(zsh_complete vornel -i=ap)" = "files:ap" ]
    [ "$(zsh_complete vornel -i=app.ini -s=)" = $'server\ndata base' ]
    [ "$(zsh_complete vornel -i=app.ini '-s=data base' -k=u)" = "user" ]
}
