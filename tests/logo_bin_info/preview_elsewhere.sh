#!/bin/sh
# The preview as another decoder reads it: ImageMagick's (libpng, which
# checks every chunk's CRC and the compressed data's checksum, where the
# programs' own decoder checks neither) must see the pixels logo_pixels
# sees. A photograph-like part and a flat one, so that the compressor
# meets both. Exit 77, skipped, without ImageMagick.
#   preview_elsewhere.sh PROGRAMS WORK
set -eu
convert=/usr/bin/convert
[ -x "$convert" ] || { echo "skipped: ImageMagick is missing"; exit 77; }
programs=$1
rm -rf "$2" && mkdir -p "$2" && cd "$2"
size=211x97
"$convert" -seed 7 -size 211x60 plasma:fractal -size 211x37 xc:navy -append picture.png
"$programs/logo_pixels" --size $size picture.png logo.bin >/dev/null
cp "$programs/logo_wrap" . && ./logo_wrap </dev/null >/dev/null
"$programs/logo_bin_info" --size $size --preview preview.png logo_pelk.bin >/dev/null
"$convert" preview.png -depth 8 rgb:elsewhere.rgb
"$programs/logo_pixels" --pixel rgb24 preview.png own.rgb >/dev/null
cmp elsewhere.rgb own.rgb
