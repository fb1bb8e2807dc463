#include "pravidla/convar.h"

namespace vantrel::convar {

std::u16string rsCHYBA;
std::u16string rsNELZEDOREGISTRU;
std::u16string rsNELZEZEREGISTRU;
std::u16string rsVAROVANI;
std::u16string rsSMAZATSOUBORY;
std::u16string rsSPOJENO;
std::u16string rsSOUBORU;

const TZpravovyText ZpravoveTexty[7] = {
    {&rsCHYBA, u"rsCHYBA", u"Chyba"},
    {&rsNELZEDOREGISTRU, u"rsNELZEDOREGISTRU",
     u"Při zápisu hodnot nastavení do registru došlo k chybě"},
    {&rsNELZEZEREGISTRU, u"rsNELZEZEREGISTRU",
     u"Při čtení hodnot nastavení z registru došlo k chybě"},
    {&rsVAROVANI, u"rsVAROVANI", u"Varování"},
    {&rsSMAZATSOUBORY, u"rsSMAZATSOUBORY", u"Smazat označené soubory"},
    {&rsSPOJENO, u"rsSPOJENO", u"Potvrzené soubory byly spojeny do souboru"},
    {&rsSOUBORU, u"rsSOUBORU", u"Počet souborů"},
};

void NastavVychoziTexty() {
    for (const TZpravovyText& t : ZpravoveTexty)
        *t.text = t.vychozi;
}

namespace {
// The texts hold their built-in values from program start.
const bool g_nastaveno = (NastavVychoziTexty(), true);
} // namespace

} // namespace vantrel::convar
