#!/usr/bin/env bash
# Concurrent stress: rounds of parallel sets, deletions and reads on one file, then a check
# of the file against what every run reported. Usage: bench/stress.sh [vornel] [rounds]
set -euo pipefail

vornel=$(realpath "${1:-build/vornel}")
rounds=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file="$work/stress.ini"
failures=0

# Runs the command and writes its exit code to the file named first.
record() {
    local out=$1 rc=0
    shift
    "$@" || rc=$?
    echo "$rc" >"$out"
}

fail() {
    echo "round $1: $2" >&2
    failures=$((failures + 1))
}

for round in $(seq 1 "$rounds"); do
    # Keys d* were set in the previous round and are deleted now; keys s* are set now.
    pids=()
    for i in $(seq 0 11); do
        record "$work/set$i" "$vornel" -i="$file" -s=sec$((i % 3)) -k="s$i" -v="r$round" -f &
        pids+=($!)
    done
    for i in $(seq 0 5); do
        record "$work/del$i" "$vornel" -i="$file" -s=del -k="d$i" -d &
        pids+=($!)
        record "$work/readrc$i" "$vornel" -i="$file" -s=sec0 -k=s0 >"$work/read$i" &
        pids+=($!)
    done
    wait "${pids[@]}"
    for i in $(seq 0 11); do
        [ "$(cat "$work/set$i")" = 0 ] || fail "$round" "set s$i failed"
        [ "$("$vornel" -i="$file" -s=sec$((i % 3)) -k="s$i")" = "r$round" ] || fail "$round" "s$i lost"
    done
    for i in $(seq 0 5); do
        rc=$(cat "$work/del$i")
        if [ "$round" -gt 1 ] && [ "$rc" != 0 ]; then fail "$round" "delete d$i gave $rc"; fi
        if "$vornel" -i="$file" -s=del -k="d$i" >/dev/null; then fail "$round" "d$i still there"; fi
        rc=$(cat "$work/readrc$i")
        value=$(cat "$work/read$i")
        case "$rc:$value" in
            0:r$round | 0:r$((round - 1)) | 20: | 30:) ;;
            *) fail "$round" "read gave $rc '$value'" ;;
        esac
        "$vornel" -i="$file" -s=del -k="d$i" -v="r$round" -f
    done
done

keys=$(grep -c '^[sd][0-9]*=' "$file")
echo "stress: $rounds rounds, $keys keys in the final file, $failures failures"
[ "$failures" -eq 0 ] && [ "$keys" -eq 18 ]
