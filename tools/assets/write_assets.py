#!/usr/bin/env python3
"""Writes the window's pictures in their exact file formats from PNG renders.

    write_assets.py bmp  IN.png OUT.bmp            24-bit bottom-up bitmap
    write_assets.py ico  IN32.png IN48.png OUT.ico  32x32 4-bit + 48x48 8-bit icon
    write_assets.py png  IN.png BITS OUT.png       the icon's image of BITS (4 or 8) as PNG

Only the standard library: the PNG reader handles what rsvg-convert writes
(8-bit RGB or RGBA, not interlaced). Alpha is flattened onto black, so every
pixel is opaque and the icon's masks stay empty.
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, (path, depth, colour)
            channels = 4 if colour == 6 else 3
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up, upleft = prev[i], prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - upleft
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upleft)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else upleft
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    pixels = []
    for line in rows:
        row = []
        for x in range(width):
            r, g, b = line[x * channels:x * channels + 3]
            a = line[x * channels + 3] if channels == 4 else 255
            row.append((r * a // 255, g * a // 255, b * a // 255))
        pixels.append(row)
    return width, height, pixels


def info_header(width, height, bits, image_size, pixels_per_metre=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       pixels_per_metre, pixels_per_metre, 0, 0)


def write_bmp(png, out):
    width, height, pixels = read_png(png)
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = info_header(width, height, 24, len(body), 3780)  # 96 dpi
    open(out, "wb").write(b"BM" + struct.pack("<IHHI", 54 + len(body), 0, 0, 54) + header + body)


# The 16 colours of the standard palette, and a 256-colour palette made of
# them, a 6x6x6 cube and a ramp of greys.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
PALETTE256 = (VGA16 + [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
              + [(8 + i * 10, 8 + i * 10, 8 + i * 10) for i in range(24)])


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def icon_image(png, bits, palette):
    width, height, pixels = read_png(png)
    per_byte = 8 // bits
    stride = ((width * bits + 31) // 32) * 4
    mask_stride = ((width + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, colour in enumerate(row):
            index = nearest(colour, palette)
            shift = (per_byte - 1 - x % per_byte) * bits
            line[x // per_byte] |= index << shift
        xor += line
    mask = bytes(mask_stride * height)  # all opaque
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    image = info_header(width, height * 2, bits, len(xor) + len(mask)) + table + xor + mask
    return width, height, len(palette), image


def write_ico(png32, png48, out):
    images = [icon_image(png32, 4, VGA16), icon_image(png48, 8, PALETTE256)]
    offset = 6 + 16 * len(images)
    directory, bodies = b"", b""
    for width, height, colours, image in images:
        directory += struct.pack("<BBBBHHII", width, height, colours if colours < 256 else 0, 0,
                                 1, 4 if colours == 16 else 8, len(image), offset + len(bodies))
        bodies += image
    open(out, "wb").write(struct.pack("<HHH", 0, 1, len(images)) + directory + bodies)


def write_png(width, height, pixels, out):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in pixels)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    open(out, "wb").write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                          + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_icon_png(png, bits, out):
    """The icon's own image, in its palette's colours, for a desktop's icon theme."""
    palette = VGA16 if bits == 4 else PALETTE256
    width, height, pixels = read_png(png)
    write_png(width, height, [[palette[nearest(c, palette)] for c in row] for row in pixels], out)


if __name__ == "__main__":
    if sys.argv[1] == "bmp":
        write_bmp(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "ico":
        write_ico(sys.argv[2], sys.argv[3], sys.argv[4])
    elif sys.argv[1] == "png":
        write_icon_png(sys.argv[2], int(sys.argv[3]), sys.argv[4])
    else:
        sys.exit("usage: write_assets.py bmp IN OUT | ico IN32 IN48 OUT | png IN BITS OUT")
