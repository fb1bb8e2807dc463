#include "app/convar.h"

namespace vantrel::convar {

QString rsCHYBA;
QString rsNELZEDOREGISTRU;
QString rsNELZEZEREGISTRU;
QString rsVAROVANI;
QString rsSMAZATSOUBORY;
QString rsSPOJENO;
QString rsSOUBORU;

const TZpravovyText ZpravoveTexty[7] = {
    {&rsCHYBA, "rsCHYBA", "Chyba"},
    {&rsNELZEDOREGISTRU, "rsNELZEDOREGISTRU",
     "Při zápisu hodnot nastavení do registru došlo k chybě"},
    {&rsNELZEZEREGISTRU, "rsNELZEZEREGISTRU",
     "Při čtení hodnot nastavení z registru došlo k chybě"},
    {&rsVAROVANI, "rsVAROVANI", "Varování"},
    {&rsSMAZATSOUBORY, "rsSMAZATSOUBORY", "Smazat označené soubory"},
    {&rsSPOJENO, "rsSPOJENO", "Potvrzené soubory byly spojeny do souboru"},
    {&rsSOUBORU, "rsSOUBORU", "Počet souborů"},
};

void NastavVychoziTexty() {
    for (const TZpravovyText& t : ZpravoveTexty)
        *t.text = QString::fromUtf8(t.vychozi);
}

namespace {
// The texts hold their built-in values from program start.
const bool g_nastaveno = (NastavVychoziTexty(), true);
} // namespace

} // namespace vantrel::convar
