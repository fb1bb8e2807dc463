#include "platforma/KodovaStranka.h"

#include "platforma/Utf8.h"

namespace vantrel {

std::u16string CitelnaCesta(const std::u16string& cesta, const TKodovaStranka& stranka) {
    std::u16string citelna;
    for (std::size_t i = 0; i < cesta.size();) {
        if (!JeNahrada(cesta[i])) {
            citelna += cesta[i++];
            continue;
        }
        std::string bajty;
        for (; i < cesta.size() && JeNahrada(cesta[i]); ++i)
            bajty += static_cast<char>(cesta[i] - PrvniNahrada + 0x80);
        for (char16_t znak : stranka.Dekoduj(bajty))
            citelna += JeNahrada(znak) ? u'\uFFFD' : znak;
    }
    return citelna;
}

} // namespace vantrel
