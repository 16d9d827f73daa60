#!/bin/bash
# Prints what `oxhost flat` costs: one 50-megapixel anti-aliased page against
# the two filters run by hand (`oxhost run tintflood`, then virarar) on the
# same page, and a book of 20 pages with one worker against two.
# usage: bench/flat-bench.sh BIN_FOLDER [SCRATCH_FOLDER]
set -euo pipefail
bin=${1:?usage: flat-bench.sh BIN_FOLDER [SCRATCH_FOLDER]}
scratch=${2:-$(mktemp -d)}
mkdir -p "$scratch"
oxhost="$bin/oxhost"
sample="$bin/make_sample_page"

seconds() {  # runs the command, prints its wall time in seconds
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

best_seconds() {  # the best of three runs: a first touch of fresh memory can cost more
    local best="" this
    for _ in 1 2 3; do
        this=$(seconds "$@")
        best=$(awk -v a="$best" -v b="$this" 'BEGIN { print (a == "" || b < a) ? b : a }')
    done
    echo "$best"
}

echo "oxhost flat benchmark ($(nproc) cores)"
"$sample" --width 8660 --height 5774 --antialias --seed 3 "$scratch/page.tif" > /dev/null
tintflood=$(best_seconds "$oxhost" run -q tintflood "$scratch/page.tif" "$scratch/tinted.tif")
virarar=$(best_seconds "$oxhost" run -q virarar "$scratch/tinted.tif" "$scratch/grown.tif")
flat=$(best_seconds "$oxhost" flat -q --tiff --out-dir "$scratch" "$scratch/page.tif")
awk -v t="$tintflood" -v v="$virarar" -v f="$flat" 'BEGIN {
    printf "50 MP page: run tintflood %.2f s + run virarar %.2f s = %.2f s; flat %.2f s (%.2fx, goal <= 1.5x)\n",
        t, v, t + v, f, f / (t + v) }'

mkdir -p "$scratch/book"
for page in $(seq -w 1 20); do
    "$sample" --width 2480 --height 3508 --antialias --seed "$page" "$scratch/book/page$page.png" > /dev/null
done
one=$(seconds "$oxhost" flat -q -j 1 "$scratch/book")
two=$(seconds "$oxhost" flat -q -j 2 "$scratch/book")
awk -v one="$one" -v two="$two" 'BEGIN {
    printf "book of 20 pages (8.7 MP each): -j 1 %.2f s, -j 2 %.2f s: %.2fx faster (goal >= 1.7x)\n",
        one, two, one / two }'
rm -rf "$scratch"
