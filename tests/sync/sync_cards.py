#!/usr/bin/python3
"""Reads every card of a Radicale collection folder, and every card the
program uploaded, with python3-vobject, an independent reader. Prints one
line per card of the collection: surname|given name|numbers|other properties.
Exits with 1 when a card cannot be read.

    sync_cards.py COLLECTION_DIR UPLOADS_DIR
"""
import pathlib
import sys

import vobject

SKIPPED = {"version", "uid", "n", "fn", "tel", "prodid", "rev"}


def read(path):
    try:
        return vobject.readOne(path.read_text(encoding="utf-8"))
    except Exception as error:  # noqa: BLE001 - any failure is the finding
        print(f"unreadable {path.name}: {error}")
        sys.exit(1)


def main():
    collection, uploads = map(pathlib.Path, sys.argv[1:3])
    for upload in sorted(uploads.glob("*.vcf")):
        card = read(upload)
        if card.version.value != "3.0" or not card.uid.value or not card.fn.value:
            print(f"upload {upload.name} lacks VERSION 3.0, UID or FN")
            sys.exit(1)
    lines = []
    for path in collection.glob("*.vcf"):
        card = read(path)
        tels = ",".join(tel.value for tel in card.contents.get("tel", []))
        others = ",".join(sorted(key.upper() for key in card.contents if key not in SKIPPED))
        lines.append(f"{card.n.value.family}|{card.n.value.given}|{tels}|{others}")
    print("\n".join(sorted(lines)))


main()
