#!/usr/bin/env bash
# Draws the README's example pictures with the tools themselves: each input
# here through logo_pixels, logo_wrap and logo_bin_info --preview.
#   docs/make_examples.sh   (after cmake --workflow --preset default)
set -euo pipefail
cd "$(dirname "$0")"
bin=../build/default/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/logo_wrap" "$work/"

# logo_pixels ARGS... then logo_bin_info --preview OUT PREVIEW-ARGS...
wrap_and_preview() {
  local preview=$1
  shift
  "$work/logo_wrap" </dev/null >/dev/null
  "$bin/logo_bin_info" --preview "$preview" "$@" "$work/logo_pelk.bin" >/dev/null
}

"$bin/logo_pixels" --size 320x240 --rotate 90 portrait.png "$work/logo.bin"
wrap_and_preview rotated_memory.png --size 320x240
wrap_and_preview rotated_screen.png --size 320x240 --rotate 90

"$bin/logo_pixels" --size 320x240 --place center --background 1D3557 mark.png "$work/logo.bin"
wrap_and_preview centred.png --size 320x240

for dither in none ordered; do
  "$bin/logo_pixels" --dither "$dither" gradient.png "$work/logo.bin"
  wrap_and_preview "gradient_$dither.png" --size 320x48
done
