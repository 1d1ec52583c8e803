#!/usr/bin/env python3
"""Packs PNG pictures into a Windows icon file, each picture stored as PNG
(Windows Vista and later, and Wine, read such icons).

    make_icon.py OUT.ico PICTURE.png...
"""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"make_icon.py: {name} is not a PNG picture")
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    if width > 256 or height > 256:
        sys.exit(f"make_icon.py: {name} is larger than 256 x 256")
    # Bits a pixel: the icon directory wants them for the PNG's pixels.
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour, 4)
    return width, height, depth * channels


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: make_icon.py OUT.ico PICTURE.png...")
    pictures = []
    for name in sys.argv[2:]:
        with open(name, "rb") as f:
            data = f.read()
        pictures.append((png_size(data, name), data))
    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    directory = b""
    for (width, height, bits), data in pictures:
        # 256 is written as 0.
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits,
                                 len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(header + directory + b"".join(data for _, data in pictures))


if __name__ == "__main__":
    main()
