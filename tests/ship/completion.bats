#!/usr/bin/env bats
# The bash completion, driven as bash drives it: COMP_WORDS and COMP_CWORD set, one call.

load helpers

setup() {
    cd "$BATS_TEST_TMPDIR"
    PATH="$(dirname "$VORNEL"):$PATH"
    source "$SOURCE/doc/vornel.bash-completion"
    printf '[server]\nhost=a\nport=1\n[data base]\nuser=x\n' >app.ini
    cp app.ini orig.ini
}

complete_words() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vornel
    printf '%s\n' "${COMPREPLY[@]}"
}

@test "option letters are offered" {
    [ "$(complete_words vornel -)" = "$(printf '%s\n' -i= -s= -k= -v= -c= -d -f -P -C -E -h -V)" ]
    [ "$(complete_words vornel -i=app.ini -V)" = "-V" ]
}

@test "file names are offered after -i=" {
    [ "$(complete_words vornel -i=ap)" = "-i=app.ini" ]
}

@test "the sections of the file are offered after -s=, the file is left alone" {
    [ "$(complete_words vornel -i=app.ini -s=)" = $'-s=server\n-s=data base' ]
    [ "$(complete_words vornel -i=app.ini -s=se)" = "-s=server" ]
    [ -z "$(complete_words vornel -s=)" ]
    cmp app.ini orig.ini
}

@test "the keys of the section are offered after -k=" {
    [ "$(complete_words vornel -i=app.ini -s=server -k=)" = $'-k=host\n-k=port' ]
    [ "$(complete_words vornel -i=app.ini '-s=data base' -k=u)" = "-k=user" ]
    cmp app.ini orig.ini
}

@test "words that bash split at '=' are put together again" {
    [ "$(complete_words vornel -i = app.ini -s =)" = $'=server\n=data base' ]
    [ "$(complete_words vornel -i = app.ini -s = ser)" = "server" ]
    [ "$(complete_words vornel -i = app.ini -s = server -k = p)" = "port" ]
}
