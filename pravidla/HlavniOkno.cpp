#include "pravidla/HlavniOkno.h"

#include "platforma/FaktaSouboru.h"
#include "platforma/KodovaStranka.h"
#include "pravidla/convar.h"
#include "textfile/Spojeni.h"

namespace vantrel {

namespace {

// The first flag in imlMenu, after the six images of the actions.
constexpr int PrvniVlajka = 6;
constexpr int YesNoVarovani = win32::MB_YESNO | win32::MB_ICONWARNING;

struct TPristupnyText {
    const char16_t* klic;
    const char16_t* vychozi;
};
constexpr TPristupnyText NazevSeznamu = {u"livSoubory-A", u"Soubory ke spojení"};
constexpr TPristupnyText NazevListy = {u"ActionToolBar1-A", u"Panel nástrojů"};
constexpr TPristupnyText NazevStavovehoRadku = {u"StatusBar1-A", u"Stavový řádek"};
constexpr TPristupnyText PopisyStavu[] = {{u"imlSoubory0", u"Čeká na spojení"},
                                          {u"imlSoubory1", u"Spojeno"}};

} // namespace

const TPopisAkce Akce[PocetAkci] = {
    {TAkce::Konec,
     "aKonec",
     u"Konec",
     u"&Konec",
     u"Ukončení aplikace|",
     {TKlavesa::F4},
     0,
     true,
     false},
    {TAkce::Pridat,
     "aPridat",
     u"Přidat...",
     u"&Přidat...",
     u"Přidá jeden nebo více souborů do seznamu|",
     {TKlavesa::Insert},
     1,
     true,
     true},
    {TAkce::Smazat,
     "aSmazat",
     u"Smazat",
     u"&Smazat",
     u"Odstraní vybrané soubory ze seznamu|",
     {TKlavesa::Delete},
     2,
     false,
     false},
    {TAkce::SmazatVse,
     "aSmazatVse",
     u"Smazat vše",
     u"S&mazat vše",
     u"Odstraní všechny soubory ze seznamu|",
     {TKlavesa::Delete, true},
     3,
     false,
     false},
    {TAkce::Spojit,
     "aSpojit",
     u"Spojit",
     u"Sp&ojit",
     u"Spojí textové soubory v seznamu do jednoho souboru|",
     {TKlavesa::F9},
     4,
     false,
     true},
    {TAkce::Jazyk,
     "aJazyk",
     u"Jazyk...",
     u"&Jazyk...",
     u"Umožní zvolit jazyk prostředí aplikace|",
     {TKlavesa::J, false, true},
     PrvniVlajka,
     true,
     true},
    {TAkce::OAplikaci,
     "aOAplikaci",
     u"O aplikaci...",
     u"O &aplikaci...",
     u"Zobrazí informace o aplikaci|",
     {TKlavesa::F1},
     5,
     true,
     true},
};

const TPopisSloupce SloupceSouboru[4] = {
    {u"Název souboru", 300},
    {u"Velikost", 80},
    {u"Datum", 120},
    {u"Typ", 100},
};

std::u16string CestaJazykaUProgramu() {
    const platforma::TCesta program = platforma::CestaProgramu();
    if (program.empty())
        return {};
    return program.substr(0, program.size() - platforma::ZakladJmena(program).size()) + u"vtrl.xml";
}

const TPopisAkce& PopisAkce(TAkce akce) {
    return Akce[static_cast<int>(akce)];
}

THlavniOkno::THlavniOkno(TPohledHlavnihoOkna& pohled, TJazykXML& jazyk, const THlaseni& hlaseni,
                         TSouborJazyka& souborJazyka)
    : pohled_(pohled), jazyk_(jazyk), hlaseni_(hlaseni), souborJazyka_(souborJazyka),
      indexObrazkuJazyka_(PopisAkce(TAkce::Jazyk).obrazek) {}

void THlavniOkno::Proved(TAkce akce) {
    switch (akce) {
    case TAkce::Konec:
        pohled_.Zavri();
        break;
    case TAkce::Pridat:
        aPridatExecute();
        break;
    case TAkce::Smazat:
        aSmazatExecute();
        break;
    case TAkce::SmazatVse:
        aSmazatVseExecute();
        break;
    case TAkce::Spojit:
        aSpojitExecute();
        break;
    case TAkce::Jazyk:
        aJazykExecute();
        break;
    case TAkce::OAplikaci:
        pohled_.ZobrazOAplikaci();
        break;
    }
}

void THlavniOkno::PoAkci() {
    if (zavritPoSpojeni_ && !spojuje_) {
        zavritPoSpojeni_ = false;
        pohled_.Zavri();
    }
}

bool THlavniOkno::ZadostOZavreni() {
    // A running join is never hidden: the window closes once the join has ended.
    if (spojuje_)
        zavritPoSpojeni_ = true;
    return !spojuje_;
}

// --- The list -----------------------------------------------------------------------------

std::u16string THlavniOkno::TextPoctu() const {
    const std::string pocet = std::to_string(pohled_.PocetRadku());
    return convar::rsSOUBORU + u": " + std::u16string(pocet.begin(), pocet.end());
}

void THlavniOkno::ObnovPocet() {
    pohled_.NastavPocet(TextPoctu());
    pohled_.NastavZpravu({}, {}, {});
}

void THlavniOkno::livSouboryChange() {
    // During a join the actions stay off, whatever the rows do.
    if (!spojuje_)
        PovolAkceSeznamu();
    ObnovPocet();
}

void THlavniOkno::livSouborySelectItem() {
    if (!spojuje_)
        pohled_.PovolAkci(TAkce::Smazat, pohled_.MaVybraneRadky());
}

void THlavniOkno::PovolAkceSeznamu() {
    const bool radky = pohled_.PocetRadku() >= 1;
    pohled_.PovolAkci(TAkce::SmazatVse, radky);
    pohled_.PovolAkci(TAkce::Spojit, radky);
}

void THlavniOkno::ZakazAkceSeznamu() {
    for (TAkce akce : {TAkce::Smazat, TAkce::SmazatVse, TAkce::Spojit})
        pohled_.PovolAkci(akce, false);
}

void THlavniOkno::aPridatExecute() {
    std::vector<std::u16string> soubory;
    if (!pohled_.VyberVstupy(soubory))
        return;
    const TSouboroveInfo info;
    for (const std::u16string& cesta : soubory) {
        TPolozkaSouboru radek;
        radek.cesta = cesta;
        radek.titulek = CitelnaCesta(cesta, ProcessCodePage());
        radek.velikost = TextVelikosti(info.VelikostSouboru(cesta));
        radek.datum = TextCasoveZnacky(info.DatumSouboru(cesta, 1));
        radek.typ = info.TypSouboru(cesta);
        pohled_.PridejRadek(radek);
    }
}

bool THlavniOkno::PotvrdSmazani() {
    return hlaseni_.Zobraz(thVarovani, convar::rsSMAZATSOUBORY + u'?', convar::rsVAROVANI,
                           YesNoVarovani) == win32::IDYES;
}

// Remove keeps its state until the selection next changes.
void THlavniOkno::aSmazatExecute() {
    if (!pohled_.MaVybraneRadky() || !PotvrdSmazani())
        return;
    pohled_.OdstranVybraneRadky();
    ObnovPocet();
    if (pohled_.PocetRadku() == 0)
        ZakazAkceSeznamu();
}

void THlavniOkno::aSmazatVseExecute() {
    if (pohled_.PocetRadku() == 0 || !PotvrdSmazani())
        return;
    pohled_.OdstranVsechnyRadky();
    ObnovPocet();
    ZakazAkceSeznamu();
}

// --- The join -----------------------------------------------------------------------------

void THlavniOkno::aSpojitExecute() {
    std::u16string vystup;
    if (!pohled_.VyberVystup(vystup))
        return;
    TSpojeni spojeni;
    const int pocet = pohled_.PocetRadku();
    spojeni.Vstupy.reserve(static_cast<std::size_t>(pocet));
    // The ticks and the report tell of this join alone: a failure must not leave those of the
    // one before, which would claim files copied that this output lacks.
    pohled_.NastavZpravu({}, {}, {});
    for (int i = 0; i < pocet; ++i) {
        pohled_.NastavStavRadku(i, StavCeka);
        spojeni.Vstupy.push_back(TVstup(pohled_.CestaRadku(i)));
    }
    spojeni.Vystup = vystup;
    // The window never waits for a writer that may never come: it would freeze.
    spojeni.BezCekani = true;
    spojeni.PoSouboru = [this](std::size_t i) {
        pohled_.NastavStavRadku(static_cast<int>(i), StavSpojen);
        pohled_.ZpracujUdalosti();
    };
    // While a join runs the list stays as it is: the actions that change it, or start another
    // join, are off, and the list's updates leave them off; so are the dialogs, whose loop would
    // stall the join. Afterwards, also after a failure, the actions follow the list again.
    spojuje_ = true;
    for (TAkce akce : {TAkce::Pridat, TAkce::Smazat, TAkce::SmazatVse, TAkce::Spojit, TAkce::Jazyk,
                       TAkce::OAplikaci})
        pohled_.PovolAkci(akce, false);
    struct TPoSpojeni {
        THlavniOkno& okno;
        ~TPoSpojeni() {
            okno.spojuje_ = false;
            for (TAkce akce : {TAkce::Pridat, TAkce::Jazyk, TAkce::OAplikaci})
                okno.pohled_.PovolAkci(akce, true);
            okno.PovolAkceSeznamu();
            okno.livSouborySelectItem();
        }
    };
    {
        TPoSpojeni poSpojeni{*this};
        Spoj(spojeni);
    }
    const std::int64_t velikost = TSouboroveInfo().VelikostSouboru(vystup);
    pohled_.NastavZpravu(convar::rsSPOJENO + u": ",
                         platforma::ZakladJmena(CitelnaCesta(vystup, ProcessCodePage())),
                         u' ' + TextVelikosti(velikost, true));
    pohled_.Pipni();
}

// --- Language -----------------------------------------------------------------------------

void THlavniOkno::NastavIndexObrazkuJazyka(int index) {
    indexObrazkuJazyka_ = index;
    pohled_.NastavObrazekJazyka(index);
}

void THlavniOkno::aJazykExecute() {
    std::u16string kod;
    int pozice = -1;
    if (!pohled_.VyberJazyk(jazyk_, kod, pozice))
        return;
    jazyk_.KodJazyka = kod;
    NastavIndexObrazkuJazyka(pozice + PrvniVlajka);
    NastavJazyk(souborJazyka_.Soubor());
}

void THlavniOkno::NastavJazyk(const std::u16string& cesta) {
    souborJazyka_.NastavSoubor(cesta);
    platforma::TFaktaSouboru fakta;
    if (platforma::FaktaSouboru(cesta, fakta)) {
        souborJazyka_.Otevri();
        jazyk_.Dokument = souborJazyka_.Dokument();
        for (const convar::TZpravovyText& text : convar::ZpravoveTexty)
            *text.text = jazyk_.Preklad(u"Obecne", text.klic, text.vychozi);
        pohled_.PrelozOkna(jazyk_);
        pohled_.NastavPristupneTexty(PristupneTexty(jazyk_));
    } else {
        convar::NastavVychoziTexty();
    }
    ObnovPocet();
}

void THlavniOkno::FormShow(const std::u16string& cestaJazyka) {
    NastavJazyk(cestaJazyka);
    pohled_.NastavPocet(TextPoctu());
}

TPristupneTexty THlavniOkno::PristupneTexty(const TJazykXML& jazyk) {
    const auto preklad = [&](const TPristupnyText& t) {
        return jazyk.Preklad(u"HlavniForm", t.klic, t.vychozi);
    };
    return {preklad(NazevSeznamu),
            preklad(NazevListy),
            preklad(NazevStavovehoRadku),
            {preklad(PopisyStavu[0]), preklad(PopisyStavu[1])}};
}

// --- Settings -----------------------------------------------------------------------------

void THlavniOkno::NactiNastaveni(TRegistr& registr,
                                 const std::function<void(const TNastaveniOkna&)>& umisti) {
    TNastaveniOkna nastaveni;
    std::u16string chyba;
    try {
        if (registr.OpenKey(TRegistr::KlicVantrel, false)) {
            CtiNastaveniOkna(registr, nastaveni);
            registr.CloseKey();
        }
    } catch (const std::exception& vyjimka) {
        chyba = TextChybyNastaveni(convar::rsNELZEZEREGISTRU, vyjimka);
    }
    // What was read before a failure stays applied.
    if (nastaveni.jazyk)
        jazyk_.KodJazyka = *nastaveni.jazyk;
    if (nastaveni.indexObrazku)
        NastavIndexObrazkuJazyka(*nastaveni.indexObrazku);
    umisti(nastaveni);
    if (!chyba.empty())
        hlaseni_.Zobraz(thChyba, chyba, convar::rsCHYBA, 0);
}

void THlavniOkno::UlozNastaveni(TRegistr& registr, TNastaveniOkna okno) {
    okno.jazyk = jazyk_.KodJazyka;
    okno.indexObrazku = indexObrazkuJazyka_;
    try {
        ZapisNastaveniOkna(registr, okno);
    } catch (const std::exception& chyba) {
        hlaseni_.Zobraz(thChyba, TextChybyNastaveni(convar::rsNELZEDOREGISTRU, chyba),
                        convar::rsCHYBA, 0);
    }
}

} // namespace vantrel
