#!/usr/bin/python3
"""The program's first icon group, the one the shell shows for the file, holds exactly the
images of an .ico file.

    ikona-programu.py PROGRAM.exe ICON.ico
"""

import struct
import sys

RT_ICON = 3
RT_GROUP_ICON = 14


def zdroje(pe):
    """{(type, id): data} of a PE file's resources with numeric types and names."""
    (e_lfanew,) = struct.unpack_from("<I", pe, 0x3C)
    pocet_sekci, velikost_volitelne = struct.unpack_from("<H12xH", pe, e_lfanew + 6)
    volitelna = e_lfanew + 24
    magic = struct.unpack_from("<H", pe, volitelna)[0]
    adresare = volitelna + (112 if magic == 0x20B else 96)
    rva_zdroju = struct.unpack_from("<I", pe, adresare + 2 * 8)[0]
    sekce = []
    for i in range(pocet_sekci):
        hlavicka = volitelna + velikost_volitelne + i * 40
        vsize, va, rsize, raw = struct.unpack_from("<IIII", pe, hlavicka + 8)
        sekce.append((va, max(vsize, rsize), raw))

    def posun(rva):
        for va, velikost, raw in sekce:
            if va <= rva < va + velikost:
                return rva - va + raw
        raise ValueError(f"RVA {rva:#x} in no section")

    koren = posun(rva_zdroju)

    def polozky(adresar):
        jmenne, ciselne = struct.unpack_from("<12xHH", pe, koren + adresar)
        for i in range(jmenne + ciselne):
            jmeno, hodnota = struct.unpack_from("<II", pe, koren + adresar + 16 + i * 8)
            if not jmeno & 0x80000000:
                yield jmeno, hodnota

    vysledek = {}
    for typ, k_typu in polozky(0):
        for ident, k_identu in polozky(k_typu & 0x7FFFFFFF):
            for _, k_jazyku in polozky(k_identu & 0x7FFFFFFF):
                rva, velikost = struct.unpack_from("<II", pe, koren + k_jazyku)
                vysledek[(typ, ident)] = pe[posun(rva) : posun(rva) + velikost]
    return vysledek


def main():
    pe = open(sys.argv[1], "rb").read()
    ico = open(sys.argv[2], "rb").read()
    z = zdroje(pe)
    skupiny = sorted(ident for typ, ident in z if typ == RT_GROUP_ICON)
    if not skupiny:
        sys.exit(f"{sys.argv[1]}: no icon")
    skupina = z[(RT_GROUP_ICON, skupiny[0])]
    (pocet,) = struct.unpack_from("<4xH", skupina)
    v_programu = sorted(
        z[(RT_ICON, struct.unpack_from("<12xH", skupina, 6 + i * 14)[0])] for i in range(pocet))
    (pocet,) = struct.unpack_from("<4xH", ico)
    v_souboru = []
    for i in range(pocet):
        velikost, posun = struct.unpack_from("<8xII", ico, 6 + i * 16)
        v_souboru.append(ico[posun : posun + velikost])
    if v_programu != sorted(v_souboru):
        sys.exit(f"{sys.argv[1]}: its icon {skupiny[0]} is not {sys.argv[2]} "
                 f"({len(v_programu)} images, {len(v_souboru)} in the file)")
    print(f"{sys.argv[1]}: icon {skupiny[0]}, the {len(v_programu)} images of {sys.argv[2]}")


main()
