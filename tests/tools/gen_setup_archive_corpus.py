#!/usr/bin/env python3
"""Writes the seed archives of fuzz/corpus/setup_archive (run from the source root)."""
import os
import struct

OUT = "fuzz/corpus/setup_archive"


def header(n):
    return struct.pack("<I", 1) + bytes(64) + struct.pack("<I", n)


def entry(name, data, times=(1600000000, 1600000100, 1600000200)):
    raw = name.encode() + b"\0"
    return struct.pack("<IIIII", len(data), *times, len(raw)) + raw + data


def write(name, content):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(content)


os.makedirs(OUT, exist_ok=True)
write("two_entries.bin", header(2) + entry("horavel.lang", b"LANG\n") + entry("help\\fr\\contents.html", b"<html/>"))
write("missing_entry.bin", header(3) + entry("a.txt", b"a") + struct.pack("<I", 0) + entry("b.txt", b"bb"))
write("truncated.bin", (header(1) + entry("a.txt", b"abcdef"))[:-3])
write("dotdot.bin", header(1) + entry("..\\..\\evil.txt", b"x"))
write("absolute.bin", header(1) + entry("/tmp/evil.txt", b"x"))
write("negative_time.bin", header(1) + entry("old.txt", b"x", (0xFFFFFFFF, 0x80000000, 0)))
write("huge_size.bin", header(1) + struct.pack("<IIIII", 0xFFFFFFF0, 0, 0, 0, 6) + b"a.txt\0")
write("long_name.bin", header(1) + struct.pack("<IIIII", 1, 0, 0, 0, 300) + b"a" * 299 + b"\0x")
write("count_too_big.bin", header(5) + entry("a.txt", b"a"))
write("header_only.bin", header(0))
