#!/usr/bin/env bash
# Whole-process cost of the programs beside a floor or another tool, all in
# one run: logo_wrap and logo_bin_info against cat on large images, their
# peak memory, and logo_pixels and logo_bin_info --preview against ffmpeg
# and ImageMagick on panel-sized pictures (with the PNG sizes), and scaling
# to a screen against both; then the scaling and checksum
# microbenchmarks. Builds what it needs first. Prints figures,
# asserts nothing.
#
#   bench/run_bench.sh [pairs] [programs]
#
# pairs: rounds after a warm-up (default 15; the small cases take three
# times as many). programs: a folder of built programs to measure instead
# of this tree's, e.g. an older build kept for a before-and-after.
#
# Uses cmake and g++, Google Benchmark, GNU time, ffmpeg and ImageMagick:
#   apt-get install -y libbenchmark-dev time ffmpeg imagemagick
set -euo pipefail
ffmpeg=ffmpeg
convert=/usr/bin/convert  # ImageMagick's own, whatever else PATH calls convert
gnu_time=/usr/bin/time

cd "$(dirname "$0")/.."
pairs=${1:-15}
cmake --workflow --preset bench >/dev/null
programs=$(realpath "${2:-build/bench/bin}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# logo_wrap works on the logo.bin beside it.
cp "$programs/logo_wrap" "$work/"

# Wall time of one command in milliseconds, read from the shell's own clock
# (no date process around the command).
time_ms() {
  local start=$EPOCHREALTIME
  "$@"
  local end=$EPOCHREALTIME
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f\n", (e - s) * 1000 }'
}
median() { tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Alternating rounds of every side, so drift in the machine's speed hits all
# alike. Prints each side's median, and the first side's over each other's.
compare() {
  local label=$1 runs=$2
  shift 2
  local sides=("$@") times=() k
  for side in "${sides[@]}"; do "$side"; done  # warm-up: page cache, binaries, outputs
  for ((i = 0; i < runs; i++)); do
    for k in "${!sides[@]}"; do times[k]+="$(time_ms "${sides[k]}") "; done
  done
  local first
  first=$(median <<<"${times[0]}")
  echo "$label, medians over $runs rounds:"
  for k in "${!sides[@]}"; do
    local m
    m=$(median <<<"${times[k]}")
    local ratio=""
    ((k == 0)) || ratio="${sides[0]} / ${sides[k]} = $(awk -v m="$m" -v f="$first" 'BEGIN { printf "%.2f", (m > 0 ? f / m : 0) }')"
    printf '  %-16s %8.1f ms  %-34s (%s)\n' "${sides[k]}" "$m" "$ratio" "${times[k]% }"
  done
}
peak_kib() { "$gnu_time" -f %M "$@" 2>&1 >/dev/null </dev/null | tail -n 1; }

logo_wrap() { "$work/logo_wrap" </dev/null >/dev/null; }
cat_copy() { cat "$work/logo.bin" >"$work/copy.bin"; }
logo_bin_info() { "$programs/logo_bin_info" "$work/logo_pelk.bin" >/dev/null; }
cat_read() { cat "$work/logo_pelk.bin" >/dev/null; }

wrap_cases() {
  local label=$1 bytes=$2 runs=$3
  head -c "$bytes" /dev/urandom >"$work/logo.bin"
  compare "$label logo_wrap" "$runs" logo_wrap cat_copy
}

echo "== Large images: logo_wrap against cat logo.bin > copy.bin, logo_bin_info FILE against cat FILE > /dev/null"
wrap_cases "256 MiB" $((256 << 20)) "$pairs"
echo "  peak resident memory of logo_wrap: $(peak_kib "$work/logo_wrap") KiB (input 262144 KiB, + 8 MiB = 270336 KiB)"
compare "256 MiB logo_bin_info" "$pairs" logo_bin_info cat_read
echo "  peak resident memory of logo_bin_info: $(peak_kib "$programs/logo_bin_info" "$work/logo_pelk.bin") KiB"
wrap_cases "8 MiB" $((8 << 20)) $((pairs * 3))
wrap_cases "2 MiB" $((2 << 20)) $((pairs * 3))
rm -f "$work/logo.bin" "$work/copy.bin" "$work/logo_pelk.bin"

# Panel-sized pictures: ffmpeg's test pattern, and a blurred plasma as a
# hard, photograph-like case for the PNG encoder.
logo_pixels() { "$programs/logo_pixels" --size "$size" "$work/pic.png" "$work/out.bin" >/dev/null; }
ffmpeg_565() { "$ffmpeg" -loglevel error -y -i "$work/pic.png" -f rawvideo -pix_fmt rgb565le "$work/out.raw"; }
# ImageMagick writes no raw 565; its nearest is a BMP of 565 pixels.
imagemagick_bmp() { "$convert" "$work/pic.png" -define bmp:subtype=RGB565 "$work/out.bmp"; }
preview() { "$programs/logo_bin_info" --size "$size" --preview "$work/preview.png" "$work/logo_pelk.bin" >/dev/null; }
ffmpeg_png() { "$ffmpeg" -loglevel error -y -f rawvideo -pix_fmt rgb565le -s "$size" -i "$work/logo.bin" "$work/ffmpeg.png"; }
# ImageMagick reads no raw 565; it starts from the same pixels as rgb24.
imagemagick_png() { "$convert" -size "$size" -depth 8 "rgb:$work/rgb.raw" "$work/imagemagick.png"; }

picture_cases() {
  local label=$1 runs=$2
  compare "$label PNG -> rgb565le (ImageMagick: a 565 BMP)" "$runs" logo_pixels ffmpeg_565 imagemagick_bmp
  cp "$work/out.bin" "$work/logo.bin"
  (cd "$work" && ./logo_wrap </dev/null >/dev/null)
  "$ffmpeg" -loglevel error -y -f rawvideo -pix_fmt rgb565le -s "$size" -i "$work/logo.bin" \
    -f rawvideo -pix_fmt rgb24 "$work/rgb.raw"
  compare "$label raw rgb565le -> PNG (ImageMagick: from the same pixels as rgb24)" "$runs" \
    preview ffmpeg_png imagemagick_png
  echo "  PNG bytes: logo_bin_info $(stat -c %s "$work/preview.png"), ffmpeg $(stat -c %s "$work/ffmpeg.png")," \
       "ImageMagick $(stat -c %s "$work/imagemagick.png")"
}

echo
echo "== Pictures: against ffmpeg and ImageMagick ($("$convert" -version | head -n 1 | cut -d' ' -f2-3))"
for size in 800x480 1920x1080; do
  "$ffmpeg" -loglevel error -y -f lavfi -i "testsrc2=size=$size:rate=1" -frames:v 1 "$work/pic.png"
  picture_cases "testsrc2 $size" $((pairs * 2))
done
size=1920x1080
"$convert" -seed 7 -size "$size" plasma:fractal -blur 0x2 "$work/pic.png"
picture_cases "plasma $size" "$pairs"

# Scaling with logo_pixels --fit contain, against ffmpeg and ImageMagick
# scaling and padding to the same screen; ImageMagick twice,
# as usually run and with the same filter in linear light.
logo_pixels_fit() { "$programs/logo_pixels" --size 800x480 --fit contain "$work/pic.png" "$work/out.bin" >/dev/null; }
ffmpeg_scale() {
  "$ffmpeg" -loglevel error -y -i "$work/pic.png" -vf \
    "scale=800:480:force_original_aspect_ratio=decrease:flags=lanczos,pad=800:480:(ow-iw)/2:(oh-ih)/2" \
    -f rawvideo -pix_fmt rgb565le "$work/out.raw"
}
imagemagick_scale() {
  "$convert" "$work/pic.png" -resize 800x480 -background black -gravity center -extent 800x480 \
    -define bmp:subtype=RGB565 "$work/out.bmp"
}
imagemagick_linear() {
  "$convert" "$work/pic.png" -colorspace RGB -filter Mitchell -resize 800x480 -colorspace sRGB \
    -background black -gravity center -extent 800x480 -define bmp:subtype=RGB565 "$work/out.bmp"
}
echo
echo "== Scaling to an 800x480 screen, contain, to rgb565le"
for size in 1920x1080 320x240; do
  "$ffmpeg" -loglevel error -y -f lavfi -i "testsrc2=size=$size:rate=1" -frames:v 1 "$work/pic.png"
  compare "testsrc2 $size" $((pairs * 2)) logo_pixels_fit ffmpeg_scale imagemagick_scale imagemagick_linear
done
"$convert" -seed 7 -size 1920x1080 plasma:fractal -blur 0x2 "$work/pic.png"
compare "plasma 1920x1080, a 16-bit PNG" "$pairs" logo_pixels_fit ffmpeg_scale imagemagick_scale imagemagick_linear

echo
build/bench/bin/scale_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null
build/bench/bin/sum_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null
