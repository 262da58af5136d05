#!/usr/bin/env python3
"""Writes the program's .ico file from the pixel maps kAppIcon32 and kAppIcon16 and the
palette kPalette in wingui/ImageMaps.h.

Usage: make_icon.py ImageMaps.h out.ico
"""
import re
import struct
import sys


def read_maps(source):
    palette = {}
    block = re.search(r"kPalette\[\]\s*=\s*\{(.*?)\n\};", source, re.S)
    if not block:
        sys.exit("make_icon: kPalette not found")
    for key, argb in re.findall(r"\{'(.)',\s*0x([0-9A-Fa-f]{8})u?\}", block.group(1)):
        palette[key] = int(argb, 16)
    pictures = {}
    for name in ("kAppIcon32", "kAppIcon16"):
        block = re.search(name + r"\[\]\s*=\s*\{(.*?)\};", source, re.S)
        if not block:
            sys.exit(f"make_icon: {name} not found")
        rows = re.findall(r'"([^"]*)"', block.group(1))
        size = len(rows)
        for y, row in enumerate(rows):
            if len(row) != size:
                sys.exit(f"make_icon: {name} row {y} is {len(row)} wide instead of {size}")
            for c in row:
                if c not in palette:
                    sys.exit(f"make_icon: {name} row {y} has '{c}', which is not in the palette")
        pictures[size] = [[palette[c] for c in row] for row in rows]
    return pictures


def icon_image(rows):
    """A 32-bit BMP image as an .ico entry holds it: header with double height, BGRA rows
    bottom-up, then the AND mask (set bits transparent), rows padded to 32 bits."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rows):
        for argb in row:
            colour += struct.pack("<I", argb if argb >> 24 else 0)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, argb in enumerate(row):
            if (argb >> 24) < 0x80:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + mask


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        pictures = read_maps(f.read())
    sizes = sorted(pictures, reverse=True)
    images = [icon_image(pictures[s]) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(sys.argv[2], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
