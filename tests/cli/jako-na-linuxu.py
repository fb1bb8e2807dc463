#!/usr/bin/python3
"""vantrel-join.exe under Wine gives the bytes of the Linux build's vantrel-join.

    jako-na-linuxu.py LINUX-VANTREL-JOIN WINDOWS-EMULATOR... VANTREL-JOIN.EXE

The same inputs (the join's hard cases and random bytes, made from fixed seeds) are joined by
both programs at the default buffer size and at sizes small and odd enough that every case meets
a buffer's edge; the outputs are compared with cmp, and with the join's rules. Exits 1 at the
first difference, naming the buffer size, and keeps the inputs for a look.
"""

import os
import random
import shutil
import subprocess
import sys
import tempfile

VYCHOZI = 1024 * 1024  # the program's default buffer size
VELIKOSTI = [None, 128, 1, 3, 127, 129, 4093, 65537]


def nahodny_obsah(nahoda):
    """Bytes rich in what matters: CR, LF, NUL, bytes above 127, UTF-8, long lines, and now and
    then a 26, which ends the file."""
    delka = nahoda.randrange(3000) if nahoda.randrange(8) == 0 else nahoda.randrange(400)
    obsah = bytearray()
    while len(obsah) < delka:
        volba = nahoda.randrange(1000)
        if volba < 140:
            obsah += b"\r"
        elif volba < 280:
            obsah += b"\n"
        elif volba < 282:
            obsah += b"\x1a"
        elif volba < 330:
            obsah += b"\0"
        elif volba < 480:
            obsah.append(0x80 + nahoda.randrange(128))
        elif volba < 560:
            obsah += nahoda.choice([b"\xc5\x99", b"\xe2\x82\xac", b"\xf0\x9f\x98\x80", b"\xc3"])
        elif volba < 580:
            obsah += b"L" * (200 + nahoda.randrange(200))
        else:
            obsah.append(ord("a") + nahoda.randrange(26))
    return bytes(obsah)


def pevne():
    return {
        "prazdny": b"",
        "jen-26": b"\x1a",
        "26-uprostred": b"one\ntwo\x1athree\n",
        "bez-konce-radku": b"one\ntwo",
        "cr": b"a\rb\r\rc\r",
        "lf": b"a\nb\n\n",
        "cr-lf": b"a\r\nb\r\n\r\n",
        "osamely-cr": b"\r",
        "cr-cr-lf": b"a\r\r\nb",
        "nuly": b"\0\0\n\0a\0\n\0",
        "bajty": bytes(range(256)),
    }


def okraje(b):
    """Inputs laid out around the buffer size b."""
    return {
        "cr-lf-pres-doplneni": b"a" * (b - 1) + b"\r\nb\n",
        "cr-na-konci-bufferu": b"a" * (b - 1) + b"\rx\n",
        "26-na-zacatku-bufferu": b"a" * b + b"\x1agone\n",
        "26-na-konci-bufferu": b"a" * (b - 1) + b"\x1agone\n",
        "cr-pak-26": b"a" * (b - 1) + b"\r\x1a\n",
        "lf-na-konci-bufferu": b"a" * (b - 1) + b"\nb",
        "radek-pres-doplneni": b"a" * (b + 1),
        "osamely-cr-na-konci": b"\n" * b + b"\r",
        "konce-radku-pres-buffery": b"\n" * (3 * b),
        "dlouhy-radek": b"L" * (3 * b + 5),
    }


def referencni(obsahy):
    """The join's rules, as simply as they can be written."""
    vystup = bytearray()
    for obsah in obsahy:
        obsah = obsah.split(b"\x1a", 1)[0]
        radky = obsah.split(b"\n")
        posledni = radky.pop()
        for radek in radky + ([posledni] if posledni else []):
            vystup += radek.replace(b"\r", b"") + b"\r\n"
        vystup += b"\r\n"
    return bytes(vystup)


def windows(cesta):
    """The path as the Windows side sees it: Wine's drive Z: is the root."""
    return "Z:" + cesta.replace("/", "\\")


def spust(prikaz, popis, stdin=None, stdout=None):
    beh = subprocess.run(prikaz, stdin=stdin, stdout=stdout or subprocess.PIPE,
                         stderr=subprocess.PIPE)
    if beh.returncode != 0 or beh.stderr:
        sys.exit("FAIL: %s exited %d: %s" % (popis, beh.returncode,
                                             beh.stderr.decode(errors="replace")))


def porovnej(linux, windows_soubor, ocekavane, popis):
    cmp = subprocess.run(["cmp", linux, windows_soubor], stdout=subprocess.PIPE,
                         stderr=subprocess.STDOUT, text=True)
    if cmp.returncode != 0:
        sys.exit("FAIL: %s: Linux and Windows differ: %s" % (popis, cmp.stdout.strip()))
    with open(linux, "rb") as f:
        if f.read() != ocekavane:
            sys.exit("FAIL: %s: both outputs break the join's rules" % popis)


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    linux, emulator, exe = sys.argv[1], sys.argv[2:-1], sys.argv[-1]
    if not os.access(linux, os.X_OK):
        sys.exit("FAIL: no Linux build's vantrel-join at %s: run `make build` first" % linux)

    slozka = tempfile.mkdtemp(prefix="vantrel-jako-na-linuxu-")
    print("inputs and outputs in %s, removed once every join agrees" % slozka)
    nahodne = {}
    for seed in range(40):
        nahodne["nahodny-%02d" % seed] = nahodny_obsah(random.Random(seed))
    behu = 0
    for velikost in VELIKOSTI:
        popis = "buffer %s" % (velikost or "default")
        vstupy = dict(pevne(), **nahodne, **okraje(velikost or VYCHOZI))
        cesty = []
        for jmeno, obsah in vstupy.items():
            cesty.append(os.path.join(slozka, jmeno))
            with open(cesty[-1], "wb") as f:
                f.write(obsah)
        volby = ["--buffer-size", str(velikost)] if velikost else []
        ven_l, ven_w = os.path.join(slozka, "linux.out"), os.path.join(slozka, "windows.out")
        for ven in ven_l, ven_w:
            if os.path.exists(ven):
                os.remove(ven)
        spust([linux] + volby + cesty + ["-o", ven_l], "vantrel-join, " + popis)
        spust(emulator + [exe] + volby + [windows(c) for c in cesty] + ["-o", windows(ven_w)],
              "vantrel-join.exe, " + popis)
        ocekavane = referencni(vstupy.values())
        porovnej(ven_l, ven_w, ocekavane, popis)
        behu += 1
        print("%s: %d inputs, %d bytes out, the same" % (popis, len(cesty), len(ocekavane)))
        if velikost is None:
            # The long line, in pieces, through standard input; the output to standard output.
            popis += ", standard streams"
            i = list(vstupy).index("dlouhy-radek")
            for prikaz, cesty_prikazu, ven in ([linux], cesty, ven_l), \
                    (emulator + [exe], [windows(c) for c in cesty], ven_w):
                with open(cesty[i], "rb") as vstup, open(ven, "wb") as vystup:
                    spust(prikaz + cesty_prikazu[:i] + ["-"] + cesty_prikazu[i + 1:],
                          prikaz[-1] + ", " + popis, vstup, vystup)
            porovnej(ven_l, ven_w, ocekavane, popis)
            behu += 1
            print("%s: the same" % popis)
    shutil.rmtree(slozka)
    print("%d joins, Linux and Windows byte for byte the same" % behu)


if __name__ == "__main__":
    main()
