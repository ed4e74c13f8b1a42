#!/usr/bin/env bash
# How far the core's scaling is from ImageMagick's with the same filter in
# linear light (convert IN -colorspace RGB -filter Mitchell -resize WxH!
# -colorspace sRGB), on photograph-like and sharp-edged pictures, down and
# up: the largest and the mean absolute difference of each channel, in
# 8-bit levels. Prints figures; with a limit, exits 1 when any largest
# difference passes it.
#
#   bench/compare_scaling.sh [logo_pixels] [limit]
#
# logo_pixels: the built program (default build/bench/bin/logo_pixels),
# which scales with --fit stretch. Uses ImageMagick (apt-get install -y
# imagemagick), and ffmpeg's test pattern too where ffmpeg is installed.
set -euo pipefail
convert=/usr/bin/convert  # ImageMagick's own, whatever else PATH calls convert
cd "$(dirname "$0")/.."
pixels=$(realpath "${1:-build/bench/bin/logo_pixels}")
limit=${2:-}
command -v "$convert" >/dev/null || { echo "skipped: ImageMagick is missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Photograph-like: a blurred plasma, ImageMagick's rose and wizard, and
# ffmpeg's test pattern. Sharp-edged: black shapes and text on white, not
# smoothed.
"$convert" -seed 7 -size 1920x1080 plasma:fractal -blur 0x2 "$work/plasma.png"
"$convert" -seed 7 -size 320x240 plasma:fractal -blur 0x1 "$work/plasma_small.png"
"$convert" logo: "$work/wizard.png"
"$convert" rose: "$work/rose.png"
edges() {
  "$convert" -size "$1" xc:white +antialias -fill black -draw "rectangle 10%,10% 45%,40%" \
    -draw "circle 70%,50% 85%,50%" -draw "polygon 10%,90% 40%,55% 50%,90%" \
    -font DejaVu-Sans -pointsize "$2" -annotate +5%+40% 'Logo 42' "$work/$3.png" 2>/dev/null ||
  "$convert" -size "$1" xc:white +antialias -fill black -draw "rectangle 10%,10% 45%,40%" \
    -draw "circle 70%,50% 85%,50%" -draw "polygon 10%,90% 40%,55% 50%,90%" "$work/$3.png"
}
edges 1920x1080 200 edges
edges 160x90 24 edges_small

compare() {
  local picture=$1 size=$2 label=$3
  "$pixels" --lang en --size "$size" --fit stretch --pixel rgba "$work/$picture.png" "$work/ours.rgba" >/dev/null
  "$convert" "$work/$picture.png" -colorspace RGB -filter Mitchell -resize "$size!" -colorspace sRGB \
    -alpha off "$work/theirs.png"
  "$convert" -size "$size" -depth 8 "rgba:$work/ours.rgba" -alpha off "$work/ours.png"
  local figures
  figures=$("$convert" "$work/ours.png" "$work/theirs.png" -compose difference -composite -separate \
    -format '%[fx:round(maxima*255)] %[fx:mean*255]\n' info:)
  printf '%-34s' "$label"
  local names=(R G B) channel=0 worst=0
  while read -r largest mean; do
    printf '  %s largest %s mean %.3f' "${names[channel]}" "$largest" "$mean"
    ((largest > worst)) && worst=$largest
    channel=$((channel + 1))
  done <<<"$figures"
  echo
  if [ -n "$limit" ] && ((worst > limit)); then echo "  past the limit of $limit"; failed=1; fi
}
failed=0
compare plasma 800x450 "plasma 1920x1080 -> 800x450"
compare wizard 300x225 "wizard 640x480 -> 300x225"
compare edges 800x450 "edges 1920x1080 -> 800x450"
compare plasma_small 800x600 "plasma 320x240 -> 800x600"
compare rose 700x460 "rose 70x46 -> 700x460"
compare wizard 1280x960 "wizard 640x480 -> 1280x960"
compare edges_small 800x450 "edges 160x90 -> 800x450"
if command -v ffmpeg >/dev/null; then
  ffmpeg -loglevel error -f lavfi -i "testsrc2=size=1920x1080:rate=1" -frames:v 1 "$work/testsrc2.png"
  ffmpeg -loglevel error -f lavfi -i "testsrc2=size=320x240:rate=1" -frames:v 1 "$work/testsrc2_small.png"
  compare testsrc2 800x450 "testsrc2 1920x1080 -> 800x450"
  compare testsrc2_small 800x600 "testsrc2 320x240 -> 800x600"
fi
exit $failed
