#include "pravidla/PopiskyAkci.h"

#include "lang/JazykyXML.h"

namespace vantrel {

namespace {

const char16_t* JmenoKlavesy(TKlavesa klavesa) {
    switch (klavesa) {
    case TKlavesa::F1:
        return u"F1";
    case TKlavesa::F4:
        return u"F4";
    case TKlavesa::F9:
        return u"F9";
    case TKlavesa::Insert:
        return u"Ins";
    case TKlavesa::Delete:
        return u"Del";
    case TKlavesa::J:
        return u"J";
    }
    return u"";
}

} // namespace

std::u16string TextZkratky(const TZkratka& zkratka) {
    std::u16string text;
    if (zkratka.shift)
        text += u"Shift+";
    if (zkratka.ctrl)
        text += u"Ctrl+";
    return text + JmenoKlavesy(zkratka.klavesa);
}

std::u16string TipAkce(const std::u16string& hint, const TZkratka& zkratka) {
    return KratkyHint(hint) + u" (" + TextZkratky(zkratka) + u")";
}

std::u16string TitulekNaListe(const TPopisAkce& popis, const std::u16string& titulek) {
    return titulek == popis.titulek ? std::u16string(popis.naListe) : titulek;
}

} // namespace vantrel
