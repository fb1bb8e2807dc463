#include "lang/SouborJazyka.h"

namespace vantrel {

void TSouborJazyka::NastavSoubor(const std::u16string& cesta) {
    if (cesta == soubor_)
        return;
    soubor_ = cesta;
    dokument_ = {};
    otevreny_ = false;
}

void TSouborJazyka::Otevri() {
    if (otevreny_)
        return;
    dokument_ = parser_(soubor_);
    otevreny_ = true;
}

} // namespace vantrel
