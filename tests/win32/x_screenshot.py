#!/usr/bin/env python3
"""Writes the X display's screen (or a part of it) as a PNG picture, with
nothing but libX11 and Python's own modules:

    x_screenshot.py OUT.png [X Y WIDTH HEIGHT]

The display is $DISPLAY; the screen must be 24 or 32 bits deep.
"""
import ctypes
import ctypes.util
import os
import struct
import sys
import zlib


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main():
    if len(sys.argv) not in (2, 6):
        sys.exit("usage: x_screenshot.py OUT.png [X Y WIDTH HEIGHT]")
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XDisplayWidth.argtypes = x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    display = x11.XOpenDisplay(os.environ.get("DISPLAY", "").encode())
    if not display:
        sys.exit("x_screenshot.py: cannot open the display")
    if len(sys.argv) == 6:
        left, top, width, height = (int(v) for v in sys.argv[2:])
    else:
        left, top = 0, 0
        width, height = x11.XDisplayWidth(display, 0), x11.XDisplayHeight(display, 0)
    all_planes, z_pixmap = 0xFFFFFFFF, 2
    image = x11.XGetImage(display, x11.XDefaultRootWindow(display), left, top, width, height,
                          all_planes, z_pixmap).contents
    if image.bits_per_pixel != 32:
        sys.exit("x_screenshot.py: the screen is not 24 or 32 bits deep")
    raw = ctypes.string_at(image.data, image.bytes_per_line * height)
    rows = []
    for y in range(height):
        line = raw[y * image.bytes_per_line:y * image.bytes_per_line + 4 * width]
        # BGRX to RGB.
        rgb = bytearray(3 * width)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
        rows.append(b"\0" + bytes(rgb))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 6)) + chunk(b"IEND", b"")
    with open(sys.argv[1], "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main()
