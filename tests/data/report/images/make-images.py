#!/usr/bin/env python3
"""Writes the small GIF and JPEG pictures the report tests read. Run once in this folder; the JPEG
pictures need "cjpeg" (libjpeg-turbo-progs)."""
import subprocess
import struct


def lzw_literal(indices, min_code_size):
    """Codes every pixel as a literal, with a clear code often enough that the code width never grows."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    width = min_code_size + 1
    codes = [clear]
    for i, index in enumerate(indices):
        if i and i % ((1 << min_code_size) - 2) == 0:
            codes.append(clear)
        codes.append(index)
    codes.append(end)
    bits, count, out = 0, 0, bytearray()
    for code in codes:
        bits |= code << count
        count += width
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        out.append(bits & 0xFF)
    blocks = bytearray()
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes([min_code_size]) + bytes(blocks) + b"\0"


def colour_table(colours):
    size = 2
    while size < len(colours):
        size *= 2
    padded = colours + [(0, 0, 0)] * (size - len(colours))
    return bytes(c for rgb in padded for c in rgb), size.bit_length() - 2


def gif(path, screen, frame, rows, colours, local=False, interlace=False, background=0):
    table, bits = colour_table(colours)
    flags = 0 if local else 0x80 | bits
    out = b"GIF89a" + struct.pack("<HHBBB", screen[0], screen[1], flags, background, 0)
    if not local:
        out += table
    # a graphic control extension, as most GIFs carry one
    out += b"\x21\xF9\x04\x00\x00\x00\x00\x00"
    order = list(range(len(rows)))
    if interlace:
        order = [r for start, step in ((0, 8), (4, 8), (2, 4), (1, 2)) for r in range(start, len(rows), step)]
    image_flags = (0x80 | bits if local else 0) | (0x40 if interlace else 0)
    out += b"," + struct.pack("<HHHHB", frame[0], frame[1], len(rows[0]), len(rows), image_flags)
    if local:
        out += table
    out += lzw_literal([p for r in order for p in rows[r]], max(2, bits + 1))
    out += b";"
    open(path, "wb").write(out)


red, green, blue, white = (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)
gif("plain.gif", (3, 2), (0, 0), [[0, 1, 2], [2, 1, 0]], [red, green, blue])
gif("interlaced.gif", (2, 10), (0, 0), [[r % 4, r % 4] for r in range(10)], [red, green, blue, white],
    interlace=True)
gif("local-map-offset.gif", (4, 4), (1, 2), [[1, 0]], [white, blue], local=True, background=0)

# cjpeg reads binary PPM (colour) and PGM (grey) pictures from its standard input.
ppm = b"P6 16 8 255\n" + bytes([0x30, 0x80, 0xC0]) * 16 * 8
subprocess.run(["cjpeg", "-outfile", "logo-rgb.jpg"], input=ppm, check=True)
pgm = b"P5 8 4 255\n" + bytes([128]) * 8 * 4
subprocess.run(["cjpeg", "-outfile", "gray.jpg"], input=pgm, check=True)


def png(path, width, height, colour_type, rows, palette=None):
    """A PNG with one IDAT chunk, filter type 0 on every row."""
    import zlib

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + bytes(row) for row in rows)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
    if palette:
        out += chunk(b"PLTE", bytes(c for rgb in palette for c in rgb))
    out += chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")
    open(path, "wb").write(out)


# RGBA: red, green, a fully transparent pixel (white on paper); then blue, half-transparent black, white.
png("rgba.png", 3, 2, 6, [[255, 0, 0, 255, 0, 255, 0, 255, 9, 9, 9, 0], [0, 0, 255, 255, 0, 0, 0, 128, 255, 255, 255, 255]])
png("palette.png", 2, 1, 3, [[1, 0]], palette=[blue, red])
