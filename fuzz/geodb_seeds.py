#!/usr/bin/env python3
"""Writes the seed inputs of the database fuzz target (fuzz_geodb_open) to
fuzz/corpus/geodb_open/: database file sets in every state the target should
reach, built byte by byte from the documented file layouts.

Input format of the target: a 16-bit mask of the files present, eleven
16-bit lengths, then the files' contents one after another."""
import os
import struct
import sys
import zlib

FILES = [".orvgds", ".orvgdd", ".orvgi0", ".orvgi1", ".orvgi2", ".orvgi3", ".orvgi4",
         ".orvgds~new", ".orvgdd~new", ".orvgswap", ".orvgjournal"]


def entry(item_id, name, kind, offset=-1, count=0, box=(0, 0, 0, 0), closed=0, tag=0):
    raw = name.encode("cp1252")[:59]
    return struct.pack("<iB59sfB3xiidi4fB3xiB3x", item_id, len(raw), raw.ljust(59, b" "), 0.0,
                       1, tag, offset, 45000.5, 0, *box, kind, count, closed)


def header(highest, description=b"seed", revision=0):
    return struct.pack("<iiB63si184x", highest, 4, len(description), description, revision)


def meta(caption=b"", path=b""):
    def counted(text, width):
        return bytes([len(text)]) + text.ljust(width - 1, b"\0")
    return (counted(b"kw", 256) + counted(caption, 128) + counted(path, 128) +
            counted(b"", 256) + counted(b"", 256))


class Db:
    """A database built in memory: entries with their blocks, and its files."""

    def __init__(self):
        self.records = []  # (id, name, kind, offset, count, box, closed)
        self.data = bytearray(header(0))
        self.highest = 0

    def add_points(self, name, points, kind=5, closed=0):
        self.highest += 1
        offset = len(self.data)
        for lat, lon in points:
            self.data += struct.pack("<ff", lat, lon)
        lats = [p[0] for p in points] or [90.0]
        lons = [p[1] for p in points] or [180.0]
        box = (min(lats), max(lats) if points else -90.0, min(lons), max(lons) if points else -180.0)
        self.records.append([self.highest, name, kind, offset, len(points), box, closed])

    def add_town(self, name, lat, lon):
        self.highest += 1
        self.records.append([self.highest, name, 1, -1, 0, (lat, lat, lon, lon), 0])

    def add_blob(self, name, content):
        self.highest += 1
        offset = len(self.data)
        self.data += meta(name.encode(), b"/tmp/" + name.encode()) + content
        self.records.append([self.highest, name, 7, offset, len(content), (1, 2, 3, 4), 0])

    def summary(self, records=None):
        return b"".join(entry(i, n, k, o, c, b, cl) for i, n, k, o, c, b, cl in
                        (self.records if records is None else records))

    def indexes(self, records=None):
        recs = self.records if records is None else records
        out = [b"".join(struct.pack("<ii", r[0], p) for p, r in
                        sorted(enumerate(recs), key=lambda e: e[1][0]))]
        for coord in range(4):
            out.append(b"".join(struct.pack("<fi", r[5][coord], p) for p, r in
                                sorted(enumerate(recs), key=lambda e: e[1][5][coord])))
        return out

    def files(self):
        data = bytearray(self.data)
        data[0:4] = struct.pack("<i", self.highest)
        return {0: self.summary(), 1: bytes(data), **{2 + i: ix for i, ix in
                                                         enumerate(self.indexes())}}


def journal(writes, summary_size=-1):
    body = b"KGJ1" + struct.pack("<qI", summary_size, len(writes))
    for target, offset, data in writes:
        body += struct.pack("<BqI", target, offset, len(data)) + data
    return body + struct.pack("<I", zlib.crc32(body))


def pack(files):
    mask, lengths, contents = 0, [], b""
    for i in range(len(FILES)):
        content = files.get(i)
        if content is not None:
            mask |= 1 << i
            content = bytes(content)[:65535]
            contents += content
            lengths.append(len(content))
        else:
            lengths.append(0)
    return struct.pack("<H" + "H" * len(FILES), mask, *lengths) + contents


def sample():
    db = Db()
    db.add_town("Graz", 47.07, 15.44)
    db.add_points("Mur", [(47.0, 15.4), (47.1, 15.5), (47.3, 15.2)], kind=4)
    db.add_blob("note.txt", b"hello, map\n")
    db.add_points("Lake", [(46.5, 13.8), (46.6, 13.9), (46.55, 14.0)], kind=3, closed=1)
    db.add_town("Wien", 48.21, 16.37)
    db.add_blob("empty", b"")
    db.add_points("Nothing", [], kind=0)
    return db


def seeds():
    yield "new", b""
    empty = Db()
    yield "empty", pack(empty.files())
    db = sample()
    good = db.files()
    yield "sample", pack(good)

    # Deferred index writing cut short: indexes behind (additions) or ahead (deletions).
    lagging = dict(good)
    for i in range(2, 7):
        lagging[i] = good[i][: 8 * 3]
    yield "indexes_behind", pack(lagging)
    ahead = dict(good)
    ahead[0] = db.summary(db.records[:4])
    ahead[10] = b""
    yield "indexes_ahead_pending", pack(ahead)

    # A garbage collection: the compacted files, written under temporary names.
    compact = Db()
    compact.records = [list(r) for r in db.records]
    compact.highest = db.highest
    for r in compact.records:
        if r[3] >= 0:
            length = r[4] * 8 if r[2] != 7 else 1024 + r[4]
            block = db.data[r[3]:r[3] + length]
            r[3] = len(compact.data)
            compact.data += block
    new_files = compact.files()
    swap = dict(good)
    swap[1] = good[1] + b"\xAA" * 500  # unreferenced space to drop
    swap[7], swap[8], swap[9] = new_files[0], new_files[1], b""
    yield "gc_swap_complete", pack(swap)
    half = dict(swap)
    half[0] = new_files[0]
    del half[7]  # the summary was renamed already, the data file not yet
    yield "gc_swap_half_renamed", pack(half)
    unmarked = dict(swap)
    del unmarked[9]
    yield "gc_temp_files_without_marker", pack(unmarked)

    # A change journal: a replacement whose record was torn on disk.
    replaced = [list(r) for r in db.records]
    replaced[1][1] = "Mur (new)"
    new_record = entry(*replaced[1])
    torn = bytearray(good[0])
    torn[120:120 + 60] = new_record[:60]
    jr = dict(good)
    jr[0] = bytes(torn)
    jr[10] = journal([(0, 120, new_record), (1, 0, header(db.highest))], 7 * 120)
    yield "journal_torn_record", pack(jr)
    bad = dict(jr)
    bad[10] = jr[10][:-3] + b"\0\0\0"
    yield "journal_cut_short", pack(bad)

    # A delete cut short: the last record copied over the first, not yet cut off.
    summary = bytearray(good[0])
    summary[0:120] = summary[-120:]
    yield "delete_interrupted", pack({**good, 0: bytes(summary)})

    # Damage: records lost, blocks lost, an identifier twice.
    yield "damaged_partial_record", pack({**good, 0: good[0][:500]})
    yield "damaged_records_lost", pack({**good, 0: good[0][:240]})
    yield "damaged_data_cut", pack({**good, 1: good[1][:300]})
    twice = bytearray(good[0])
    twice[240:244] = struct.pack("<i", 1)
    yield "damaged_identifier_twice", pack({**good, 0: bytes(twice)})
    yield "damaged_summary_missing", pack({k: v for k, v in good.items() if k != 0})


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "geodb_open")
    os.makedirs(out, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    print(f"seeds written to {out}", file=sys.stderr)


if __name__ == "__main__":
    main()
