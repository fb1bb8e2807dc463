#!/usr/bin/python3
"""What a screen reader finds in the Vantrel window, through AT-SPI.

    pristupnost.py main LIST TOOLBAR STATUSBAR STATE...   the main window: the names of the file
        list, the toolbar and the status bar, and each row's state in order; prints the tree
    pristupnost.py dialog TITLE                           the language dialog: its list's name

Exits 1 with one line per difference. The program runs with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
on the same session bus.
"""

import sys
import time

import pyatspi


def program():
    # The program registers once the accessibility bus is up, which the first client starts.
    for _ in range(600):
        plocha = pyatspi.Registry.getDesktop(0)
        for i in range(plocha.childCount):
            aplikace = plocha.getChildAtIndex(i)
            if aplikace is not None and aplikace.name == "Vantrel":
                return aplikace
        time.sleep(0.1)
    sys.exit("FAIL: no application Vantrel on the accessibility bus within 60 s")


def deti(objekt):
    for i in range(objekt.childCount):
        dite = objekt.getChildAtIndex(i)
        if dite is not None:
            yield dite


def strom(objekt, hloubka=0):
    radek = "  " * hloubka + "[%s] %r" % (objekt.getRoleName(), objekt.name)
    if objekt.description:
        radek += " (%s)" % objekt.description
    radky = [radek]
    for dite in deti(objekt):
        radky += strom(dite, hloubka + 1)
    return radky


def najdi(objekt, role):
    if objekt.getRole() == role:
        return objekt
    for dite in deti(objekt):
        nalez = najdi(dite, role)
        if nalez is not None:
            return nalez
    return None


def okno(role, nazev):
    # A window that has just opened or changed may take a moment to show on the bus.
    for _ in range(300):
        for dite in deti(program()):
            if dite.getRole() == role and dite.name == nazev:
                return dite
        time.sleep(0.1)
    sys.exit("FAIL: no window %r on the accessibility bus" % nazev)


def main():
    chyby = []
    if sys.argv[1] == "main":
        seznam, lista, radek = sys.argv[2:5]
        stavy = sys.argv[5:]
        hlavni = okno(pyatspi.ROLE_FRAME, "Vantrel")
        print("\n".join(strom(hlavni)))
        for role, ocekavany in ((pyatspi.ROLE_TREE, seznam), (pyatspi.ROLE_TOOL_BAR, lista),
                                (pyatspi.ROLE_STATUS_BAR, radek)):
            objekt = najdi(hlavni, role)
            nazev = objekt.name if objekt is not None else None
            if nazev != ocekavany:
                chyby.append("%s is named %r, expected %r" % (pyatspi.Role(role), nazev, ocekavany))
        tabulka = najdi(hlavni, pyatspi.ROLE_TREE).queryTable()
        nalezene = [tabulka.getAccessibleAt(i, 0).description for i in range(tabulka.nRows)]
        if nalezene != stavy:
            chyby.append("the rows' states are %r, expected %r" % (nalezene, stavy))
    else:
        nazev = sys.argv[2]
        dialog = okno(pyatspi.ROLE_DIALOG, nazev)
        seznam = najdi(dialog, pyatspi.ROLE_TREE)
        if seznam is None or seznam.name != nazev:
            chyby.append("the language list is named %r, expected %r"
                         % (seznam.name if seznam is not None else None, nazev))
    for chyba in chyby:
        print("FAIL: " + chyba, file=sys.stderr)
    return 1 if chyby else 0


if __name__ == "__main__":
    sys.exit(main())
