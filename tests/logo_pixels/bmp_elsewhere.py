#!/usr/bin/env python3
"""BMPs as ImageMagick reads them: run-length encoded rows (8 and 4 bits,
one written by ImageMagick itself) and bit fields must give logo_pixels'
pixels. Where the codes skip pixels, logo_pixels makes them transparent and
ImageMagick some colour: only the others are compared. Exit 77, skipped,
without ImageMagick.
  bmp_elsewhere.py PROGRAMS WORK"""
import os
import random
import shutil
import struct
import subprocess
import sys

CONVERT = "/usr/bin/convert"  # ImageMagick's own, whatever else PATH calls convert


def bmp(width, height, bits, compression, rows, palette=b"", masks=None):
    """A BMP with a 40-byte header, or a 108-byte one holding `masks`."""
    tail = b"" if masks is None else struct.pack("<4I", *masks) + bytes(108 - 56)
    info = struct.pack("<IiiHHIIiiII", 40 + len(tail), width, height, 1, bits, compression, len(rows), 2835,
                       2835, len(palette) // 4, 0) + tail
    start = 14 + len(info) + len(palette)
    return b"BM" + struct.pack("<IHHI", start + len(rows), 0, 0, start) + info + palette + rows


def palette(colours, rng):
    return bytes(rng.randrange(256) if i % 4 != 3 else 0 for i in range(4 * colours))


def rle_rows(width, height, nibbles, rng, skips):
    """Runs and literal stretches of random indices, row by row; with skips,
    jumps and rows ended early. (An early end of the picture ImageMagick
    refuses as cut short.)"""
    codes, most, x, y = bytearray(), 15 if nibbles else 255, 0, 0
    while y < height:
        chance = rng.random() if skips else 1
        if x == width or chance < 0.04:  # the row's end, or the rest of it skipped
            codes += b"\0\0"
            x, y = 0, y + 1
        elif chance < 0.08 and y + 1 < height:  # a jump right and a row on
            step = rng.randrange(width - x + 1)
            codes += bytes([0, 2, step, 1])
            x, y = x + step, y + 1
        else:
            count = rng.randrange(1, min(255, width - x) + 1)
            if count >= 3 and rng.random() < 0.5:
                literal = [rng.randrange(most + 1) for _ in range(count)]
                if nibbles:
                    literal = [a << 4 | b for a, b in zip(literal[::2], literal[1::2] + [0])]
                codes += bytes([0, count] + literal + [0] * (len(literal) % 2))
            else:
                codes += bytes([count, rng.randrange(256) if nibbles else rng.randrange(most + 1)])
            x += count
    return bytes(codes) + b"\0\1"


def main():
    if not os.access(CONVERT, os.X_OK):
        print("skipped: ImageMagick is missing")
        return 77
    programs, work = sys.argv[1], sys.argv[2]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    os.chdir(work)
    rng = random.Random(9)
    pictures = {}
    subprocess.run([CONVERT, "-seed", "3", "-size", "61x37", "plasma:fractal", "-colors", "200", "-compress", "RLE",
                    "BMP3:magick_rle8.bmp"], check=True)
    for bits, compression in ((8, 1), (4, 2)):
        colours = 1 << bits
        for skips in (False, True):
            name = "rle%d%s.bmp" % (bits, "_skips" if skips else "")
            pictures[name] = bmp(53, 31, bits, compression, rle_rows(53, 31, bits == 4, rng, skips),
                                 palette(colours, rng))
    for name, bits, masks in (("fields565.bmp", 16, (0xF800, 0x07E0, 0x001F, 0)),
                              ("fields555.bmp", 16, (0x7C00, 0x03E0, 0x001F, 0)),
                              ("fields_abgr.bmp", 32, (0xFF, 0xFF00, 0xFF0000, 0xFF000000))):
        width, height = 29, 7
        row = b"".join(struct.pack("<H" if bits == 16 else "<I", rng.randrange(1 << bits)) for _ in range(width))
        rows = (row + bytes(-len(row) % 4)) * height
        pictures[name] = bmp(width, height, bits, 3, rows, masks=masks)
    for name, data in pictures.items():
        with open(name, "wb") as out:
            out.write(data)
    failed = 0
    for name in sorted(list(pictures) + ["magick_rle8.bmp"]):
        subprocess.run([os.path.join(programs, "logo_pixels"), "--pixel", "rgba", name, name + ".rgba"], check=True,
                       stdout=subprocess.DEVNULL)
        with open(name + ".rgba", "rb") as own_file:
            own = own_file.read()
        elsewhere = subprocess.run([CONVERT, name, "-depth", "8", "rgba:-"], check=True, capture_output=True).stdout
        drawn = [i for i in range(0, len(own), 4) if own[i + 3] != 0 or "skips" not in name]
        differ = [i // 4 for i in drawn if own[i:i + 4] != elsewhere[i:i + 4]]
        skipped = len(own) // 4 - len(drawn)
        print("%s: %d pixels, %d skipped, %d differ" % (name, len(own) // 4, skipped, len(differ)))
        if len(own) != len(elsewhere) or differ or (skipped != 0) != ("skips" in name):
            failed += 1
    return 1 if failed else 0


sys.exit(main())
