#!/usr/bin/env bash
# Side-by-side benchmark of vornel, `git config -f` and crudini on generated INI files, plus
# the floor: a C program making only the shell probes that vornel makes.
# Needs: hyperfine, crudini, git, python3, /usr/bin/time (Debian packages hyperfine, crudini,
# git, python3, time). Usage: bench/bench.sh [path/to/vornel]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
vornel=$(realpath "${1:-$here/../build/vornel}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/floor" "$here/floor.c"
results="$work/results.tsv"
: >"$results"

# make_file NAME SECTIONS KEYS_PER_SECTION
make_file() {
    awk -v sections="$2" -v keys="$3" 'BEGIN {
        for (s = 0; s < sections; s++) {
            printf "[sec%d]\n", s
            for (k = 0; k < keys; k++) printf "key%d=value%d\n", k, k
        }
    }' >"$work/$1.orig"
}

# measure LABEL TOOL RUNS PREPARE COMMAND...
measure() {
    local label=$1 tool=$2 runs=$3 prepare=$4
    shift 4
    local args=(--shell=none --runs "$runs" --warmup 1 --export-json "$work/h.json" --style none)
    [ -n "$prepare" ] && args+=(--prepare "$prepare")
    hyperfine "${args[@]}" "$*" >/dev/null 2>&1
    python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["results"][0]["median"]*1000)' \
        "$work/h.json" | xargs printf '%s\t%s\t%.3f\n' "$label" "$tool" >>"$results"
}

run_rows() {
    local name=$1 sec=$2 key=$3 runs=$4 slow=$5
    local f="$work/$name.ini" fresh="cp $work/$name.orig $work/$name.ini"
    eval "$fresh"
    measure "$name get" vornel "$runs" "" "$vornel" -i="$f" -s="$sec" -k="$key"
    measure "$name get" git "$runs" "" git config -f "$f" "$sec.$key"
    measure "$name get" crudini "$slow" "" crudini --get "$f" "$sec" "$key"
    measure "$name set existing" vornel "$runs" "$fresh" "$vornel" -i="$f" -s="$sec" -k="$key" -v=changed
    measure "$name set existing" git "$runs" "$fresh" git config -f "$f" "$sec.$key" changed
    measure "$name set existing" crudini "$slow" "$fresh" crudini --set "$f" "$sec" "$key" changed
    measure "$name set new" vornel "$runs" "$fresh" "$vornel" -i="$f" -s="$sec" -k=fresh -v=1 -f
    measure "$name set new" git "$runs" "$fresh" git config -f "$f" "$sec.fresh" 1
    measure "$name set new" crudini "$slow" "$fresh" crudini --set "$f" "$sec" fresh 1
    measure "$name delete" vornel "$runs" "$fresh" "$vornel" -i="$f" -s="$sec" -k="$key" -d
    measure "$name delete" git "$runs" "$fresh" git config -f "$f" --unset "$sec.$key"
    measure "$name delete" crudini "$slow" "$fresh" crudini --del "$f" "$sec" "$key"
    eval "$fresh"
    measure "$name full listing" vornel "$runs" "" "$vornel" -i="$f" -P
    measure "$name full listing" git "$runs" "" git config -f "$f" --list
    measure "$name full listing" crudini "$slow" "" crudini --get --format=ini "$f"
    measure "$name section listing" vornel "$runs" "" "$vornel" -i="$f" -s="$sec"
    measure "$name section listing" git "$runs" "" git config -f "$f" --get-regexp "^$sec\\."
    measure "$name section listing" crudini "$slow" "" crudini --get --format=ini "$f" "$sec"
}

make_file k10 1 10
make_file k1000 10 100
make_file k10000 100 100
make_file k100000 1000 100
make_file one100000 1 100000

run_rows k10 sec0 key9 40 10
measure "k10 get" floor 40 "" "$work/floor" "$work/k10.ini"
run_rows k1000 sec9 key99 20 5
run_rows k10000 sec99 key99 15 5
run_rows k100000 sec999 key99 30 3
run_rows one100000 sec0 key99999 30 3

peak() {
    local label=$1 tool=$2
    shift 2
    cp "$work/k100000.orig" "$work/k100000.ini"
    /usr/bin/time -f %M -o "$work/mem" "$@" >/dev/null
    printf '%s\t%s\t%s\n' "$label" "$tool" "$(($(cat "$work/mem") / 1024))" >>"$work/memory.tsv"
}
: >"$work/memory.tsv"
f="$work/k100000.ini"
peak "k100000 get" vornel "$vornel" -i="$f" -s=sec999 -k=key99
peak "k100000 get" git git config -f "$f" sec999.key99
peak "k100000 get" crudini crudini --get "$f" sec999 key99
peak "k100000 set" vornel "$vornel" -i="$f" -s=sec999 -k=key99 -v=changed
peak "k100000 set" git git config -f "$f" sec999.key99 changed
peak "k100000 set" crudini crudini --set "$f" sec999 key99 changed

python3 - "$results" "$work/memory.tsv" <<'PY'
import sys, collections
rows = collections.OrderedDict()
for line in open(sys.argv[1]):
    label, tool, ms = line.rstrip("\n").split("\t")
    rows.setdefault(label, {})[tool] = float(ms)
print("| row | vornel ms | git ms | crudini ms | vornel/git | vornel/crudini |")
print("|---|---:|---:|---:|---:|---:|")
for label, t in rows.items():
    v, g, c = t["vornel"], t["git"], t["crudini"]
    print(f"| {label} | {v:.2f} | {g:.2f} | {c:.2f} | {v/g:.2f} | {v/c:.3f} |")
floor = rows["k10 get"]["floor"]
print()
print(f"floor (the same shell probes, nothing else) for a 10-key get: {floor:.2f} ms; "
      f"vornel/floor = {rows['k10 get']['vornel']/floor:.2f}")
print(f"get scaling 10,000 -> 100,000 keys: x{rows['k100000 get']['vornel']/rows['k10000 get']['vornel']:.2f}")
print()
print("| peak memory (MB) | vornel | git | crudini |")
print("|---|---:|---:|---:|")
mem = collections.OrderedDict()
for line in open(sys.argv[2]):
    label, tool, mb = line.rstrip("\n").split("\t")
    mem.setdefault(label, {})[tool] = mb
for label, t in mem.items():
    print(f"| {label} | {t['vornel']} | {t['git']} | {t['crudini']} |")
PY
