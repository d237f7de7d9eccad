#!/usr/bin/python3
"""Lays out the simulated host's panel configuration from the gauges' art.

Each gauge keeps its place in its window's serving order and its width (its
default width, as the simulator places it); its height follows from its
background bitmap, so that the picture shows it unstretched. The gauges of a
window are then set in rows, left to right, a row wrapping before it would
grow wider than the window's width, with a few pixels between gauges. A gauge
as wide as a row is an overlay of the whole window (the instrument lighting):
it is placed at 0, 0, as high as the rows of the others, and served last in
its window, so that it is drawn over them. Comments, window sections and their
settings are kept as they are.

    layout_panel.py --records RECORDS --art DIR --panel host/data/panel.cfg

RECORDS is the output of `catalogue --records` for the module; DIR holds the
bitmaps (<id>.bmp). The file is rewritten only if the layout changes.
"""
import argparse
import re
import struct
import sys

ROW_WIDTH = 1280  # the widest window the crew sees at once
GAP = 4


def background_ids(records_path):
    ids = {}
    gauge = None
    with open(records_path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r'gauge "(.*)": ', line)
            if m:
                gauge = m.group(1)
                continue
            m = re.match(r"  element 0: kind 0 bitmap (\d+) ", line)
            if m and gauge is not None:
                ids[gauge] = int(m.group(1))
    return ids


def bitmap_size(path):
    with open(path, "rb") as f:
        header = f.read(26)
    if len(header) < 26 or header[:2] != b"BM":
        raise ValueError(f"{path} is not a bitmap")
    width, height = struct.unpack_from("<ii", header, 18)
    return width, abs(height)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--records", required=True)
    parser.add_argument("--art", required=True)
    parser.add_argument("--panel", required=True)
    args = parser.parse_args()

    ids = background_ids(args.records)
    with open(args.panel, encoding="utf-8") as f:
        lines = f.read().split("\n")

    gauge_line = re.compile(r"^(gauge\d+=)([^,]+!)([^,]+), *(-?\d+), *(-?\d+), *(\d+), *(\d+)\s*$")
    out = []
    section = []  # the current window's lines: text, or a gauge to place

    def lay_out_window():
        x = y = row_height = bottom = 0
        for g in section:
            if isinstance(g, str) or g["overlay"]:
                continue
            width = g["width"]
            height = max(1, round(width * g["aspect"]))
            if x > 0 and x + width > ROW_WIDTH:
                x, y, row_height = 0, y + row_height + GAP, 0
            g["place"] = (x, y, width, height)
            x += width + GAP
            row_height = max(row_height, height)
            bottom = max(bottom, y + height)
        gauges = [g for g in section if not isinstance(g, str)]
        overlays = [g for g in gauges if g["overlay"]]
        for g in overlays:
            g["place"] = (0, 0, ROW_WIDTH, max(bottom, round(ROW_WIDTH * g["aspect"])))
        last = max((i for i, g in enumerate(section) if not isinstance(g, str)), default=-1)
        number = 0
        for i, g in enumerate(section):
            if isinstance(g, str):
                out.append(g)
                continue
            placed = [] if g["overlay"] else [g]
            if i == last:
                placed += overlays
            for p in placed:
                out.append(f"gauge{number:02d}={p['module']}{p['name']}, " + ", ".join(map(str, p["place"])))
                number += 1
        section.clear()

    for line in lines:
        if line.startswith("["):
            lay_out_window()
            out.append(line)
            continue
        m = gauge_line.match(line)
        if not m:
            section.append(line)
            continue
        name, width = m.group(3).strip(), int(m.group(6))
        if name not in ids:
            sys.exit(f"layout_panel: {args.panel}: no gauge {name!r} in the records")
        bw, bh = bitmap_size(f"{args.art}/{ids[name]}.bmp")
        section.append({"module": m.group(2), "name": name, "width": width, "aspect": bh / bw,
                        "overlay": width >= ROW_WIDTH})
    lay_out_window()

    text = "\n".join(out)
    with open(args.panel, encoding="utf-8") as f:
        if f.read() == text:
            return
    with open(args.panel, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
