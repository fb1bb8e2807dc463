#!/usr/bin/env python3
"""Writes COUNT text files of about TOTAL_MB megabytes together into FOLDER. Deterministic.

  generate-text.py FOLDER TOTAL_MB COUNT [long|short]

long (the default): UTF-8 lines of mixed lengths (empty lines, short lines, long paragraphs),
about 170 bytes a line, LF line ends.
short: lines of about 43 bytes; every third file has CR LF line ends, one line in 400 holds a
zero byte, and every tenth file has a byte 26 before its last lines (which a join never reads)."""
import os
import random
import sys

folder, total_mb, count = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
kind = sys.argv[4] if len(sys.argv) > 4 else "long"
if kind not in ("long", "short"):
    sys.exit("generate-text.py: the kind is long or short")
os.makedirs(folder, exist_ok=True)
rnd = random.Random(2026)
words = ("spojování textových souborů do jednoho Přidat Smazat vše Jazyk "
         "the quick brown fox jumps over the lazy dog Größe Straße français élève "
         "español año niño € — “quoted” 12345 0.5 ř ž č ů").split()
per_file = int(total_mb * 1024 * 1024 / count)


def long_line():
    kind = rnd.random()
    if kind < 0.1:
        return ""
    if kind < 0.8:
        return " ".join(rnd.choice(words) for _ in range(rnd.randint(1, 12)))
    return " ".join(rnd.choice(words) for _ in range(rnd.randint(30, 200)))


def short_line():
    if rnd.random() < 0.05:
        return ""
    line = " ".join(rnd.choice(words) for _ in range(rnd.randint(2, 12)))
    if rnd.random() < 1 / 400:
        line += "\0" + rnd.choice(words)
    return line


for n in range(count):
    end = "\r\n" if kind == "short" and n % 3 == 1 else "\n"
    make = short_line if kind == "short" else long_line
    lines = []
    size = 0
    while size < per_file:
        data = (make() + end).encode("utf-8")
        lines.append(data)
        size += len(data)
    if kind == "short" and n % 10 == 5:
        lines.insert(len(lines) - 3, b"\x1a")
    with open(os.path.join(folder, "text%04d.txt" % n), "wb") as f:
        f.write(b"".join(lines))
