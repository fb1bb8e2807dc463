#include "support/Hlaseni.h"

namespace vantrel {

using namespace win32;

int PriznakyHlaseni(TTypHlaseni druh, int priznaky) {
    switch (druh) {
    case thChyba:
        return priznaky | MB_ICONERROR;
    case thVarovani:
        return priznaky | MB_ICONWARNING;
    case thInformace:
        return priznaky | MB_ICONINFORMATION;
    case thDotaz:
        return priznaky == 0 ? MB_YESNO | MB_ICONQUESTION : priznaky;
    }
    return -1;
}

int THlaseni::Zobraz(TTypHlaseni druh, const std::u16string& text, const std::u16string& titulek,
                     int priznaky) const {
    // The kind decides, not the flags: -1 is also what a caller's flags of all bits give.
    if (druh > thDotaz)
        return 0;
    return Ukaz(text, titulek, PriznakyHlaseni(druh, priznaky));
}

} // namespace vantrel
