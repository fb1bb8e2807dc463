#include "lang/DokumentJazyka.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace vantrel;

namespace {

TUzelJazyka Prvek(std::u16string jmeno) {
    TUzelJazyka prvek;
    prvek.druh = TUzelJazyka::TDruh::Prvek;
    prvek.jmeno = std::move(jmeno);
    return prvek;
}

TUzelJazyka Text(std::u16string text) {
    TUzelJazyka uzel;
    uzel.druh = TUzelJazyka::TDruh::Text;
    uzel.text = std::move(text);
    return uzel;
}

// Elements nested `hloubka` deep, the root included.
TDokumentJazyka Vnorene(int hloubka) {
    TDokumentJazyka koren = Prvek(u"r");
    TUzelJazyka* posledni = &koren;
    for (int i = 1; i < hloubka; ++i) {
        posledni->deti.push_back(Prvek(u"a"));
        posledni = &posledni->deti.back();
    }
    return koren;
}

// A root holding `pocet` children made by `dite`.
TDokumentJazyka Koren(std::int64_t pocet, const std::function<TUzelJazyka()>& dite) {
    TDokumentJazyka koren = Prvek(u"r");
    for (std::int64_t i = 0; i < pocet; ++i)
        koren.deti.push_back(dite());
    return koren;
}

// An element with `pocet` attributes a0, a1, ... of the value `hodnota`.
TUzelJazyka SAtributy(int pocet, const std::u16string& hodnota = {}) {
    TUzelJazyka prvek = Prvek(u"x");
    for (int i = 0; i < pocet; ++i) {
        const std::string cislo = std::to_string(i);
        prvek.atributy.emplace_back(u"a" + std::u16string(cislo.begin(), cislo.end()), hodnota);
    }
    return prvek;
}

// A tree from any parser is held to the same bounds as the file the Qt parser reads; each bound
// is reached without a fault and passed by one with its message.
TEST(LanguageTree, EachBoundIsHeldWithItsMessage) {
    const std::u16string ctyriKilo(4096, u'x');
    const struct {
        const char* popis;
        std::function<TDokumentJazyka()> strom;
        const char* chyba; // nullptr: within the bounds
    } pripady[] = {
        {"as deep as allowed", [] { return Vnorene(MaxHloubkaJazyka); }, nullptr},
        {"one level deeper", [] { return Vnorene(MaxHloubkaJazyka + 1); },
         "vtrl.xml: elements nested deeper than 256 levels"},
        {"as many nodes as allowed",
         [] { return Koren(MaxUzluJazyka - 1, [] { return Prvek(u"x"); }); }, nullptr},
        {"one node more", [] { return Koren(MaxUzluJazyka, [] { return Text(u"t"); }); },
         "vtrl.xml: more than 262144 elements, texts, comments and other nodes"},
        {"as many attributes on an element as allowed",
         [] { return Koren(1, [] { return SAtributy(MaxAtributuPrvku); }); }, nullptr},
        {"one attribute more on an element",
         [] { return Koren(1, [] { return SAtributy(MaxAtributuPrvku + 1); }); },
         "vtrl.xml: an element with more than 256 attributes"},
        {"as many attributes in all as allowed",
         [] { return Koren(MaxAtributuJazyka / 64, [] { return SAtributy(64); }); }, nullptr},
        {"one attribute more in all",
         [] {
             TDokumentJazyka d = Koren(MaxAtributuJazyka / 64, [] { return SAtributy(64); });
             d.atributy.emplace_back(u"a", u"");
             return d;
         },
         "vtrl.xml: more than 16384 attributes in the document"},
        {"as much text as allowed",
         [&] { return Koren(MaxTextJazyka / 4096, [&] { return Text(ctyriKilo); }); }, nullptr},
        {"text and attribute values over the bound together",
         [&] {
             TDokumentJazyka d = Koren(MaxTextJazyka / 4096, [&] { return Text(ctyriKilo); });
             d.deti.front() = SAtributy(1, ctyriKilo + u"y");
             return d;
         },
         "vtrl.xml: the text of the document, entities expanded, is longer than 4194304 "
         "characters"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        const TDokumentJazyka strom = p.strom();
        try {
            ZkontrolujMezeJazyka(strom, u"vtrl.xml");
            EXPECT_EQ(p.chyba, nullptr) << "within the bounds";
        } catch (const EChybaJazyka& e) {
            ASSERT_NE(p.chyba, nullptr) << e.what();
            EXPECT_NE(std::string(e.what()).find(p.chyba), std::string::npos) << e.what();
        }
    }
}

} // namespace
