#!/usr/bin/env python3
"""Draws resources/icons/morvela-{32,64,128}.png from the program icon resources/Morvela.xpm.

The 32 x 32 icon is the XPM pixel for pixel; the larger ones enlarge it by whole pixels so
the design stays crisp. Run it again whenever Morvela.xpm changes.
"""
import pathlib
import re
import struct
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent


def read_xpm(path):
    rows = re.findall(r'"([^"]*)"', path.read_text())
    width, height, colours, chars = map(int, rows[0].split()[:4])
    palette = {}
    for entry in rows[1:1 + colours]:
        key, value = entry[:chars], entry[chars:].split()[-1]
        palette[key] = (0, 0, 0, 0) if value.lower() == "none" else (
            int(value[1:3], 16), int(value[3:5], 16), int(value[5:7], 16), 255)
    pixels = [[palette[row[x * chars:(x + 1) * chars]] for x in range(width)]
              for row in rows[1 + colours:1 + colours + height]]
    return pixels


def write_png(path, pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in pixels)
    path.write_bytes(b"\x89PNG\r\n\x1a\n"
                     + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
                     + chunk(b"IDAT", zlib.compress(raw, 9))
                     + chunk(b"IEND", b""))


def main():
    design = read_xpm(ROOT / "resources" / "Morvela.xpm")
    for scale in (1, 2, 4):
        enlarged = [[pixel for pixel in row for _ in range(scale)]
                    for row in design for _ in range(scale)]
        size = len(design) * scale
        write_png(ROOT / "resources" / "icons" / f"morvela-{size}.png", enlarged)


if __name__ == "__main__":
    main()
