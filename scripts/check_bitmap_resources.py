#!/usr/bin/python3
"""Checks that a built kadrimos.gau holds, as BITMAP resources, every bitmap
that an element of the module names (and, for a moving image, the image one
number on from its window), each an 8-bit palette bitmap.

    check_bitmap_resources.py kadrimos.gau RECORDS

RECORDS is what `catalogue --records` prints for the Linux build of the same
sources. The DLL is read as a file, through its resource directory, so that
the check runs where no 32-bit Windows program can (the test under Wine
checks the same through the simulator's own resource calls where one can).
"""
import re
import struct
import sys

RT_BITMAP = 2


def fail(message):
    sys.exit(f"check_bitmap_resources: {message}")


def named_bitmaps(records_path):
    ids = set()
    with open(records_path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"\s+element \S+: kind (\d) bitmap (\d+) ", line)
            if not m or m.group(1) == "2":
                continue
            ids.add(int(m.group(2)))
            if m.group(1) in ("5", "6"):  # moving image and sprite: window, then image
                ids.add(int(m.group(2)) + 1)
    return ids


def bitmap_resources(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"MZ":
        fail(f"{path} is not a Windows module")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        fail(f"{path} has no PE header")
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size

    def offset_of(rva):
        for i in range(sections):
            s = table + 40 * i
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, s + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        fail(f"{path}: address 0x{rva:X} is in no section")

    base = offset_of(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + numbered):
            ident, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            yield ident, target

    found = {}
    for kind, kind_dir in entries(0):
        if kind != RT_BITMAP or not kind_dir & 0x80000000:
            continue
        for ident, name_dir in entries(kind_dir & 0x7FFFFFFF):
            for _, leaf in entries(name_dir & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, base + leaf)
                found[ident] = data[offset_of(rva):offset_of(rva) + size]
    return found


def main():
    if len(sys.argv) != 3:
        fail("usage: check_bitmap_resources.py kadrimos.gau RECORDS")
    gau, records = sys.argv[1], sys.argv[2]
    wanted = named_bitmaps(records)
    found = bitmap_resources(gau)
    missing = sorted(wanted - set(found))
    if missing:
        fail(f"{gau} lacks {len(missing)} bitmaps: {missing[:20]}")
    for ident in sorted(wanted):
        header = found[ident]
        if len(header) < 40:
            fail(f"bitmap {ident} is {len(header)} bytes")
        bits, compression = struct.unpack_from("<HI", header, 14)
        if bits != 8 or compression != 0:
            fail(f"bitmap {ident}: {bits} bits a pixel, compression {compression}")
    print(f"check_bitmap_resources: {gau}: all {len(wanted)} element bitmaps are 8-bit BITMAP resources "
          f"({len(found)} in all)")


if __name__ == "__main__":
    main()
