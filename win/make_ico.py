#!/usr/bin/env python3
# make_ico.py: packs the program icon's PNGs into one Windows icon file, every size as it is
# (PNG images inside an icon are read by Windows since Vista).
#   make_ico.py OUT.ico IMAGE.png...
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("not a PNG image")
    return struct.unpack(">II", data[16:24])


def main():
    out, images = sys.argv[1], [open(path, "rb").read() for path in sys.argv[2:]]
    if not images:
        raise SystemExit("usage: make_ico.py OUT.ico IMAGE.png...")
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b"", b""
    for data in images:
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise SystemExit("an icon image is at most 256 pixels square")
        # 0 stands for 256; planes 1, 32 bits a pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset + len(blobs))
        blobs += data
    with open(out, "wb") as f:
        f.write(header + entries + blobs)


if __name__ == "__main__":
    main()
