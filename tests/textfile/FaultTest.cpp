#include "Pomocne.h"
#include "Poruchy.h"
#include "platforma/Chyby.h"
#include "textfile/Spojeni.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace vantrel {
namespace {

using test::PrectiSoubor;
using test::TDocasnaSlozka;
using test::TPorucha;
using test::TPoruchy;
using test::TVolani;
using test::U16;

// What a join under faults did.
struct TBeh {
    bool chyba = false; // raised EChybaSpojeni
    int kod = 0;
    std::string zprava, cesta;
    std::ptrdiff_t soubor = 0;
    std::vector<std::size_t> hotove;
    std::string jina; // any other exception: a fault in itself
};

// Lines of the three inputs: LF ends, CR LF ends with a line longer than any buffer piece and
// empty lines, and a last line without a line end.
const std::vector<std::vector<std::string>> kRadky = {
    {"alpha one", "alpha two is a little longer than the first", "alpha three", "", "alpha five",
     "alpha six", "alpha seven", "alpha eight", "alpha nine", "alpha ten", "alpha eleven",
     "alpha twelve", "alpha thirteen", "alpha fourteen", "alpha fifteen"},
    {"beta one", std::string(20000, 'b'), "", "beta four", "beta five with \xC5\xBE and \xFF"},
    {"gamma one", "gamma two", "gamma three", "gamma four", "gamma five, no line end"},
};

// Buffer size, and whether the output exists (with other contents) before the join.
class FaultTest : public ::testing::TestWithParam<std::tuple<std::uint32_t, bool>> {
protected:
    void SetUp() override {
        const char* konce[] = {"\n", "\r\n", "\n"};
        for (std::size_t i = 0; i < kRadky.size(); ++i) {
            std::string obsah;
            for (std::size_t r = 0; r < kRadky[i].size(); ++r) {
                obsah += kRadky[i][r];
                if (i != 2 || r + 1 < kRadky[i].size())
                    obsah += konce[i];
            }
            vstupy_.push_back(slozka_.Zapis("in" + std::to_string(i), obsah));
            for (const auto& radek : kRadky[i])
                reference_ += radek + "\r\n";
            reference_ += "\r\n";
            konecSouboru_.push_back(reference_.size());
        }
        vystup_ = slozka_.Soubor("out");
    }

    std::uint32_t Buffer() const { return std::get<0>(GetParam()); }
    bool Existuje() const { return std::get<1>(GetParam()); }
    const char* StaryObsah() const { return Existuje() ? "old contents" : ""; }
    void PripravVystup() {
        if (Existuje())
            slozka_.Zapis("out", StaryObsah());
        else
            std::filesystem::remove(std::filesystem::u8path(vystup_));
    }

    TBeh Spoj(bool poSouborech = true) {
        TBeh beh;
        TSpojeni spojeni;
        for (const auto& v : vstupy_)
            spojeni.Vstupy.push_back(U16(v));
        spojeni.Vystup = U16(vystup_);
        spojeni.VelikostBufferu = Buffer();
        if (poSouborech)
            spojeni.PoSouboru = [&](std::size_t i) { beh.hotove.push_back(i); };
        try {
            vantrel::Spoj(spojeni);
        } catch (const EChybaSpojeni& chyba) {
            beh.chyba = true;
            beh.kod = chyba.Kod();
            beh.zprava = chyba.what();
            beh.cesta = test::Bajty(chyba.Cesta());
            beh.soubor = chyba.Soubor();
        } catch (const std::exception& jina) {
            beh.jina = jina.what();
        }
        return beh;
    }

    // Position of the input at `cesta`, or Vystup.
    std::ptrdiff_t Index(const std::string& cesta) const {
        for (std::size_t i = 0; i < vstupy_.size(); ++i)
            if (vstupy_[i] == cesta)
                return static_cast<std::ptrdiff_t>(i);
        return EChybaSpojeni::Vystup;
    }

    // Nothing left open, pending or locked, and the next join gives the whole output.
    // A handle left open would keep its file locked for sharing as well.
    void ZkontrolujUklid(TPoruchy& poruchy) {
        EXPECT_EQ(poruchy.Otevrenych(), 0u) << "a handle leaked";
        EXPECT_EQ(TakeIoStatus(), 0) << "a failure stayed pending";
        poruchy.Zrus();
        const TBeh dalsi = Spoj();
        EXPECT_FALSE(dalsi.chyba) << dalsi.zprava;
        EXPECT_TRUE(PrectiSoubor(vystup_) == reference_);
    }

    TDocasnaSlozka slozka_;
    std::vector<std::string> vstupy_;
    std::string vystup_;
    std::string reference_;
    std::vector<std::size_t> konecSouboru_; // length of the reference up to each file's end
};

// The calls of the clean run by kind, each with its file. With large buffers the output is
// written on a thread of its own, so only the order within a kind is the same from run to run.
std::map<TVolani, std::vector<std::string>> PoDruzich(const std::vector<test::TZaznamVolani>& v) {
    std::map<TVolani, std::vector<std::string>> druhy;
    for (const auto& z : v)
        druhy[z.druh].push_back(z.soubor);
    return druhy;
}

TEST_P(FaultTest, EveryCallFailingInTurnStopsTheJoinCleanly) {
    TPoruchy poruchy;
    PripravVystup();
    const TBeh cisty = Spoj();
    ASSERT_FALSE(cisty.chyba) << cisty.zprava;
    ASSERT_TRUE(PrectiSoubor(vystup_) == reference_);
    ASSERT_GT(poruchy.Pocet(TVolani::Cteni), 3u);
    ASSERT_GT(poruchy.Pocet(TVolani::Zapis), 0u);
    // A new output is not truncated; an existing one is, in its open or on its own.
    EXPECT_LE(poruchy.Pocet(TVolani::Zkraceni), Existuje() ? 1u : 0u);
    for (const auto& [druh, soubory] : PoDruzich(poruchy.Volani())) {
        for (std::size_t n = 1; n <= soubory.size(); ++n) {
            const std::string& soubor = soubory[n - 1];
            SCOPED_TRACE(std::string(test::Nazev(druh)) + " " + std::to_string(n) + " on " +
                         soubor);
            PripravVystup();
            poruchy.Nastav(druh, n, TPorucha::Chyba, platforma::ChybaZarizeni);
            const TBeh beh = Spoj();
            ASSERT_TRUE(poruchy.Nastala());
            EXPECT_EQ(beh.jina, "") << "not an EChybaSpojeni";
            ASSERT_TRUE(beh.chyba);

            // The output's open: everything before the question of its kind of device comes
            // before it is emptied; that question unanswered leaves an output of unknown kind.
            const bool naVystupu = soubor == vystup_;
            const bool druhZarizeni = naVystupu && druh == TVolani::Druh;
            const bool predVyprazdnenim =
                naVystupu && (druh == TVolani::Otevreni || druh == TVolani::Udaje ||
                              druh == TVolani::Zamek || druh == TVolani::Zkraceni);
            const int kod = druhZarizeni ? int{IoNeniProZapis} : int{platforma::ChybaZarizeni};
            EXPECT_EQ(beh.kod, kod);
            EXPECT_EQ(beh.zprava, "I/O error " + std::to_string(kod));
            EXPECT_EQ(beh.soubor, Index(soubor));
            EXPECT_EQ(beh.cesta, soubor);

            // The output holds what was written before the failure, nothing else.
            const std::string obsah = PrectiSoubor(vystup_);
            if (predVyprazdnenim) {
                EXPECT_EQ(obsah, StaryObsah());
            } else {
                EXPECT_TRUE(obsah == poruchy.Zapsano());
                EXPECT_TRUE(reference_.compare(0, obsah.size(), obsah) == 0)
                    << test::Citelne(obsah);
            }
            // Files finished before a failing input are in the output whole.
            if (beh.soubor >= 0) {
                const auto i = static_cast<std::size_t>(beh.soubor);
                std::vector<std::size_t> hotove;
                for (std::size_t k = 0; k < i; ++k)
                    hotove.push_back(k);
                EXPECT_EQ(beh.hotove, hotove);
                EXPECT_GE(obsah.size(), i == 0 ? 0 : konecSouboru_[i - 1]);
            }
            ZkontrolujUklid(poruchy);
        }
        std::printf("buffer %u: %s failed at %zu positions\n", Buffer(), test::Nazev(druh),
                    soubory.size());
    }
}

TEST_P(FaultTest, ShortCountsAndInterruptionsGiveTheWholeOutput) {
    TPoruchy poruchy;
    PripravVystup();
    Spoj();
    const auto druhy = PoDruzich(poruchy.Volani());
    for (TPorucha porucha : {TPorucha::Preruseni, TPorucha::Kratce}) {
        for (const auto& [druh, soubory] : druhy) {
            if (porucha == TPorucha::Kratce && druh != TVolani::Cteni && druh != TVolani::Zapis)
                continue;
            for (std::size_t n = 1; n <= soubory.size(); ++n) {
                SCOPED_TRACE(std::string(porucha == TPorucha::Kratce ? "short " : "interrupted ") +
                             test::Nazev(druh) + " " + std::to_string(n));
                PripravVystup();
                poruchy.Nastav(druh, n, porucha);
                const TBeh beh = Spoj();
                EXPECT_TRUE(poruchy.Nastala());
                EXPECT_FALSE(beh.chyba) << beh.zprava;
                EXPECT_EQ(beh.jina, "");
                EXPECT_TRUE(PrectiSoubor(vystup_) == reference_);
                EXPECT_EQ(poruchy.Otevrenych(), 0u);
            }
        }
    }
}

// The system's reason reaches the message, for the file it happened to.
TEST_P(FaultTest, TheReasonNamesTheFailure) {
    const struct {
        TVolani druh;
        std::size_t n;
        int kod;
        const char* zprava;
        std::ptrdiff_t soubor;
    } pripady[] = {
        {TVolani::Otevreni, 1, 5, "File access denied", EChybaSpojeni::Vystup},
        {TVolani::Otevreni, 2, 2, "File not found", 0},
        {TVolani::Otevreni, 3, 4, "Too many open files", 1},
        {TVolani::Zapis, 1, 112, "I/O error 112", EChybaSpojeni::Vystup},
        {TVolani::Zapis, 1, 223, "I/O error 223", EChybaSpojeni::Vystup},
        {TVolani::Cteni, 1, 1117, "I/O error 1117", 0},
        {TVolani::Otevreni, 4, 32, "I/O error 32", 2},
    };
    TPoruchy poruchy;
    for (const auto& p : pripady) {
        SCOPED_TRACE(std::string(test::Nazev(p.druh)) + " " + std::to_string(p.n) + " " + p.zprava);
        PripravVystup();
        poruchy.Nastav(p.druh, p.n, TPorucha::Chyba, p.kod);
        const TBeh beh = Spoj();
        EXPECT_EQ(beh.jina, "");
        EXPECT_TRUE(beh.chyba);
        EXPECT_EQ(beh.kod, p.kod);
        EXPECT_EQ(beh.zprava, p.zprava);
        EXPECT_EQ(beh.soubor, p.soubor);
    }
}

// A write that failed is the failure reported, also when the output is written on a thread of
// its own and the join has read on to an input that fails too, and also when the failed write
// is the one of the bytes still buffered as the output is closed after that input's failure;
// the inputs before it are reported done, and the output keeps what was written before it.
TEST_P(FaultTest, AFailedWriteComesBeforeALaterInputsFailure) {
    std::size_t predZapisem = 0; // inputs whose output fits before the first write-out
    while (predZapisem < konecSouboru_.size() && konecSouboru_[predZapisem] < Buffer())
        ++predZapisem;
    const struct {
        const char* popis;
        std::string vstup;
    } pozdejsi[] = {
        {"a missing input", slozka_.Soubor("missing")},
        {"an input whose read fails", test::SouborSChybouCteni()},
    };
    TPoruchy poruchy;
    for (const auto& p : pozdejsi) {
        if (p.vstup.empty())
            continue;
        vstupy_.push_back(p.vstup);
        for (bool poSouborech : {true, false}) {
            SCOPED_TRACE(std::string(p.popis) + (poSouborech ? ", reporting each file" : ""));
            PripravVystup();
            poruchy.Nastav(TVolani::Zapis, 1, TPorucha::Chyba, platforma::ChybaMista);
            const TBeh beh = Spoj(poSouborech);
            ASSERT_TRUE(beh.chyba);
            EXPECT_EQ(beh.kod, 112);
            EXPECT_EQ(beh.soubor, EChybaSpojeni::Vystup);
            EXPECT_EQ(beh.cesta, vystup_);
            EXPECT_EQ(beh.hotove.size(), poSouborech ? predZapisem : 0);
            EXPECT_EQ(PrectiSoubor(vystup_), poruchy.Zapsano());
        }
        vstupy_.pop_back();
    }
}

INSTANTIATE_TEST_SUITE_P(Buffers, FaultTest,
                         ::testing::Combine(::testing::Values(128u, 4u * 1024, 16u * 1024,
                                                              64u * 1024, 1024u * 1024),
                                            ::testing::Bool()),
                         [](const auto& info) {
                             return "Buffer" + std::to_string(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "Existing" : "New");
                         });

} // namespace
} // namespace vantrel
