#!/usr/bin/env python3
"""Writes COUNT text files of about TOTAL_MB megabytes together into FOLDER: UTF-8 lines of
mixed lengths (empty lines, short lines, long paragraphs), LF line ends. Deterministic."""
import os
import random
import sys

folder, total_mb, count = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
os.makedirs(folder, exist_ok=True)
rnd = random.Random(2026)
words = ("spojování textových souborů do jednoho Přidat Smazat vše Jazyk "
         "the quick brown fox jumps over the lazy dog Größe Straße français élève "
         "español año niño € — “quoted” 12345 0.5 ř ž č ů").split()
per_file = int(total_mb * 1024 * 1024 / count)
for n in range(count):
    lines = []
    size = 0
    while size < per_file:
        kind = rnd.random()
        if kind < 0.1:
            line = ""
        elif kind < 0.8:
            line = " ".join(rnd.choice(words) for _ in range(rnd.randint(1, 12)))
        else:
            line = " ".join(rnd.choice(words) for _ in range(rnd.randint(30, 200)))
        data = (line + "\n").encode("utf-8")
        lines.append(data)
        size += len(data)
    with open(os.path.join(folder, "text%04d.txt" % n), "wb") as f:
        f.write(b"".join(lines))
