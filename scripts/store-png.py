#!/usr/bin/env python3
"""Rewrites PNG files with their pixels stored, not compressed: every row unfiltered and the
image data in zlib's stored blocks, every other chunk kept as it is. Decoding such a file is a
copy, so the pictures the main window shows at start cost it no inflating: resources/CMakeLists.txt
names them, and its `pictures` target stores them again after painting. The pixels, palette and
transparency stay exactly the same.

Usage: scripts/store-png.py FILE.png...    (rewrites each file in place)
       scripts/store-png.py --check FILE.png...    (fails if one is not stored)
"""
import os
import struct
import sys
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def chunks(data):
    if not data.startswith(SIGNATURE):
        raise ValueError("not a PNG file")
    at = len(SIGNATURE)
    while at < len(data):
        (length,) = struct.unpack(">I", data[at : at + 4])
        kind = data[at + 4 : at + 8]
        yield kind, data[at + 8 : at + 8 + length]
        at += 12 + length


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def rows(header, raw):
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", header)
    if interlace:
        raise ValueError("interlaced pictures are not supported")
    bits = CHANNELS[colour] * depth
    stride, step = (width * bits + 7) // 8, max(1, bits // 8)
    previous = bytearray(stride)
    for y in range(height):
        line = raw[y * (stride + 1) : (y + 1) * (stride + 1)]
        kind, row = line[0], bytearray(line[1:])
        for x in range(stride):
            a = row[x - step] if x >= step else 0
            b = previous[x]
            c = previous[x - step] if x >= step else 0
            if kind == 1:
                row[x] = (row[x] + a) & 0xFF
            elif kind == 2:
                row[x] = (row[x] + b) & 0xFF
            elif kind == 3:
                row[x] = (row[x] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
            elif kind != 0:
                raise ValueError(f"unknown filter {kind} in row {y}")
        yield bytes(row)
        previous = row


def stored(data):
    parts = list(chunks(data))
    header = next(body for kind, body in parts if kind == b"IHDR")
    raw = zlib.decompress(b"".join(body for kind, body in parts if kind == b"IDAT"))
    pixels = b"".join(b"\0" + row for row in rows(header, raw))
    out, written = [SIGNATURE], False
    for kind, body in parts:
        if kind != b"IDAT":
            out.append(chunk(kind, body))
        elif not written:
            out.append(chunk(b"IDAT", zlib.compress(pixels, 0)))
            written = True
    return b"".join(out)


def main(args):
    check = args[:1] == ["--check"]
    files = args[1:] if check else args
    if not files:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    failed = 0
    for name in files:
        with open(name, "rb") as f:
            data = f.read()
        try:
            result = stored(data)
        except (ValueError, zlib.error, StopIteration) as error:
            print(f"{name}: {error}", file=sys.stderr)
            failed = 1
            continue
        if check:
            if result != data:
                print(f"{name}: not stored (scripts/store-png.py rewrites it)", file=sys.stderr)
                failed = 1
        elif result != data:
            with open(name + ".tmp", "wb") as f:
                f.write(result)
            os.replace(name + ".tmp", name)
    return failed


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
