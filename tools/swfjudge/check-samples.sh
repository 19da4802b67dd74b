#!/bin/sh
# Renders the three movies of the shared samples with the judge and counts the pixels that
# differ from Flash Player's pictures (ImageMagick's compare, absolute error count at a fuzz of
# 10% and of 1%). Those pictures were taken at low quality, without antialiasing, so the judge
# renders them at low quality too.
#
#   tools/swfjudge/check-samples.sh [SAMPLES_DIR] [OUT_DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
samples=${1:-$here/../../../shared/swf-samples}
out=${2:-$(mktemp -d)}
mkdir -p "$out"
jobs=$out/jobs.txt
: >"$jobs"
for movie in "$samples"/*.swf; do
    name=$(basename "$movie" .swf)
    frames=$(sed -n 's/^num_frames *= *\([0-9]*\).*/\1/p' "$samples/$name.toml")
    echo "$movie ${frames:-1} $out/$name.png" >>"$jobs"
done
node "$here/swfjudge.js" --batch "$jobs" --quality low
for movie in "$samples"/*.swf; do
    name=$(basename "$movie" .swf)
    expected=$samples/$name.expected.png
    size=$(identify -format '%w x %h' "$expected")
    fuzz10=$(compare -metric AE -fuzz 10% "$out/$name.png" "$expected" null: 2>&1 || true)
    fuzz1=$(compare -metric AE -fuzz 1% "$out/$name.png" "$expected" null: 2>&1 || true)
    echo "$name ($size): $fuzz10 pixels differ at fuzz 10%, $fuzz1 at fuzz 1%"
done
