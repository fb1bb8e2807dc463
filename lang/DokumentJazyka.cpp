#include "lang/DokumentJazyka.h"

#include "platforma/Utf8.h"

namespace vantrel {

void ZkontrolujMezeJazyka(const TDokumentJazyka& dokument, const std::u16string& nazev) {
    const auto chyba = [&](const char* pred, std::int64_t mez, const char* za) {
        return EChybaJazyka(KodujUtf8(nazev) + ": " + pred + std::to_string(mez) + za);
    };
    // Walked with a stack of its own, so that a tree too deep is refused, not a stack overflowed.
    struct TMisto {
        const TUzelJazyka* uzel;
        int hloubka;
    };
    std::vector<TMisto> zbyva{{&dokument, 1}};
    std::int64_t uzlu = 0, atributu = 0, znaku = 0;
    while (!zbyva.empty()) {
        const TMisto misto = zbyva.back();
        zbyva.pop_back();
        const TUzelJazyka& uzel = *misto.uzel;
        if (uzel.druh == TUzelJazyka::TDruh::Prvek && misto.hloubka > MaxHloubkaJazyka)
            throw chyba("elements nested deeper than ", MaxHloubkaJazyka, " levels");
        if (++uzlu > MaxUzluJazyka)
            throw chyba("more than ", MaxUzluJazyka, " elements, texts, comments and other nodes");
        if (uzel.atributy.size() > static_cast<std::size_t>(MaxAtributuPrvku))
            throw chyba("an element with more than ", MaxAtributuPrvku, " attributes");
        atributu += static_cast<std::int64_t>(uzel.atributy.size());
        if (atributu > MaxAtributuJazyka)
            throw chyba("more than ", MaxAtributuJazyka, " attributes in the document");
        for (const auto& atribut : uzel.atributy)
            znaku += static_cast<std::int64_t>(atribut.second.size());
        if (uzel.druh == TUzelJazyka::TDruh::Text)
            znaku += static_cast<std::int64_t>(uzel.text.size());
        if (znaku > MaxTextJazyka)
            throw chyba("the text of the document, entities expanded, is longer than ",
                        MaxTextJazyka, " characters");
        for (auto dite = uzel.deti.rbegin(); dite != uzel.deti.rend(); ++dite)
            zbyva.push_back({&*dite, misto.hloubka + 1});
    }
}

} // namespace vantrel
