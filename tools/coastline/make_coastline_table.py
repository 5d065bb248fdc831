#!/usr/bin/env python3
"""Writes host/views/instruments/world_coastline.cpp: the world map's outline as 164 polylines.

Usage: make_coastline_table.py [PACKAGE_DIR] > host/views/instruments/world_coastline.cpp
PACKAGE_DIR defaults to /usr/lib/R/site-library/rnaturalearthdata (Debian package
r-cran-rnaturalearthdata, CC0; its data are Natural Earth's, in the public domain). Only the
package's files are read, not R: its data/Rdata.rdx and Rdata.rdb form R's lazy-load database,
whose object "coastline50" (Natural Earth's 1:50 million coastline, an sp SpatialLinesDataFrame)
this script unserializes itself. The package need not be installed:
`apt-get download r-cran-rnaturalearthdata && dpkg-deb -x r-cran-rnaturalearthdata_*.deb DIR`
and pass DIR/usr/lib/R/site-library/rnaturalearthdata. The build does not run this script; its
output is kept in the tree.

Each line is simplified (Douglas-Peucker, 15 minutes of arc), lines of fewer than 3 points after
that are dropped, lines are cut into pieces of at most 255 points (a point count is one byte), and
then the shortest are dropped (or, were there too few, the longest halved) until exactly 164 remain. Points are whole
minutes of arc, longitude then latitude.
"""
import bz2
import gzip
import lzma
import math
import os
import struct
import sys
import zlib

LINE_COUNT = 164
MAX_POINTS = 255
TOLERANCE_MINUTES = 15.0


class Reader:
    """R's XDR serialization, as far as data objects need it."""

    def __init__(self, data):
        self.data, self.at, self.refs = data, 0, []

    def int(self):
        (value,) = struct.unpack_from(">i", self.data, self.at)
        self.at += 4
        return value

    def length(self):
        n = self.int()
        if n == -1:
            high, low = self.int(), self.int()
            n = (high << 32) + low
        return n

    def doubles(self, n):
        values = struct.unpack_from(">%dd" % n, self.data, self.at)
        self.at += 8 * n
        return list(values)

    def bytes(self, n):
        value = self.data[self.at:self.at + n]
        self.at += n
        return value

    def header(self):
        assert self.bytes(2) == b"X\n", "not an XDR serialization"
        version = self.int()
        self.int(), self.int()
        if version == 3:
            self.bytes(self.int())

    def item(self):
        flags = self.int()
        kind, has_attr, has_tag = flags & 0xFF, flags & (1 << 9), flags & (1 << 10)
        if kind == 255:  # reference
            index = flags >> 8 or self.int()
            return self.refs[index - 1]
        if kind in (254, 253, 252, 251, 250, 242, 241):  # nil and the fixed environments
            return None
        if kind in (247, 248, 249):  # persistent, package and namespace names
            self.int()
            value = ("persist", [self.item() for _ in range(self.int())])
            self.refs.append(value)
            return value
        if kind == 1:  # symbol
            value = ("symbol", self.item())
            self.refs.append(value)
            return value
        if kind in (2, 3, 5, 6, 17, 239, 240):  # pairlist-like
            attributes = self.item() if has_attr else None
            tag = self.item() if has_tag else None
            head = self.item()
            tail = self.item()
            pairs = [(tag, head)] + (tail.pairs if isinstance(tail, PairList) else [])
            return PairList(pairs, attributes)
        if kind == 4:  # environment
            value = {}
            self.refs.append(value)
            self.int()
            for _ in range(4):
                self.item()
            return value
        if kind == 9:  # string
            n = self.int()
            return None if n == -1 else self.bytes(n).decode("utf-8", "replace")
        if kind in (10, 13):
            n = self.length()
            value = list(struct.unpack_from(">%di" % n, self.data, self.at))
            self.at += 4 * n
        elif kind == 14:
            value = self.doubles(self.length())
        elif kind == 15:
            value = self.doubles(2 * self.length())
        elif kind in (16, 19, 20):
            value = [self.item() for _ in range(self.length())]
        elif kind == 24:
            value = self.bytes(self.length())
        elif kind == 25:  # S4 object: only attributes
            value = None
        elif kind == 238:  # ALTREP: class info, state, attributes
            info, state, attributes = self.item(), self.item(), self.item()
            return Obj(expand_altrep(info, state), attributes)
        else:
            raise ValueError("unsupported R type %d at byte %d" % (kind, self.at))
        return Obj(value, self.item() if has_attr else None)


class PairList:
    def __init__(self, pairs, attributes):
        self.pairs, self.attributes = pairs, attributes

    def get(self, name):
        for tag, value in self.pairs:
            if tag and tag[1] == name:
                return value
        return None


class Obj:
    def __init__(self, value, attributes):
        self.value, self.attributes = value, attributes

    def attr(self, name):
        return self.attributes.get(name) if self.attributes else None


def expand_altrep(info, state):
    name = info.pairs[0][1][1]
    if name == "compact_intseq":
        n, start, step = state.value
        return [int(start + step * i) for i in range(int(n))]
    if name in ("wrap_real", "wrap_integer", "wrap_string", "wrap_list"):
        return state.pairs[0][1].value
    raise ValueError("unsupported ALTREP class " + name)


def unserialize(data):
    reader = Reader(data)
    reader.header()
    return reader.item()


def decompress(chunk):
    """A chunk of a lazy-load database: its length, a method byte and the compressed data."""
    method, data = chunk[4:5], chunk[5:]
    if method == b"Z":
        return lzma.decompress(data, lzma.FORMAT_RAW, filters=[{"id": lzma.FILTER_LZMA2, "preset": 9}])
    if method == b"2":
        return bz2.decompress(data)
    if method == b"0":
        return data
    return zlib.decompress(chunk[4:])


def lazy_load(folder, name):
    with open(os.path.join(folder, "data", "Rdata.rdx"), "rb") as f:
        index = unserialize(gzip.decompress(f.read()))
    names = index.attr("names").value
    variables = index.value[names.index("variables")]
    offset, length = variables.value[variables.attr("names").value.index(name)].value
    with open(os.path.join(folder, "data", "Rdata.rdb"), "rb") as f:
        f.seek(offset)
        chunk = f.read(length)
    return unserialize(decompress(chunk))


def coastlines(folder):
    frame = lazy_load(folder, "coastline50")
    for lines in frame.attr("lines").value:
        for line in lines.attr("Lines").value:
            coords = line.attr("coords").value
            n = len(coords) // 2
            yield [(coords[i] * 60.0, coords[n + i] * 60.0) for i in range(n)]


def distance_to_segment(p, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    span = dx * dx + dy * dy
    t = 0.0 if span == 0 else max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / span))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy)


def simplify(points):
    keep = [False] * len(points)
    keep[0] = keep[-1] = True
    stack = [(0, len(points) - 1)]
    while stack:
        first, last = stack.pop()
        far, farthest = 0.0, None
        for i in range(first + 1, last):
            d = distance_to_segment(points[i], points[first], points[last])
            if d > far:
                far, farthest = d, i
        if farthest is not None and far > TOLERANCE_MINUTES:
            keep[farthest] = True
            stack += [(first, farthest), (farthest, last)]
    return [p for p, kept in zip(points, keep) if kept]


def length_of(line):
    return sum(math.hypot(b[0] - a[0], b[1] - a[1]) for a, b in zip(line, line[1:]))


def pieces(line):
    while len(line) > MAX_POINTS:
        yield line[:MAX_POINTS]
        line = line[MAX_POINTS - 1:]
    yield line


def halve(line):
    middle = len(line) // 2
    return line[:middle + 1], line[middle:]


def reduced(lines):
    result = []
    for line in lines:
        simple = [(round(x), round(y)) for x, y in simplify(line)]
        if len(simple) >= 3:
            result += pieces(simple)
    result.sort(key=length_of, reverse=True)
    del result[LINE_COUNT:]
    while len(result) < LINE_COUNT:
        longest = max(range(len(result)), key=lambda i: len(result[i]))
        result[longest:longest + 1] = halve(result[longest])
    return result


HEADER = """\
// Generated by tools/coastline/make_coastline_table.py from Natural Earth's 1:50 million coastline
// (public domain), as shipped in the Debian package r-cran-rnaturalearthdata (CC0): each line
// simplified to within 15 minutes of arc and cut or dropped to 164 polylines.
#include "world_coastline.h"

#include <iterator>

"""


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "/usr/lib/R/site-library/rnaturalearthdata"
    lines = reduced(list(coastlines(folder)))
    out = sys.stdout
    out.write(HEADER)
    out.write("const uint8_t kCoastlinePointCounts[kCoastlineCount] = {\n")
    counts = ["%d" % len(line) for line in lines]
    for i in range(0, len(counts), 20):
        out.write("    " + ", ".join(counts[i:i + 20]) + ",\n")
    out.write("};\n\n")
    total = sum(len(line) for line in lines)
    out.write("const int16_t kCoastlinePoints[][2] = {\n")
    points = ["{%d, %d}" % p for line in lines for p in line]
    for i in range(0, len(points), 8):
        out.write("    " + ", ".join(points[i:i + 8]) + ",\n")
    out.write("};\n\n")
    out.write("const size_t kCoastlinePointTotal = std::size(kCoastlinePoints);\n")
    sys.stderr.write("%d polylines, %d points\n" % (len(lines), total))


if __name__ == "__main__":
    main()
