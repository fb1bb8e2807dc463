#pragma once

// The language dialog JazykForm as designed, for every shell that draws it: its texts (the
// defaults the language file translates) and its places and sizes in pixels at 96 DPI.
namespace vantrel::navrhJazykForm {

inline constexpr char16_t Titulek[] = u"Výběr jazyka aplikace";
inline constexpr int Sirka = 409, Vyska = 194; // client area
inline constexpr int Okraj = 8;
inline constexpr int VyskaSeznamu = 150; // livJazyk at Okraj, Okraj across the dialog
inline constexpr int SirkaTlacitka = 75, VyskaTlacitka = 25;
inline constexpr int NadTlacitky = 6, MeziTlacitky = 6, PodTlacitky = 5;

// The columns of livJazyk: the language code with its flag, the name, the version (centred) and
// the author.
struct TSloupec {
    const char16_t* titulek;
    int sirka;
    bool naStred;
};
inline constexpr TSloupec Sloupce[4] = {
    {u"Jazyk", 70, false}, {u"Název", 100, false}, {u"Verze", 50, true}, {u"Autor", 150, false}};

inline constexpr char16_t btnOK[] = u"OK";
inline constexpr char16_t btnStorno[] = u"Storno";

} // namespace vantrel::navrhJazykForm
