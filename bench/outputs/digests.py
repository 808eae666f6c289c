#!/usr/bin/env python3
"""Prints one line per output of a generation: its name and a digest of what must not change.

Byte-exact where the bytes are ours (the parts inside the .xlsx packages, EMF, SVG, trace CSV);
pixels where an encoder may legitimately choose other bytes for the same picture (PNG files, PNG
parts of a package, PNG pictures inside an SVG); the extracted text and the rendered pixels for
the PDF, whose embedded font may be stored differently without changing the page.
"""
import base64
import hashlib
import io
import re
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

from PIL import Image


def sha(data: bytes) -> str:
    return hashlib.sha256(data).hexdigest()[:32]


def pixels(path) -> str:
    with Image.open(path) as image:
        rgba = image.convert("RGBA")
        return f"{rgba.width}x{rgba.height} {sha(rgba.tobytes())}"


def package(path: Path, name: str):
    with zipfile.ZipFile(path) as z:
        for info in sorted(z.infolist(), key=lambda i: i.filename):
            data = z.read(info)
            if info.filename.endswith(".png"):
                yield f"{name}/{info.filename} pixels", pixels(io.BytesIO(data))
            else:
                yield f"{name}/{info.filename}", sha(data)


def pdf(path: Path, name: str):
    text = subprocess.run(["pdftotext", "-enc", "UTF-8", str(path), "-"],
                          check=True, capture_output=True).stdout
    yield f"{name} text", sha(text)
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["pdftoppm", "-r", "72", "-png", str(path), f"{folder}/page"], check=True)
        pages = sorted(Path(folder).glob("page*.png"))
        yield f"{name} pages", str(len(pages))
        for page in pages:
            yield f"{name} {page.stem} pixels", pixels(page)


EMBEDDED_PNG = re.compile(rb"data:image/png;base64,([A-Za-z0-9+/=]+)")


def svg(path: Path) -> str:
    """The SVG's bytes with each embedded PNG picture standing as its pixels."""
    def as_pixels(match):
        return ("png:" + pixels(io.BytesIO(base64.b64decode(match.group(1))))).encode()
    return sha(EMBEDDED_PNG.sub(as_pixels, path.read_bytes()))


def digests(folder: Path):
    for path in sorted(p for p in folder.rglob("*") if p.is_file()):
        name = str(path.relative_to(folder))
        if path.suffix == ".xlsx":
            yield from package(path, name)
        elif path.suffix == ".png":
            yield name + " pixels", pixels(path)
        elif path.suffix == ".pdf":
            yield from pdf(path, name)
        elif path.suffix == ".svg":
            yield name, svg(path)
        else:
            yield name, sha(path.read_bytes())


if __name__ == "__main__":
    for name, digest in digests(Path(sys.argv[1])):
        print(name, digest)
