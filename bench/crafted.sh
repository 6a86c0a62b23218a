#!/usr/bin/env bash
# A file whose key names were crafted to collide in a hash index without a secret seed must set
# as fast as an ordinary file of the same size. Prints the median of 7 sets of each, in ms.
# Usage: bench/crafted.sh [path/to/vornel] [keys]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
vornel=$(realpath "${1:-$here/../build/vornel}")
keys=${2:-40000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/crafted" "$here/crafted.c"
"$work/crafted" "$work" "$keys"

median_ms() {
    local name=$1 times=() i start
    for i in 1 2 3 4 5 6 7; do
        cp "$work/$name.ini" "$work/run.ini"
        start=$(date +%s%N)
        "$vornel" -i="$work/run.ini" -s=s -k=k000000x -v=1 -f
        times+=($((($(date +%s%N) - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 4p | awk '{ printf "%.1f", $1 / 1000 }'
}

plain=$(median_ms plain)
crafted=$(median_ms crafted)
size=$(stat -c %s "$work/crafted.ini")
awk -v p="$plain" -v c="$crafted" -v k="$keys" -v s="$size" 'BEGIN {
    printf "| file (%d keys, %d bytes) | set ms |\n|---|---:|\n", k, s
    printf "| ordinary names | %s |\n| crafted names | %s |\n", p, c
    printf "crafted/ordinary: %.2f\n", c / p
}'
