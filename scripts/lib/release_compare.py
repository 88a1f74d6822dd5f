#!/usr/bin/env python3
"""Compares the release files of two builds of one commit (see
scripts/release-check) and, where they differ, says where: the PE header field
or section of each differing byte, how often each build's own folder is named
inside its files, and which zip entry fields differ."""
import argparse
import hashlib
import os
import struct
import sys
import zipfile

# What a release consists of, relative to a build folder.
RELEASE_FILES = (
    "windows/bin/GKRTimer.exe",
    "windows/bin/GKRTimer.exe.debug",
    "windows/bin/DummyGKR.exe",
    "windows/bin/DummyGKR.exe.debug",
)


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def pe_regions(data):
    """(start, end, name) of the PE fields that a build may stamp and of each
    section; None when the file is no PE image."""
    if len(data) < 0x40 or data[:2] != b"MZ":
        return None
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return None
    coff = pe + 4
    sections, _, symbols, nsymbols, optsize = struct.unpack_from("<2xHIIIH", data, coff)
    optional = coff + 20
    strings = symbols + nsymbols * 18  # long section names live in the string table
    regions = [(coff + 4, coff + 8, "PE time stamp"), (optional + 64, optional + 68, "PE checksum")]
    table = optional + optsize
    for i in range(sections):
        raw = data[table + 40 * i:table + 40 * i + 8].rstrip(b"\0")
        size, offset = struct.unpack_from("<II", data, table + 40 * i + 16)
        name = raw.decode("latin-1")
        if name.startswith("/") and name[1:].isdigit() and symbols:
            at = strings + int(name[1:])
            name = data[at:data.index(b"\0", at)].decode("latin-1")
        if size:
            regions.append((offset, offset + size, f"section {name}"))
    if symbols:
        regions.append((symbols, len(data), "symbol table"))
    regions.append((0, min(r[0] for r in regions[2:]) if len(regions) > 2 else len(data), "headers"))
    return regions


def region_of(regions, offset):
    if regions is None:
        return "the file"
    for start, end, name in regions:
        if start <= offset < end:
            return name
    return "outside any section"


def describe_bytes(a, b):
    lines = []
    if len(a) != len(b):
        lines.append(f"sizes differ: {len(a)} and {len(b)} bytes")
    regions = pe_regions(a)
    counts = {}
    for offset in range(min(len(a), len(b))):
        if a[offset] != b[offset]:
            name = region_of(regions, offset)
            first, n = counts.get(name, (offset, 0))
            counts[name] = (first, n + 1)
    for name, (first, n) in sorted(counts.items(), key=lambda item: item[1][0]):
        lines.append(f"{n} byte(s) differ in {name} (first at 0x{first:x})")
    return lines


def describe_zip(path_a, path_b):
    lines = []
    with zipfile.ZipFile(path_a) as za, zipfile.ZipFile(path_b) as zb:
        ia, ib = za.infolist(), zb.infolist()
        if [i.filename for i in ia] != [i.filename for i in ib]:
            lines.append(f"entries differ: {[i.filename for i in ia]} and {[i.filename for i in ib]}")
        for x, y in zip(ia, ib):
            for field in ("date_time", "external_attr", "create_system", "compress_type", "CRC", "compress_size", "extra"):
                if getattr(x, field) != getattr(y, field):
                    lines.append(f"{x.filename}: {field} {getattr(x, field)!r} and {getattr(y, field)!r}")
    return lines


def compare(name, path_a, path_b, roots):
    """Prints one verdict line (and the reasons when they differ); True when equal."""
    for path in (path_a, path_b):
        if not os.path.isfile(path):
            print(f"DIFFERS  {name}: {path} is missing")
            return False
    with open(path_a, "rb") as f:
        a = f.read()
    with open(path_b, "rb") as f:
        b = f.read()
    if a == b:
        print(f"same     {sha256(a)}  {name}")
        return True
    print(f"DIFFERS  {name}\n         {sha256(a)}  {path_a}\n         {sha256(b)}  {path_b}")
    reasons = describe_zip(path_a, path_b) if name.endswith(".zip") else describe_bytes(a, b)
    for root, data in zip(roots, (a, b)):
        n = data.count(root.encode())
        if n:
            reasons.append(f"names its own folder {root} {n} time(s)")
    for line in reasons:
        print(f"         - {line}")
    return False


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--roots", nargs=2, required=True, help="the two source folders")
    ap.add_argument("--builds", nargs=2, required=True, help="their build folders")
    a = ap.parse_args()

    release_a = os.path.join(a.builds[0], "release")
    zips = sorted(f for f in os.listdir(release_a) if f.endswith((".zip", ".zip.sha256")))
    names = list(RELEASE_FILES) + [os.path.join("release", f) for f in zips]
    same = [compare(n, os.path.join(a.builds[0], n), os.path.join(a.builds[1], n), a.roots) for n in names]
    if not zips:
        print("DIFFERS  no zip in " + release_a)
        return 1
    return 0 if all(same) else 1


if __name__ == "__main__":
    sys.exit(main())
