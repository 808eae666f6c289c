#!/usr/bin/env python3
"""Writes each tree of the reference-values file as an exchange-file XML, in the file's order and
with its keys as they are (gaps included): reference-01.xml, reference-02.xml, ...

    reference_trees.py REFERENCE_VALUES.json OUT_DIR
"""
import json
import sys
from pathlib import Path
from xml.sax.saxutils import quoteattr


def main(reference: Path, out: Path) -> None:
    trees = json.loads(reference.read_text(encoding="utf-8"))["trees"]
    out.mkdir(parents=True, exist_ok=True)
    for number, tree in enumerate(trees, start=1):
        lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<NODES>"]
        for key, caption in tree["tree"]:
            parent = key[:-1] if len(key) > 1 else ""
            lines.append(f"  <NODE Caption={quoteattr(caption)} Key={quoteattr(key)} "
                         f"ParentKey={quoteattr(parent)}/>")
        lines.append("</NODES>")
        (out / f"reference-{number:02d}.xml").write_text("\n".join(lines) + "\n", encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(Path(sys.argv[1]), Path(sys.argv[2]))
