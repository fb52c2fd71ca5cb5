#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads pixels off the X screen, as a person would see them, from `xwd -root`.

    screen.py pixel X Y                    the colour at (X, Y): "R G B"
    screen.py span X Y W H RRGGBB TOL      the horizontal extent of the pixels within TOL (per
                                           channel) of the colour inside the rectangle:
                                           "first last count", or "none"
    screen.py box X Y W H RRGGBB TOL       the bounding box of those pixels: "x y w h count", or "none"
    screen.py save FILE.png X Y W H        the rectangle as a PNG picture, to look at
    screen.py grab FILE.ppm                the whole screen as a PPM picture, for a later comparison
    screen.py changed OTHER.ppm X Y W H    the bounding box of the pixels inside the rectangle that
                                           differ in the other picture: "x y w h", or "none"

With --ppm FILE before the command the pixels come from that picture (a Wayland compositor's
screenshot, `grim -t ppm`, or one taken by grab) instead of the X screen.
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


class Screen(Picture):
    """The X screen as `xwd -root` reads it, converted to packed RGB."""

    def __init__(self):
        data = subprocess.run(["xwd", "-root", "-silent"], check=True, capture_output=True).stdout
        fields = struct.unpack(">25I", data[:100])
        header_size, _, pixmap_format, depth, width, height = fields[:6]
        byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
        red_mask, green_mask, blue_mask = fields[14:17]
        ncolors = fields[19]
        if pixmap_format != 2 or bits_per_pixel not in (24, 32) or depth < 24:
            sys.exit(f"screen.py: cannot read a {depth}-bit screen ({bits_per_pixel} bits a pixel)")
        size = bits_per_pixel // 8
        self.width, self.height = width, height
        raw = data[header_size + 12 * ncolors:]
        rows = b"".join(raw[y * bytes_per_line:y * bytes_per_line + size * width] for y in range(height))
        rgb = bytearray(3 * width * height)
        for channel, mask in enumerate((red_mask, green_mask, blue_mask)):
            shift = (mask & -mask).bit_length() - 1
            if mask >> shift != 0xFF or shift % 8:
                sys.exit(f"screen.py: cannot read a screen with the colour mask {mask:#x}")
            offset = shift // 8 if byte_order == 0 else size - 1 - shift // 8
            rgb[channel::3] = rows[offset::size]
        self.pixels = bytes(rgb)


def near(a, b, tolerance):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def matches(picture, x0, y0, w, h, colour, tolerance):
    """The points of the rectangle whose colour lies within the tolerance of RRGGBB."""
    wanted = tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4))
    return [(x, y) for y in range(y0, y0 + h) for x in range(x0, x0 + w)
            if near(picture.color(x, y), wanted, tolerance)]


def changed(one, other, x0, y0, w, h):
    """The bounding box "x y w h" of the pixels of the rectangle that differ, or None."""
    if (one.width, one.height) != (other.width, other.height):
        sys.exit("screen.py: the pictures differ in size")
    x0, y0 = max(0, x0), max(0, y0)
    w, h = min(w, one.width - x0), min(h, one.height - y0)
    left, right, top, bottom = None, None, None, None
    for y in range(y0, y0 + h):
        start = 3 * (y * one.width + x0)
        a, b = one.pixels[start:start + 3 * w], other.pixels[start:start + 3 * w]
        if a == b:
            continue
        # The first and the last differing byte by halving: whole runs are compared at once.
        low, high = 0, len(a)
        while high - low > 1:
            middle = (low + high) // 2
            low, high = (middle, high) if a[:middle] == b[:middle] else (low, middle)
        first = low // 3
        low, high = 0, len(a)
        while high - low > 1:
            middle = (low + high) // 2
            low, high = (middle, high) if a[len(a) - middle:] == b[len(b) - middle:] else (low, middle)
        last = (len(a) - 1 - low) // 3
        left = first if left is None else min(left, first)
        right = last if right is None else max(right, last)
        top = y if top is None else top
        bottom = y
    if left is None:
        return None
    return x0 + left, top, right - left + 1, bottom - top + 1


def ppm(picture):
    return f"P6\n{picture.width} {picture.height}\n255\n".encode() + picture.pixels


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
        columns = [x for x, _ in matches(screen, x0, y0, w, h, args[4], int(args[5]))]
        print(f"{min(columns)} {max(columns)} {len(columns)}" if columns else "none")
    elif command == "box":
        x0, y0, w, h = map(int, args[:4])
        points = matches(screen, x0, y0, w, h, args[4], int(args[5]))
        xs, ys = [x for x, _ in points], [y for _, y in points]
        print(f"{min(xs)} {min(ys)} {max(xs) - min(xs) + 1} {max(ys) - min(ys) + 1} {len(points)}"
              if points else "none")
    elif command == "grab":
        with open(args[0], "wb") as out:
            out.write(ppm(screen))
    elif command == "changed":
        box = changed(screen, Picture(args[0]), *map(int, args[1:5]))
        print(*(box or ["none"]))
    elif command == "save":
        x0, y0, w, h = map(int, args[1:5])
        if x0 < 0 or y0 < 0 or x0 + w > screen.width or y0 + h > screen.height:
            sys.exit(f"screen.py: the rectangle leaves the {screen.width}x{screen.height} picture")
        rows = b"".join(b"\0" + screen.pixels[3 * (y * screen.width + x0):3 * (y * screen.width + x0 + w)]
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
