#!/usr/bin/env bats
# Start-up of a run: help, version, unknown options and the missing path.

load helpers

@test "help and version go to stderr with exit 0; unknown options or no path give 1 and help" {
    "$VORNEL" -h 2>help.txt
    [ "$(awk '/^\t-. / { printf "%s ", $1 }' help.txt)" = "-i -s -k -v -c -d -f -h -V -E -P -C " ]
    for args in 0: 0:-h "0:-h -V" "0:some.ini other" 1:-x "1:-h -x" "1:-i=a.ini -Z" "1:-V -q" \
        "1:-E -P -C" 1:-s=sec "1:-i= -s=sec" 1:-i; do
        run_raw ${args#*:} # the help ends stderr, after any error texts
        [ "$status" -eq "${args%%:*}" ] && [ ! -s out ] && tail -c "$(stat -c %s help.txt)" err | cmp - help.txt || false
        [ "$status" -eq 1 ] || cmp err help.txt
    done
    run_raw -V
    [ "$status" -eq 0 ] && [ ! -s out ] && [ "$(bytes err)" = $'vornel 1.1\nBramwold 2012\n.' ] || false
}

@test "-E shows the texts of a failure on stderr, in the order they were collected" {
    printf '[s]\nk=1\n' >app.ini
    local code text args
    while IFS='|' read -r code text args; do
        # shellcheck disable=SC2086
        run_raw $args -E
        text=$(printf '%b' "$text")
        [ "$status" -eq "$code" ] && [[ $(cat err) == *"$text"* ]] || { echo "$args: $status"; false; }
    done <<'ROWS'
1|ERROR:\n\tPath represents a non-existing directory!\t'./no'\nERROR:\n\tInvalid or missing option ['-<KEY>=<VALUE>']:\t'-i=./no/x.ini'\n|-i=./no/x.ini -s=s
30|ERROR:\n\tInifile does not exist!\t['./none.ini']\n\t(use -f to force creation)\n|-i=./none.ini -s=s -k=k -v=1
20|WARNING:\n\tValue not found!\t[SECTION: 's'\tKEY: 'no']\n|-i=app.ini -s=s -k=no
20|------------------------\nCommand line parameters:\n------------------------\nKey: 'E'\tValue: ''\nKey: 'i'\tValue: 'app.ini'\nKey: 'k'\tValue: 'no'\nKey: 's'\tValue: 's'\n------------------------\n\nvalue for key 'i'  ...  found\nvalue for key 's'|-i=app.ini -s=s -k=no
25|ERROR:\n\tCould not set value!\t[SECTION: 's'\tKEY: 'no'\tVALUE: '1']\n\t(use -f to force insertion)\n|-i=app.ini -s=s -k=no -v=1
25|VALUE: '1']\n\t(a name or the value would not read back as given|-i=app.ini -s=s -k=a=b -v=1 -f
1|ERROR:\n\tInvalid path!\t'none.ini'\n|-i=none.ini -s=s -k=k -v=1 -f
ROWS
    run_raw -i=./none.ini -s=s -k=k -E # a get of a missing file: -f would not help it
    [ "$status" -eq 30 ] && grep -qF 'Inifile does not exist!' err && ! grep -qF 'use -f' err || false
}
