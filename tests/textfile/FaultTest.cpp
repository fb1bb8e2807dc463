#include "Pomocne.h"
#include "Poruchy.h"
#include "textfile/Spojeni.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

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
    {"beta one", std::string(300, 'b'), "", "beta four", "beta five with \xC5\xBE and \xFF"},
    {"gamma one", "gamma two", "gamma three", "gamma four", "gamma five, no line end"},
};

class FaultTest : public ::testing::TestWithParam<std::uint32_t> {
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

    TBeh Spoj() {
        TBeh beh;
        TSpojeni spojeni;
        for (const auto& v : vstupy_)
            spojeni.Vstupy.push_back(U16(v));
        spojeni.Vystup = U16(vystup_);
        spojeni.VelikostBufferu = GetParam();
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
    void ZkontrolujUklid(TPoruchy& poruchy, int otevrenych) {
        EXPECT_EQ(test::PocetOtevrenychSouboru(), otevrenych) << "a descriptor leaked";
        EXPECT_EQ(TakeIoStatus(), 0) << "a failure stayed pending";
        std::vector<std::string> soubory = vstupy_;
        soubory.push_back(vystup_);
        for (const auto& cesta : soubory) {
            const int fd = ::open(cesta.c_str(), O_RDWR | O_CLOEXEC);
            if (fd < 0)
                continue; // an output that was never created
            struct flock zamek {};
            zamek.l_type = F_WRLCK;
            zamek.l_whence = SEEK_SET;
            EXPECT_EQ(::fcntl(fd, F_OFD_SETLK, &zamek), 0) << cesta << " stayed locked";
            ::close(fd);
        }
        poruchy.Nastav(TVolani::Libovolne, 0, TPorucha::Chyba);
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

TEST_P(FaultTest, EveryCallFailingInTurnStopsTheJoinCleanly) {
    TPoruchy poruchy;
    const TBeh cisty = Spoj();
    ASSERT_FALSE(cisty.chyba) << cisty.zprava;
    ASSERT_TRUE(PrectiSoubor(vystup_) == reference_);
    const std::vector<test::TZaznamVolani> volani = poruchy.Volani();
    ASSERT_GT(poruchy.Pocet(TVolani::Read), 3u);
    ASSERT_GT(poruchy.Pocet(TVolani::Write), 0u);

    const int otevrenych = test::PocetOtevrenychSouboru();
    std::map<std::string, int> vyzkouseno;
    for (std::size_t n = 1; n <= volani.size(); ++n) {
        const test::TZaznamVolani& cil = volani[n - 1];
        SCOPED_TRACE(std::to_string(n) + ": " + test::Nazev(cil.druh) + " on " + cil.soubor);
        ++vyzkouseno[test::Nazev(cil.druh)];
        slozka_.Zapis("out", "old contents");
        poruchy.Nastav(TVolani::Libovolne, n, TPorucha::Chyba, EIO);
        const TBeh beh = Spoj();
        ASSERT_TRUE(poruchy.Nastala());
        EXPECT_EQ(beh.jina, "") << "not an EChybaSpojeni";
        ASSERT_TRUE(beh.chyba);

        // The output's open: its own fstat, lock and truncation come before it is emptied; the
        // second fstat asks for the kind of device, which it then cannot tell.
        const bool naVystupu = cil.soubor == vystup_;
        std::size_t fstatVystupu = 0;
        for (std::size_t k = 0; k + 1 < n; ++k)
            fstatVystupu += volani[k].druh == TVolani::Fstat && volani[k].soubor == vystup_;
        const bool druhZarizeni = naVystupu && cil.druh == TVolani::Fstat && fstatVystupu == 1;
        const bool predVyprazdnenim =
            naVystupu && !druhZarizeni &&
            (cil.druh == TVolani::Open || cil.druh == TVolani::Fstat ||
             cil.druh == TVolani::Zamkni || cil.druh == TVolani::Ftruncate);
        const int kod = druhZarizeni ? IoNeniProZapis : 1117;
        EXPECT_EQ(beh.kod, kod);
        EXPECT_EQ(beh.zprava, "I/O error " + std::to_string(kod));
        EXPECT_EQ(beh.soubor, Index(cil.soubor));
        EXPECT_EQ(beh.cesta, cil.soubor);

        // The output holds what was written before the failure, nothing else.
        const std::string obsah = PrectiSoubor(vystup_);
        if (predVyprazdnenim) {
            EXPECT_EQ(obsah, "old contents");
        } else {
            EXPECT_TRUE(obsah == poruchy.Zapsano());
            EXPECT_TRUE(reference_.compare(0, obsah.size(), obsah) == 0) << test::Citelne(obsah);
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
        ZkontrolujUklid(poruchy, otevrenych);
    }
    for (const auto& [druh, pocet] : vyzkouseno)
        std::printf("buffer %u: %s failed at %d positions\n", GetParam(), druh.c_str(), pocet);
}

TEST_P(FaultTest, ShortCountsAndInterruptionsGiveTheWholeOutput) {
    TPoruchy poruchy;
    Spoj();
    const std::vector<test::TZaznamVolani> volani = poruchy.Volani();
    const int otevrenych = test::PocetOtevrenychSouboru();
    for (TPorucha porucha : {TPorucha::Preruseni, TPorucha::Kratce}) {
        for (std::size_t n = 1; n <= volani.size(); ++n) {
            const TVolani druh = volani[n - 1].druh;
            if (porucha == TPorucha::Kratce && druh != TVolani::Read && druh != TVolani::Write)
                continue;
            SCOPED_TRACE(std::string(porucha == TPorucha::Kratce ? "short " : "interrupted ") +
                         test::Nazev(druh) + " at " + std::to_string(n));
            poruchy.Nastav(TVolani::Libovolne, n, porucha);
            const TBeh beh = Spoj();
            EXPECT_TRUE(poruchy.Nastala());
            EXPECT_FALSE(beh.chyba) << beh.zprava;
            EXPECT_EQ(beh.jina, "");
            EXPECT_TRUE(PrectiSoubor(vystup_) == reference_);
            EXPECT_EQ(test::PocetOtevrenychSouboru(), otevrenych);
        }
    }
}

// The system's reason reaches the message, for the file it happened to.
TEST_P(FaultTest, TheReasonNamesTheFailure) {
    const struct {
        TVolani druh;
        std::size_t n;
        int cislo;
        int kod;
        const char* zprava;
        std::ptrdiff_t soubor;
    } pripady[] = {
        {TVolani::Open, 1, EACCES, 5, "File access denied", EChybaSpojeni::Vystup},
        {TVolani::Open, 2, ENOENT, 2, "File not found", 0},
        {TVolani::Open, 3, EMFILE, 4, "Too many open files", 1},
        {TVolani::Open, 4, ENFILE, 4, "Too many open files", 2},
        {TVolani::Write, 1, ENOSPC, 112, "I/O error 112", EChybaSpojeni::Vystup},
        {TVolani::Write, 1, EDQUOT, 112, "I/O error 112", EChybaSpojeni::Vystup},
        {TVolani::Write, 1, EFBIG, 223, "I/O error 223", EChybaSpojeni::Vystup},
        {TVolani::Read, 1, EIO, 1117, "I/O error 1117", 0},
        {TVolani::Zamkni, 3, EAGAIN, 32, "I/O error 32", 1},
        {TVolani::Ftruncate, 1, EPERM, 5, "File access denied", EChybaSpojeni::Vystup},
    };
    TPoruchy poruchy;
    for (const auto& p : pripady) {
        SCOPED_TRACE(std::string(test::Nazev(p.druh)) + " " + std::to_string(p.n) + " " + p.zprava);
        poruchy.Nastav(p.druh, p.n, TPorucha::Chyba, p.cislo);
        const TBeh beh = Spoj();
        EXPECT_EQ(beh.jina, "");
        EXPECT_TRUE(beh.chyba);
        EXPECT_EQ(beh.kod, p.kod);
        EXPECT_EQ(beh.zprava, p.zprava);
        EXPECT_EQ(beh.soubor, p.soubor);
    }
}

INSTANTIATE_TEST_SUITE_P(Buffers, FaultTest, ::testing::Values(128u, 64u * 1024),
                         [](const auto& info) { return "Buffer" + std::to_string(info.param); });

} // namespace
} // namespace vantrel
