#!/usr/bin/env python3
"""The join in a few lines of Python, as a peer to measure against: every line with CR LF
(CR bytes dropped, byte 26 ending a file), one empty line after each file."""
import sys

out = sys.stdout.buffer
for path in sys.argv[1:]:
    with open(path, "rb") as f:
        for line in f:
            end = line.find(b"\x1a")
            if end >= 0:
                line = line[:end]
                if line and not line.endswith(b"\n"):
                    out.write(line.replace(b"\r", b"") + b"\r\n")
                break
            out.write(line.rstrip(b"\n").replace(b"\r", b"") + b"\r\n")
    out.write(b"\r\n")
