#!/usr/bin/env bash
# Side-by-side benchmark of vornel, `git config -f` and crudini on generated INI files, with
# the floors every row is held against: a C program making only the shell probes that vornel
# makes (floor.c), `cat` of the file, and a C program that reads the file and writes it back
# through a temporary file with fsync and rename (iofloor.c). A second vornel binary, if given,
# is measured beside the first in every row. Needs: hyperfine, crudini, git, python3,
# /usr/bin/time (Debian packages hyperfine, crudini, git, python3, time).
# Usage: bench/bench.sh [path/to/vornel] [path/to/baseline-vornel]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
vornel=$(realpath "${1:-$here/../build/vornel}")
baseline=${2:+$(realpath "$2")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/floor" "$here/floor.c"
cc -O2 -o "$work/iofloor" "$here/iofloor.c"
cc -O2 -o "$work/pages" "$here/pages.c"
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

# vornel_row LABEL RUNS PREPARE ARGS...: vornel, the baseline if given, and the floors of the
# file in $f, in turns of five runs, so that all meet the same states of the machine; a row
# takes the median of its turns.
vornel_row() {
    local label=$1 runs=$2 prepare=$3 turn name=${1%% *}
    shift 3
    for turn in $(seq 1 $((runs / 5))); do
        measure "$label" vornel 5 "$prepare" "$vornel" "$@"
        [ -z "$baseline" ] || measure "$label" baseline 5 "$prepare" "$baseline" "$@"
        measure "$name probes" floor 5 "" "$work/floor" "$f"
        measure "$name cat" floor 5 "" cat "$f"
        measure "$name read-write" floor 5 "$fresh" "$work/iofloor" "$f"
    done
}

# vornel_rows NAME RUNS SECTION KEY, on the file $f restored by $fresh
vornel_rows() {
    local name=$1 runs=$2 sec=$3 key=$4
    eval "$fresh"
    vornel_row "$name get" "$runs" "" -i="$f" -s="$sec" -k="$key"
    vornel_row "$name set existing" "$runs" "$fresh" -i="$f" -s="$sec" -k="$key" -v=changed
    vornel_row "$name set new" "$runs" "$fresh" -i="$f" -s="$sec" -k=fresh -v=1 -f
    vornel_row "$name delete" "$runs" "$fresh" -i="$f" -s="$sec" -k="$key" -d
    eval "$fresh"
    vornel_row "$name full listing" "$runs" "" -i="$f" -P
    vornel_row "$name section listing" "$runs" "" -i="$f" -s="$sec"
}

# crudini() LABEL RUNS PREPARE ARGS...: crudini's row, unless its runs are 0 (too slow a file)
crudini_row() {
    [ "$2" -eq 0 ] || measure "$1" crudini "$2" "$3" crudini "${@:4}"
}

run_rows() {
    local name=$1 sec=$2 key=$3 runs=$4 slow=$5
    f="$work/$name.ini" fresh="cp $work/$name.orig $work/$name.ini"
    vornel_rows "$name" "$runs" "$sec" "$key"
    eval "$fresh"
    measure "$name get" git "$runs" "" git config -f "$f" "$sec.$key"
    crudini_row "$name get" "$slow" "" --get "$f" "$sec" "$key"
    measure "$name set existing" git "$runs" "$fresh" git config -f "$f" "$sec.$key" changed
    crudini_row "$name set existing" "$slow" "$fresh" --set "$f" "$sec" "$key" changed
    measure "$name set new" git "$runs" "$fresh" git config -f "$f" "$sec.fresh" 1
    crudini_row "$name set new" "$slow" "$fresh" --set "$f" "$sec" fresh 1
    measure "$name delete" git "$runs" "$fresh" git config -f "$f" --unset "$sec.$key"
    crudini_row "$name delete" "$slow" "$fresh" --del "$f" "$sec" "$key"
    eval "$fresh"
    measure "$name full listing" git "$runs" "" git config -f "$f" --list
    crudini_row "$name full listing" "$slow" "" --get --format=ini "$f"
    measure "$name section listing" git "$runs" "" git config -f "$f" --get-regexp "^$sec\\."
    crudini_row "$name section listing" "$slow" "" --get --format=ini "$f" "$sec"
}

make_file k10 1 10
make_file k1000 10 100
make_file k10000 100 100
make_file k100000 1000 100
make_file one100000 1 100000
make_file one1000000 1 1000000
# Keys without any header, as generated translation files have them: about 5 MB.
awk 'BEGIN { for (k = 0; k < 100000; k++) printf "key%d = the text of message %d in this file\n", k, k }' \
    >"$work/flat100000.orig"

run_rows k10 sec0 key9 40 10
run_rows k1000 sec9 key99 20 5
run_rows k10000 sec99 key99 15 5
run_rows k100000 sec999 key99 30 3
run_rows one100000 sec0 key99999 30 3
run_rows one1000000 sec0 key5 10 0
# A get reads one section's lines from the end: its first and its last key; a listing of one key
# walks the section as a get does.
for name in one100000 one1000000; do
    f="$work/$name.ini" fresh="cp $work/$name.orig $work/$name.ini"
    eval "$fresh"
    vornel_row "$name get first key" 10 "" -i="$f" -s=sec0 -k=key0
    vornel_row "$name get last key" 10 "" -i="$f" -s=sec0 -k="key$((${name#one} - 1))"
    vornel_row "$name one-key listing" 10 "" -i="$f" -s=sec0 -k=key5 -P
done
f="$work/flat100000.ini" fresh="cp $work/flat100000.orig $work/flat100000.ini"
eval "$fresh"
vornel_row "flat100000 full listing" 30 "" -i="$f" -P
# One section whose 100,000 lines after its first key repeat one key: a set of the first key.
awk 'BEGIN { print "[sec0]\nother=1"; for (k = 0; k < 100000; k++) printf "rep=value%d\n", k }' \
    >"$work/rep100000.orig"
f="$work/rep100000.ini" fresh="cp $work/rep100000.orig $work/rep100000.ini"
vornel_row "rep100000 set existing" 30 "$fresh" -i="$f" -s=sec0 -k=other -v=changed
measure "rep100000 set existing" git 30 "$fresh" git config -f "$f" sec0.other changed
for pages in small huge; do
    measure "text read into $pages pages" pages 30 "" "$work/pages" "$work/k100000.orig" "$pages"
done

# peak LABEL TOOL NAME COMMAND...: peak memory of the command on a fresh copy of the file NAME
peak() {
    local label=$1 tool=$2 name=$3
    shift 3
    cp "$work/$name.orig" "$work/$name.ini"
    /usr/bin/time -f %M -o "$work/mem" "$@" >/dev/null
    printf '%s\t%s\t%s\t%s\n' "$label" "$tool" "$(cat "$work/mem")" \
        "$(stat -c %s "$work/$name.orig")" >>"$work/memory.tsv"
}
: >"$work/memory.tsv"
make_file big 72000 100 # about 100 MB
for tool in vornel baseline; do
    bin=$vornel
    if [ "$tool" = baseline ]; then
        [ -n "$baseline" ] || continue
        bin=$baseline
    fi
    peak "k100000 get" "$tool" k100000 "$bin" -i="$work/k100000.ini" -s=sec999 -k=key99
    peak "k100000 set" "$tool" k100000 "$bin" -i="$work/k100000.ini" -s=sec999 -k=key99 -v=changed
    peak "100 MB set" "$tool" big "$bin" -i="$work/big.ini" -s=sec71999 -k=key99 -v=changed
    for name in one100000 one1000000; do
        peak "$name set" "$tool" $name "$bin" -i="$work/$name.ini" -s=sec0 -k=key5 -v=changed
        peak "$name full listing" "$tool" $name "$bin" -i="$work/$name.ini" -P
        peak "$name section listing" "$tool" $name "$bin" -i="$work/$name.ini" -s=sec0
    done
    peak "flat100000 full listing" "$tool" flat100000 "$bin" -i="$work/flat100000.ini" -P
    peak "flat100000 section names" "$tool" flat100000 "$bin" -i="$work/flat100000.ini"
done
peak "one1000000 set" git one1000000 git config -f "$work/one1000000.ini" sec0.key5 changed
peak "one1000000 full listing" git one1000000 git config -f "$work/one1000000.ini" --list
peak "k100000 get" git k100000 git config -f "$work/k100000.ini" sec999.key99
peak "k100000 get" crudini k100000 crudini --get "$work/k100000.ini" sec999 key99
peak "k100000 set" git k100000 git config -f "$work/k100000.ini" sec999.key99 changed
peak "k100000 set" crudini k100000 crudini --set "$work/k100000.ini" sec999 key99 changed

python3 - "$results" "$work/memory.tsv" <<'PY'
import sys, collections
import statistics
turns = collections.OrderedDict()
for line in open(sys.argv[1]):
    label, tool, ms = line.rstrip("\n").split("\t")
    turns.setdefault(label, {}).setdefault(tool, []).append(float(ms))
rows = collections.OrderedDict(
    (label, {tool: statistics.median(ms) for tool, ms in t.items()}) for label, t in turns.items())
base = any("baseline" in t for t in rows.values())
print("| row | vornel ms |" + (" baseline ms | vornel/baseline |" if base else "")
      + " git ms | crudini ms | vornel/git | vornel/crudini |")
print("|---|---:|" + ("---:|---:|" if base else "") + "---:|---:|---:|---:|")
for label, t in rows.items():
    if "vornel" not in t:
        continue
    v, g, c = t["vornel"], t.get("git", float("nan")), t.get("crudini", float("nan"))
    cells = f"| {label} | {v:.2f} |"
    if base:
        cells += f" {t['baseline']:.2f} | {v / t['baseline']:.3f} |"
    print(cells + f" {g:.2f} | {c:.2f} | {v/g:.2f} | {v/c:.3f} |")
# Each row against its floor: the probes alone for reads that print a line or a section, the
# probes and cat for a full listing, the probes and a read-write for a change.
# A one-section file's get reads every line of the section, as cat does.
limits = {"get": ("probes", 1.3), "one get": ("probes + cat", 1.3), "section listing": ("probes", 1.5),
          "get first key": ("probes + cat", 2.0), "get last key": ("probes + cat", 2.0),
          "one-key listing": ("probes + cat", 2.0),
          "full listing": ("probes + cat", 2.0), "set existing": ("probes + read-write", 2.0),
          "set new": ("probes + read-write", 2.0), "delete": ("probes + read-write", 2.0)}
print()
print("| row | vornel ms | floor | floor ms | vornel/floor | limit on k100000 |")
print("|---|---:|---|---:|---:|---:|")
for label, t in rows.items():
    if "vornel" not in t:
        continue
    name, op = label.split(" ", 1)
    floor_name, limit = limits["one get" if op == "get" and name.startswith("one") else op]
    floor = sum(rows[f"{name} {part}"]["floor"] for part in floor_name.split(" + "))
    targeted = name in ("k100000", "rep100000") or name.startswith("one")
    print(f"| {label} | {t['vornel']:.2f} | {floor_name} | {floor:.2f} | "
          f"{t['vornel'] / floor:.2f} | {limit if targeted and 'listing' not in op else ''} |")
print()
print("| row | vornel/git (at most 0.5) | 1,000,000 / 100,000 keys (at most 12) |")
print("|---|---:|---:|")
for op in ("set existing", "full listing", "section listing"):
    v1, v0 = rows[f"one1000000 {op}"]["vornel"], rows[f"one100000 {op}"]["vornel"]
    for name in ("one100000", "one1000000"):
        r = rows[f"{name} {op}"]
        print(f"| {name} {op} | {r['vornel'] / r['git']:.2f} | {v1 / v0 if name == 'one1000000' else float('nan'):.2f} |")
for name in ("one100000", "one1000000"):
    r = rows[f"{name} one-key listing"]["vornel"] / rows[f"{name} get"]["vornel"]
    print(f"| {name} one-key listing against its get (at most 1.5) | {r:.2f} | |")
print(f"| flat100000 full listing against one100000 full listing | "
      f"{rows['flat100000 full listing']['vornel'] / rows['one100000 full listing']['vornel']:.2f} | |")
print()
small, huge = (rows[f"text read into {p} pages"]["pages"] for p in ("small", "huge"))
print(f"huge pages for the text read: the 100,000-key file read into ordinary pages {small:.2f} ms, "
      f"into huge pages {huge:.2f} ms")
print(f"get scaling 10,000 -> 100,000 keys: x{rows['k100000 get']['vornel']/rows['k10000 get']['vornel']:.2f}")
print()
print("| peak memory | tool | MB | file MB | peak/file |")
print("|---|---|---:|---:|---:|")
for line in open(sys.argv[2]):
    label, tool, kb, size = line.rstrip("\n").split("\t")
    mb, file_mb = int(kb) / 1024, int(size) / 1048576
    print(f"| {label} | {tool} | {mb:.1f} | {file_mb:.1f} | {mb / file_mb:.1f} |")
PY
