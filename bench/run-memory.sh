#!/bin/bash
# Prints the peak resident memory of whole `oxhost run` calls (reading,
# filtering, writing), TIFF to TIFF, on generated 50-megapixel RGB pages with
# ordinary and with thick lines, as a multiple of the image's own size.
# The host holds the document and one output buffer; the goal is 2.5 times.
# usage: bench/run-memory.sh BIN_FOLDER [SCRATCH_FOLDER]
set -euo pipefail
bin=${1:?usage: run-memory.sh BIN_FOLDER [SCRATCH_FOLDER]}
if [ $# -ge 2 ]; then
    scratch=$2
    mkdir -p "$scratch"
else
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
fi
if [ ! -x /usr/bin/time ]; then
    echo "run-memory.sh: /usr/bin/time is missing (Debian package 'time')" >&2
    exit 1
fi
width=8660
height=5774
image_bytes=$((width * height * 3))

echo "oxhost run peak memory, ${width}x${height} RGB TIFF ($((image_bytes / 1000000)) MB of pixels)"
for lines in ordinary thick; do
    page="$scratch/$lines.tif"
    case $lines in
        thick) "$bin/make_sample_page" --width $width --height $height --thick "$page" > /dev/null ;;
        *) "$bin/make_sample_page" --width $width --height $height "$page" > /dev/null ;;
    esac
    for filter in virarar "tintflood --random"; do
        # GNU time's %M: the largest resident set of the run, in KiB.
        /usr/bin/time -f %M -o "$scratch/peak" \
            "$bin/oxhost" run -q $filter "$page" "$scratch/result.tif"
        awk -v kib="$(tail -n 1 "$scratch/peak")" -v image="$image_bytes" \
            -v what="$lines lines, ${filter%% *}" 'BEGIN {
            printf "%-26s peak %4.0f MB, %.2fx the image (goal <= 2.5x)\n",
                what ":", kib * 1024 / 1e6, kib * 1024 / image }'
    done
done
