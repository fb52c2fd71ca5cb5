#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads pixels off the X screen, as a person would see them, from `xwd -root`.

    screen.py pixel X Y                    the colour at (X, Y): "R G B"
    screen.py span X Y W H RRGGBB TOL      the horizontal extent of the pixels within TOL (per
                                           channel) of the colour inside the rectangle:
                                           "first last count", or "none"
    screen.py save FILE.png X Y W H        the rectangle as a PNG picture, to look at

With --ppm FILE before the command the pixels come from that picture (a Wayland compositor's
screenshot, `grim -t ppm`) instead of the X screen.
"""
import subprocess
import struct
import sys
import zlib


class Picture:
    """A binary PPM (P6, 8 bits a channel)."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        fields, offset = [], 0
        while len(fields) < 4:
            while data[offset:offset + 1].isspace():
                offset += 1
            if data[offset:offset + 1] == b"#":
                offset = data.index(b"\n", offset)
                continue
            end = offset
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[offset:end])
            offset = end
        if fields[0] != b"P6" or fields[3] != b"255":
            sys.exit(f"screen.py: {path} is no 8-bit binary PPM")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[offset + 1:]

    def color(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            sys.exit(f"screen.py: ({x}, {y}) lies off the {self.width}x{self.height} picture")
        start = 3 * (y * self.width + x)
        return tuple(self.pixels[start:start + 3])


class Screen:
    def __init__(self):
        data = subprocess.run(["xwd", "-root", "-silent"], check=True, capture_output=True).stdout
        fields = struct.unpack(">25I", data[:100])
        header_size, _, pixmap_format, depth, width, height = fields[:6]
        byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
        red_mask, green_mask, blue_mask = fields[14:17]
        ncolors = fields[19]
        if pixmap_format != 2 or bits_per_pixel not in (24, 32) or depth < 24:
            sys.exit(f"screen.py: cannot read a {depth}-bit screen ({bits_per_pixel} bits a pixel)")
        self.bytes_per_pixel = bits_per_pixel // 8
        self.width, self.height = width, height
        self.stride = bytes_per_line
        self.pixels = data[header_size + 12 * ncolors:]
        self.order = "little" if byte_order == 0 else "big"
        self.shifts = [(mask, (mask & -mask).bit_length() - 1)
                       for mask in (red_mask, green_mask, blue_mask)]

    def color(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            sys.exit(f"screen.py: ({x}, {y}) lies off the {self.width}x{self.height} screen")
        start = y * self.stride + self.bytes_per_pixel * x
        value = int.from_bytes(self.pixels[start:start + self.bytes_per_pixel], self.order)
        return tuple((value & mask) >> shift for mask, shift in self.shifts)


def near(a, b, tolerance):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def main(argv):
    if len(argv) >= 3 and argv[1] == "--ppm":
        screen, argv = Picture(argv[2]), argv[2:]
    elif len(argv) >= 2:
        screen = Screen()
    if len(argv) < 2:
        sys.exit(__doc__)
    command, args = argv[1], argv[2:]
    if command == "pixel":
        x, y = map(int, args)
        print(*screen.color(x, y))
    elif command == "span":
        x0, y0, w, h = map(int, args[:4])
        wanted = tuple(int(args[4][i:i + 2], 16) for i in (0, 2, 4))
        tolerance = int(args[5])
        columns = [x for x in range(x0, x0 + w) for y in range(y0, y0 + h)
                   if near(screen.color(x, y), wanted, tolerance)]
        print(f"{min(columns)} {max(columns)} {len(columns)}" if columns else "none")
    elif command == "save":
        x0, y0, w, h = map(int, args[1:5])
        rows = b"".join(b"\0" + bytes(c for x in range(x0, x0 + w) for c in screen.color(x, y))
                        for y in range(y0, y0 + h))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body +
                    struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        with open(args[0], "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
                      chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
