#include "../Platforma.h"

#include "platforma/FaktaSouboru.h"

#include <iterator>
#include <windows.h>

namespace vantrel::test {

namespace {

// Latin-1, which is all the rows need.
std::wstring Sirsi(const char* text) {
    std::wstring sirsi;
    for (; *text != '\0'; ++text)
        sirsi += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return sirsi;
}

std::wstring Udaj(LCTYPE druh) {
    wchar_t text[100];
    const int delka =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, druh, text, static_cast<int>(std::size(text)));
    return delka > 0 ? std::wstring(text, static_cast<std::size_t>(delka) - 1) : std::wstring();
}

} // namespace

const std::vector<TKonvence>& Konvence() {
    static const std::vector<TKonvence> konvence = {
        {"Czech", ",", "H:mm:ss", u",", u":"},
        {"Finnish", ",", "H.mm.ss", u",", u"."},
        {"US English", ".", "h:mm:ss tt", u".", u":"},
        {"the separator in quotes", ".", "HH'.'mm'.'ss", u".", u"."},
        {"a letter between hours and minutes", ".", "HH'h'mm", u".", u":"},
        {"two signs between hours and minutes", ".", "HH:-mm", u".", u":"},
        {"a blank between hours and minutes", ".", "HH mm", u".", u":"},
        {"no hours", "\xB7", "mm:ss", u"\u00B7", u":"},
    };
    return konvence;
}

// The user's settings: changed with SetLocaleInfoW as the control panel changes them.
struct TNastaveneKonvence::TPuvodni {
    std::wstring desetinny;
    std::wstring casy;
};

TNastaveneKonvence::TNastaveneKonvence(const TKonvence& konvence)
    : puvodni_(
          std::make_unique<TPuvodni>(TPuvodni{Udaj(LOCALE_SDECIMAL), Udaj(LOCALE_STIMEFORMAT)})) {
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Sirsi(konvence.cisla).c_str());
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, Sirsi(konvence.casy).c_str());
}

TNastaveneKonvence::~TNastaveneKonvence() {
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, puvodni_->desetinny.c_str());
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, puvodni_->casy.c_str());
}

std::vector<std::u16string> CestyProgramu() {
    return {platforma::CestaProgramu()};
}

std::vector<std::u16string> CestyBezVerze(const std::string&) {
    return {u"NUL", u"C:\\windows\\win.ini"};
}

} // namespace vantrel::test
