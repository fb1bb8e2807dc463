#include "win32/ChybaAplikace.h"

#include "platforma/Utf8.h"
#include "support/Hlaseni.h"

namespace vantrel::okna {

void ZobrazChybu(const THlaseni& hlaseni, const std::u16string& text) {
    hlaseni.Zobraz(thChyba, TextChybyAplikace(text), TitulekAplikace, 0);
}

void ZobrazChybu(const THlaseni& hlaseni, const std::exception& chyba) {
    ZobrazChybu(hlaseni, DekodujUtf8(chyba.what()));
}

} // namespace vantrel::okna
