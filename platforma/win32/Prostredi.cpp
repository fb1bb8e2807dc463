#include "platforma/Prostredi.h"

#include "platforma/ProstrediSpolecne.h"
#include "platforma/win32/Cesta.h"

#include <iterator>
#include <windows.h>

namespace vantrel::platforma {

namespace {

// One of the user's locale settings, with the user's own changes to it.
std::u16string Udaj(LCTYPE druh) {
    wchar_t text[100];
    const int delka =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, druh, text, static_cast<int>(std::size(text)));
    return delka > 1 ? win32::Uzka(text, static_cast<std::size_t>(delka) - 1) : std::u16string();
}

bool JeZnak(char16_t znak) {
    const auto z = static_cast<wchar_t>(znak);
    WORD typ = 0;
    if ((znak >= 0xD800 && znak <= 0xDFFF) || !GetStringTypeW(CT_CTYPE1, &z, 1, &typ))
        return false;
    return (typ & (C1_ALPHA | C1_DIGIT | C1_SPACE | C1_CNTRL)) == 0;
}

} // namespace

std::u16string DesetinnyOddelovac() {
    const std::u16string oddelovac = Udaj(LOCALE_SDECIMAL);
    return oddelovac.empty() ? u"." : oddelovac;
}

std::u16string OddelovacCasu() {
    const std::u16string oddelovac = MeziHodinamiAMinutami(Udaj(LOCALE_STIMEFORMAT));
    return oddelovac.size() == 1 && JeZnak(oddelovac[0]) ? oddelovac : u":";
}

} // namespace vantrel::platforma
