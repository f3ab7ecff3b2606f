#!/usr/bin/env python3
"""Writes the hand-made seeds of the bitmap corpus: a few sound bitmaps for the mutation
loop to start from, and the bad headers each of which once got past the converter or could."""
import struct, sys, os

def bmp(width, height, bpp, pixels, compression=0, info_size=40, offset=None, colours=0,
        palette=b"", size_image=0):
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bpp, compression,
                       size_image, 2835, 2835, colours, 0)
    info += b"\0" * max(0, info_size - len(info))
    if offset is None:
        offset = 14 + len(info) + len(palette)
    body = info + palette + pixels
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body

def rows(width, height, bpp, byte=0x5A):
    stride = (width * bpp + 31) // 32 * 4
    return bytes([byte]) * stride * height

grey = b"".join(bytes([i, i, i, 0]) for i in range(256))
seeds = {
    "ok-24bit.bmp": bmp(5, 3, 24, rows(5, 3, 24)),
    "ok-32bit-topdown.bmp": bmp(4, -4, 32, rows(4, 4, 32)),
    "ok-8bit-palette.bmp": bmp(6, 2, 8, rows(6, 2, 8, 7), colours=256, palette=grey),
    "ok-1bit.bmp": bmp(9, 3, 1, rows(9, 3, 1, 0xA5), colours=2, palette=grey[:8]),
    "ok-rle8.bmp": bmp(8, 2, 8, bytes([8, 1, 0, 0, 8, 2, 0, 1]), compression=1, colours=256,
                       palette=grey),
    "ok-core-header.bmp": b"BM" + struct.pack("<IHHI", 14 + 12 + 12, 0, 0, 26)
    + struct.pack("<IHHHH", 12, 2, 2, 1, 24) + rows(2, 2, 24),
    "cut-pixels.bmp": bmp(16, 16, 24, rows(16, 16, 24))[:54 + 16 * 48 // 2],
    "cut-header.bmp": bmp(4, 4, 24, rows(4, 4, 24))[:30],
    "bomb-16384-square.bmp": bmp(16384, 16384, 32, b"\0" * 64),
    "bomb-wide.bmp": bmp(0x7FFFFFFF, 1, 32, b"\0" * 64),
    "bomb-int-min-height.bmp": bmp(1, -0x80000000, 32, b"\0" * 64),
    "bomb-rle8.bmp": bmp(16000, 16000, 8, bytes([0, 1]) * 4, compression=1, colours=256,
                         palette=grey),
    "bomb-colours-used.bmp": bmp(2, 2, 8, rows(2, 2, 8), colours=0x7FFFFFFF, palette=grey),
    "zero-width.bmp": bmp(0, 4, 24, rows(1, 4, 24)),
    "depth-7.bmp": bmp(4, 4, 7, rows(4, 4, 8)),
    "offset-past-end.bmp": bmp(4, 4, 24, rows(4, 4, 24), offset=0x7FFFFFF0),
    "offset-inside-header.bmp": bmp(4, 4, 24, rows(4, 4, 24), offset=2),
    "info-size-huge.bmp": bmp(4, 4, 24, rows(4, 4, 24), info_size=40)[:14]
    + struct.pack("<I", 0xFFFFFFFF) + bmp(4, 4, 24, rows(4, 4, 24))[18:],
    "compression-jpeg.bmp": bmp(4, 4, 24, rows(4, 4, 24), compression=4),
    "bitfields-no-masks.bmp": bmp(4, 4, 16, rows(4, 4, 16), compression=3),
    "only-magic.bmp": b"BM",
    "empty.bmp": b"",
}
folder = os.path.dirname(os.path.abspath(sys.argv[0]))
for name, data in seeds.items():
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)
