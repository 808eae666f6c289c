#!/usr/bin/env python3
"""Compares two folders of generated outputs, file by file, and lists every difference.

- .xlsx: the same part names, and every part byte for byte (the package's zip framing may differ);
- .pdf: byte for byte once the creation and modification dates are blanked;
- .png: the same chunks once a tIME chunk is dropped, the image data compared decompressed;
- everything else (EMF, SVG, trace CSV, what the program printed, its exit status): bytes.

    compare_outputs.py BASELINE OTHER      exit status 0 when everything matches, 1 otherwise
"""
import re
import struct
import sys
import zipfile
import zlib
from pathlib import Path

PDF_DATES = re.compile(rb"/(CreationDate|ModDate) ?\(D:[^)]*\)")


def xlsx_parts(path: Path) -> dict:
    with zipfile.ZipFile(path) as z:
        return {info.filename: z.read(info) for info in z.infolist()}


def png_chunks(data: bytes) -> list:
    if not data.startswith(b"\x89PNG\r\n\x1a\n"):
        return [("raw", data)]
    chunks, image, at = [], b"", 8
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IDAT":
            image += body
        elif kind != b"tIME":
            chunks.append((kind.decode("latin-1"), body))
    chunks.append(("IDAT decompressed", zlib.decompress(image) if image else b""))
    return chunks


def differences(name: str, a: Path, b: Path) -> list:
    left, right = a.read_bytes(), b.read_bytes()
    if left == right:
        return []
    suffix = a.suffix.lower()
    if suffix == ".xlsx":
        pa, pb = xlsx_parts(a), xlsx_parts(b)
        found = [f"{name}: part {p} only in the baseline" for p in sorted(pa.keys() - pb.keys())]
        found += [f"{name}: part {p} only in the other" for p in sorted(pb.keys() - pa.keys())]
        found += [f"{name}: part {p} differs" for p in sorted(pa.keys() & pb.keys())
                  if pa[p] != pb[p]]
        return found
    if suffix == ".pdf":
        if PDF_DATES.sub(b"", left) == PDF_DATES.sub(b"", right):
            return []
        return [f"{name}: differs beyond its dates"]
    if suffix == ".png":
        if png_chunks(left) == png_chunks(right):
            return []
        return [f"{name}: the picture differs"]
    return [f"{name}: bytes differ ({len(left)} and {len(right)} bytes)"]


def files(root: Path) -> set:
    return {str(p.relative_to(root)) for p in root.rglob("*") if p.is_file()}


def main(baseline: Path, other: Path) -> int:
    for folder in (baseline, other):
        if not folder.is_dir():
            print(f"compare_outputs: {folder}: not a folder", file=sys.stderr)
            return 2
    fa, fb = files(baseline), files(other)
    if not fa:
        print(f"compare_outputs: {baseline}: no outputs", file=sys.stderr)
        return 2
    found = [f"{n}: only in the baseline" for n in sorted(fa - fb)]
    found += [f"{n}: only in the other" for n in sorted(fb - fa)]
    common = sorted(fa & fb)
    for name in common:
        found += differences(name, baseline / name, other / name)
    for line in found:
        print(line)
    print(f"compared {len(common)} files of {baseline} with {other}: "
          f"{'no difference' if not found else f'{len(found)} differences'}")
    return 0 if not found else 1


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(Path(sys.argv[1]), Path(sys.argv[2])))
