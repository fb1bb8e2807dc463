#include "pravidla/Nastaveni.h"

#include "platforma/Utf8.h"

#include <algorithm>

namespace vantrel {

namespace {

// The values' names, in the order they are read and written.
constexpr char HodnotaJazyk[] = "Jazyk";
constexpr char HodnotaIndexObrazku[] = "IndexObrazku";
constexpr char HodnotaMaximalni[] = "Maximalni";
constexpr char HodnotaVlevo[] = "Vlevo";
constexpr char HodnotaNahore[] = "Nahore";
constexpr char HodnotaVyska[] = "Vyska";
constexpr char HodnotaSirka[] = "Sirka";

// Not the least size of the designed window: a stored size never makes it smaller.
constexpr std::int64_t SirkaMinimalni = 640;
constexpr std::int64_t VyskaMinimalni = 480;

void CtiCislo(const TRegistr& registr, const char* jmeno, std::optional<std::int32_t>& kam) {
    if (registr.ValueExists(jmeno))
        kam = registr.ReadInteger(jmeno);
}

} // namespace

void CtiNastaveniOkna(const TRegistr& registr, TNastaveniOkna& nastaveni) {
    if (registr.ValueExists(HodnotaJazyk)) {
        const std::string jazyk = registr.ReadString(HodnotaJazyk);
        nastaveni.jazyk = DekodujUtf8(jazyk);
    }
    CtiCislo(registr, HodnotaIndexObrazku, nastaveni.indexObrazku);
    if (registr.ValueExists(HodnotaMaximalni) && registr.ReadInteger(HodnotaMaximalni) != 0) {
        nastaveni.maximalni = true;
        return;
    }
    CtiCislo(registr, HodnotaVlevo, nastaveni.vlevo);
    CtiCislo(registr, HodnotaNahore, nastaveni.nahore);
    CtiCislo(registr, HodnotaVyska, nastaveni.vyska);
    CtiCislo(registr, HodnotaSirka, nastaveni.sirka);
}

void ZapisNastaveniOkna(TRegistr& registr, const TNastaveniOkna& nastaveni) {
    // A key that can be neither opened nor made fails the first value.
    if (!registr.OpenKey(TRegistr::KlicVantrel, true))
        throw EChybaRegistru("Failed to set data for '" + std::string(HodnotaJazyk) + "'");
    registr.WriteString(HodnotaJazyk, KodujUtf8(nastaveni.jazyk.value_or(u"")));
    registr.WriteInteger(HodnotaIndexObrazku, nastaveni.indexObrazku.value_or(0));
    registr.WriteInteger(HodnotaMaximalni, nastaveni.maximalni ? 1 : 0);
    if (!nastaveni.maximalni) {
        const std::pair<const char*, const std::optional<std::int32_t>*> hodnoty[] = {
            {HodnotaVlevo, &nastaveni.vlevo},
            {HodnotaNahore, &nastaveni.nahore},
            {HodnotaVyska, &nastaveni.vyska},
            {HodnotaSirka, &nastaveni.sirka},
        };
        for (const auto& [jmeno, hodnota] : hodnoty) {
            if (hodnota->has_value())
                registr.WriteInteger(jmeno, **hodnota);
        }
    }
    registr.CloseKey();
}

TObdelnik UlozeneUmisteni(const TNastaveniOkna& nastaveni, const TObdelnik& navrh,
                          bool& ulozenaVelikost) {
    TObdelnik okno = navrh;
    okno.Vlevo = nastaveni.vlevo.value_or(navrh.Vlevo);
    okno.Nahore = nastaveni.nahore.value_or(navrh.Nahore);
    if (nastaveni.vyska)
        okno.Vyska = std::max<std::int64_t>(VyskaMinimalni, *nastaveni.vyska);
    if (nastaveni.sirka)
        okno.Sirka = std::max<std::int64_t>(SirkaMinimalni, *nastaveni.sirka);
    ulozenaVelikost = nastaveni.vyska.has_value() || nastaveni.sirka.has_value();
    return okno;
}

std::u16string TextChybyNastaveni(const std::u16string& zprava, const std::exception& chyba) {
    return zprava + u'.' + char16_t(13) + u'(' + DekodujUtf8(chyba.what()) + u".)";
}

} // namespace vantrel
