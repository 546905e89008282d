#!/usr/bin/python3
"""Packs PNG images into a Windows .ico, each image stored as PNG.

usage: makeico.py OUTPUT.ico IMAGE.png...
"""

import struct
import sys


def main(output, images):
    entries = []
    for path in images:
        with open(path, "rb") as f:
            data = f.read()
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            sys.exit(f"makeico: {path} is no PNG")
        width, height = struct.unpack(">II", data[16:24])
        entries.append((width, height, data))
    header = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(header) + 16 * len(entries)
    directory = b""
    for width, height, data in entries:
        # 256 is written as 0, as the format has it.
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(output, "wb") as f:
        f.write(header + directory + b"".join(data for _, _, data in entries))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
