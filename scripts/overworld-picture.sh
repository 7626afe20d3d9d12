#!/usr/bin/env bash
# Remakes docs/overworld.png, the README's picture of the demo world: writes the
# demo world, exports it with varnok-data and keeps every fourth pixel of the
# exported maps/overworld.png (4096x4096, one 16x16 tile per cell), so that each
# cell becomes 4x4 pixels. Look at the picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build -j2 --target varnok-data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/tools/varnok-data demo "$work/world" >/dev/null
build/tools/varnok-data export "$work/world" "$work/out" >/dev/null
/usr/bin/python3 - "$work/out/maps/overworld.png" docs/overworld.png <<'PY'
import struct, sys, zlib

def chunks(data):
    at = 8
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + size]
        at += 12 + size

def unfilter(rows, stride):
    out, previous = [], bytearray(stride)
    for kind, row in rows:
        row = bytearray(row)
        for i in range(stride):
            a = row[i - 1] if i else 0
            b, c = previous[i], previous[i - 1] if i else 0
            if kind == 1: row[i] = (row[i] + a) & 255
            elif kind == 2: row[i] = (row[i] + b) & 255
            elif kind == 3: row[i] = (row[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        out.append(row)
        previous = row
    return out

source, target = sys.argv[1], sys.argv[2]
data = open(source, "rb").read()
parts = list(chunks(data))
width, height, depth, colour = struct.unpack(">IIBB", parts[0][1][:10])
assert colour == 3 and depth in (1, 2, 4, 8), "a palette PNG is expected"
raw = zlib.decompress(b"".join(body for kind, body in parts if kind == b"IDAT"))
stride = (width * depth + 7) // 8
rows = unfilter([(raw[y * (stride + 1)], raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
                 for y in range(height)], stride)
per = 8 // depth
def pixel(row, x):
    return (row[x // per] >> (8 - depth * (x % per + 1))) & ((1 << depth) - 1)
small = bytearray()
for y in range(0, height, 4):
    small.append(0)
    line = [pixel(rows[y], x) for x in range(0, width, 4)]
    for x in range(0, len(line), per):
        byte = 0
        for j, v in enumerate(line[x:x + per]):
            byte |= v << (8 - depth * (j + 1))
        small.append(byte)
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
header = struct.pack(">IIBBBBB", width // 4, height // 4, depth, 3, 0, 0, 0)
palette = dict(parts)[b"PLTE"]
with open(target, "wb") as f:
    f.write(data[:8] + chunk(b"IHDR", header) + chunk(b"PLTE", palette) +
            chunk(b"IDAT", zlib.compress(bytes(small), 9)) + chunk(b"IEND", b""))
PY
echo "docs/overworld.png: $(stat -c %s docs/overworld.png) bytes"
