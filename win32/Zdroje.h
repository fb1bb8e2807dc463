#pragma once

// Identifiers of the program's resources, shared by vantrel.rc and the code.

#define IDI_VANTREL 1

// imlMenu: the six action images, then the six flags in the order of the language file's "index".
#define IDI_KONEC 101
#define IDI_PRIDAT 102
#define IDI_SMAZAT 103
#define IDI_SMAZATVSE 104
#define IDI_SPOJIT 105
#define IDI_OAPLIKACI 106
#define IDI_VLAJKA_CZ 107
#define IDI_VLAJKA_GB 108
#define IDI_VLAJKA_SK 109
#define IDI_VLAJKA_DE 110
#define IDI_VLAJKA_FR 111
#define IDI_VLAJKA_ES 112

// imlSoubory: the rows' states, waiting and joined.
#define IDI_CEKA 121
#define IDI_SPOJENO 122
