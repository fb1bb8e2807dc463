#include "win32/ChybaAplikace.h"

#include "platforma/Utf8.h"
#include "support/Hlaseni.h"

namespace vantrel::okna {

void ZobrazChybu(const THlaseni& hlaseni, const std::u16string& text) {
    std::u16string zprava = text;
    if (!zprava.empty() && zprava.back() > u'.')
        zprava += u'.';
    hlaseni.Zobraz(thChyba, zprava, TitulekAplikace, 0);
}

void ZobrazChybu(const THlaseni& hlaseni, const std::exception& chyba) {
    ZobrazChybu(hlaseni, DekodujUtf8(chyba.what()));
}

} // namespace vantrel::okna
