#include "../Platforma.h"
#include "platforma/Utf8.h"
#include "support/SoubUtility.h"
#include "tests/textfile/Pomocne.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <elf.h>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// File facts that only POSIX has: the version record in an ELF section, time zones from the
// environment, times set to the nanosecond, sparse files and names that are not UTF-8.
using namespace vantrel;
using namespace vantrel::test;

namespace {

using TBajty = std::vector<unsigned char>;

std::u16string U(const char* utf8) {
    return DekodujUtf8(utf8);
}

class TTzGuard {
public:
    explicit TTzGuard(const char* tz) {
        if (const char* p = std::getenv("TZ")) {
            puvodni_ = p;
            mel_ = true;
        }
        ::setenv("TZ", tz, 1);
        ::tzset();
    }
    ~TTzGuard() {
        if (mel_)
            ::setenv("TZ", puvodni_.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::string puvodni_;
    bool mel_ = false;
};

// A minimal ELF file: header, section headers (null, .shstrtab, .vantrel_version), the string
// table and the 16-byte record last, so that any truncation cuts into the record.
struct TElfVzor {
    bool elf64;
    bool msb;
    TBajty b;
    std::size_t shoff = 0;
    std::size_t zaznam = 0;

    TElfVzor(bool e64, bool bigEndian, const std::uint16_t (&cisla)[4])
        : elf64(e64), msb(bigEndian) {
        const std::size_t ehsize = elf64 ? 64 : 52;
        const std::size_t shentsize = elf64 ? 64 : 40;
        const char nazvy[] = "\0.shstrtab\0.vantrel_version\0";
        shoff = ehsize;
        const std::size_t strtab = shoff + 3 * shentsize;
        zaznam = strtab + sizeof nazvy;
        b.assign(zaznam + 16, 0);
        const unsigned char ident[] = {0x7f,
                                       'E',
                                       'L',
                                       'F',
                                       static_cast<unsigned char>(elf64 ? 2 : 1),
                                       static_cast<unsigned char>(msb ? 2 : 1),
                                       1};
        std::memcpy(b.data(), ident, sizeof ident);
        Pis(16, 2, 1);  // ET_REL
        Pis(18, 2, 62); // EM_X86_64
        Pis(20, 4, 1);  // EV_CURRENT
        Pis(elf64 ? 40 : 32, elf64 ? 8 : 4, shoff);
        Pis(elf64 ? 52 : 40, 2, ehsize);
        Pis(elf64 ? 58 : 46, 2, shentsize);
        Pis(elf64 ? 60 : 48, 2, 3);
        Pis(elf64 ? 62 : 50, 2, 1);
        std::memcpy(b.data() + strtab, nazvy, sizeof nazvy);
        NastavSekci(1, kNazev, 1);
        NastavSekci(1, kTyp, SHT_STRTAB);
        NastavSekci(1, kPosun, strtab);
        NastavSekci(1, kVelikost, sizeof nazvy);
        NastavSekci(2, kNazev, 11);
        NastavSekci(2, kTyp, SHT_PROGBITS);
        NastavSekci(2, kPosun, zaznam);
        NastavSekci(2, kVelikost, 16);
        std::memcpy(b.data() + zaznam, "VTRLVER", 8);
        for (int i = 0; i < 4; ++i)
            Pis(zaznam + 8 + 2 * std::size_t(i), 2, cisla[i]);
    }

    enum TPole { kNazev, kTyp, kPosun, kVelikost };

    void NastavSekci(int sekce, TPole pole, std::uint64_t hodnota) {
        const std::size_t zaklad = shoff + std::size_t(sekce) * (elf64 ? 64 : 40);
        switch (pole) {
        case kNazev:
            Pis(zaklad, 4, hodnota);
            break;
        case kTyp:
            Pis(zaklad + 4, 4, hodnota);
            break;
        case kPosun:
            Pis(zaklad + (elf64 ? 24 : 16), elf64 ? 8 : 4, hodnota);
            break;
        case kVelikost:
            Pis(zaklad + (elf64 ? 32 : 20), elf64 ? 8 : 4, hodnota);
            break;
        }
    }

    void Pis(std::size_t kde, int delka, std::uint64_t hodnota) {
        for (int i = 0; i < delka; ++i) {
            const int posun = msb ? (delka - 1 - i) * 8 : i * 8;
            b[kde + std::size_t(i)] = static_cast<unsigned char>(hodnota >> posun);
        }
    }
};

constexpr std::uint16_t kCisla[4] = {1, 2, 3, 258};

class SoubUtilityPosix : public ::testing::Test {
protected:
    std::u16string Verze(const TBajty& obsah, std::uint8_t forma = 0) const {
        const std::string cesta = slozka_.Zapis("elf", std::string(obsah.begin(), obsah.end()));
        return info_.VerzeSouboru(DekodujUtf8(cesta), forma);
    }

    TDocasnaSlozka slozka_;
    TSouboroveInfo info_;
};

TEST_F(SoubUtilityPosix, TheVersionIsReadInEitherByteOrderAndClass) {
    for (bool elf64 : {false, true}) {
        for (bool msb : {false, true}) {
            SCOPED_TRACE(testing::Message() << "elf64 " << elf64 << " msb " << msb);
            const TElfVzor vzor(elf64, msb, kCisla);
            EXPECT_EQ(Verze(vzor.b, 0), u"1.2.3.258");
            EXPECT_EQ(Verze(vzor.b, 1), u"1");
            EXPECT_EQ(Verze(vzor.b, 2), u"1.2");
            EXPECT_EQ(Verze(vzor.b, 3), u"1.2.3");
        }
    }
    const std::uint16_t krajni[4] = {65535, 0, 256, 1};
    EXPECT_EQ(Verze(TElfVzor(true, true, krajni).b), u"65535.0.256.1");
}

TEST_F(SoubUtilityPosix, ADamagedElfFileHasNoVersion) {
    using TUprava = void (*)(TElfVzor&);
    struct TPripad {
        const char* nazev;
        TUprava uprava;
    };
    const TPripad pripady[] = {
        {"record outside the file",
         [](TElfVzor& v) { v.NastavSekci(2, TElfVzor::kPosun, v.b.size() - 8); }},
        {"record offset wraps",
         [](TElfVzor& v) { v.NastavSekci(2, TElfVzor::kPosun, ~std::uint64_t{0} - 7); }},
        {"record size huge", [](TElfVzor& v) { v.NastavSekci(2, TElfVzor::kVelikost, ~0ull); }},
        {"record smaller than 16", [](TElfVzor& v) { v.NastavSekci(2, TElfVzor::kVelikost, 15); }},
        {"record is NOBITS", [](TElfVzor& v) { v.NastavSekci(2, TElfVzor::kTyp, SHT_NOBITS); }},
        {"name past the string table",
         [](TElfVzor& v) { v.NastavSekci(2, TElfVzor::kNazev, 0xFFFFFF); }},
        {"string table cut short", [](TElfVzor& v) { v.NastavSekci(1, TElfVzor::kVelikost, 3); }},
        {"string table outside the file",
         [](TElfVzor& v) { v.NastavSekci(1, TElfVzor::kPosun, 0x7FFFFFF0); }},
        {"string table index out of range", [](TElfVzor& v) { v.Pis(v.elf64 ? 62 : 50, 2, 7); }},
        {"section headers outside the file",
         [](TElfVzor& v) { v.Pis(v.elf64 ? 40 : 32, v.elf64 ? 8 : 4, 0x7FFFFF00); }},
        {"too many sections", [](TElfVzor& v) { v.Pis(v.elf64 ? 60 : 48, 2, 0xFFFF); }},
        {"unknown byte order", [](TElfVzor& v) { v.b[EI_DATA] = 3; }},
        {"no byte order", [](TElfVzor& v) { v.b[EI_DATA] = 0; }},
        {"unknown class", [](TElfVzor& v) { v.b[EI_CLASS] = 9; }},
        {"wrong magic in the record", [](TElfVzor& v) { v.b[v.zaznam + 3] = 'X'; }},
        {"other section name", [](TElfVzor& v) { v.NastavSekci(2, TElfVzor::kNazev, 1); }},
        {"no ELF magic", [](TElfVzor& v) { v.b[1] = 'e'; }},
    };
    for (bool elf64 : {false, true}) {
        for (bool msb : {false, true}) {
            for (const TPripad& p : pripady) {
                SCOPED_TRACE(testing::Message()
                             << p.nazev << ", elf64 " << elf64 << " msb " << msb);
                TElfVzor vzor(elf64, msb, kCisla);
                p.uprava(vzor);
                for (int forma = 0; forma <= 3; ++forma)
                    EXPECT_EQ(Verze(vzor.b, std::uint8_t(forma)), u"");
            }
        }
    }
}

TEST_F(SoubUtilityPosix, AnElfFileCutAtAnyLengthHasNoVersion) {
    for (bool elf64 : {false, true}) {
        const TElfVzor vzor(elf64, !elf64, kCisla);
        for (std::size_t delka = 0; delka < vzor.b.size(); ++delka) {
            SCOPED_TRACE(testing::Message() << "elf64 " << elf64 << " length " << delka);
            EXPECT_EQ(Verze(TBajty(vzor.b.begin(), vzor.b.begin() + long(delka))), u"");
        }
    }
}

// The real executable, cut and corrupted: never a crash, never a wrong number.
TEST_F(SoubUtilityPosix, TheProgramCutOrCorruptedNeverGivesAWrongVersion) {
    const std::string obsah = PrectiSoubor("/proc/self/exe");
    const TBajty vlastni(obsah.begin(), obsah.end());
    ASSERT_GE(vlastni.size(), sizeof(Elf64_Ehdr));
    Elf64_Ehdr eh;
    std::memcpy(&eh, vlastni.data(), sizeof eh);
    ASSERT_EQ(eh.e_ident[EI_CLASS], ELFCLASS64);
    ASSERT_LE(eh.e_shoff + std::uint64_t(eh.e_shnum) * sizeof(Elf64_Shdr), vlastni.size());
    auto hlavicka = [&](std::size_t i) {
        Elf64_Shdr sh;
        std::memcpy(&sh, vlastni.data() + eh.e_shoff + i * sizeof sh, sizeof sh);
        return sh;
    };
    const Elf64_Shdr nazvy = hlavicka(eh.e_shstrndx);
    std::size_t indexZaznamu = 0;
    for (std::size_t i = 1; i < eh.e_shnum; ++i) {
        const char* n =
            reinterpret_cast<const char*>(vlastni.data() + nazvy.sh_offset + hlavicka(i).sh_name);
        if (std::strcmp(n, ".vantrel_version") == 0)
            indexZaznamu = i;
    }
    ASSERT_NE(indexZaznamu, 0u);
    const Elf64_Shdr zaznam = hlavicka(indexZaznamu);
    const std::size_t poleZaznamu = eh.e_shoff + indexZaznamu * sizeof(Elf64_Shdr);
    // Its version is the one the build records (SoubUtilityTest.cpp).
    const std::u16string verze = info_.VerzeSouboru(u"/proc/self/exe", 0);
    ASSERT_FALSE(verze.empty());

    struct TPripad {
        const char* nazev;
        std::size_t kde;
        std::uint64_t hodnota;
    };
    const TPripad pripady[] = {
        {"sh_offset huge", poleZaznamu + offsetof(Elf64_Shdr, sh_offset), ~0ull - 4},
        {"sh_offset past the end", poleZaznamu + offsetof(Elf64_Shdr, sh_offset), vlastni.size()},
        {"sh_size huge", poleZaznamu + offsetof(Elf64_Shdr, sh_size), ~0ull},
        {"sh_size 8", poleZaznamu + offsetof(Elf64_Shdr, sh_size), 8},
        {"e_shoff huge", offsetof(Elf64_Ehdr, e_shoff), ~0ull - 100},
        {"e_shoff inside the header", offsetof(Elf64_Ehdr, e_shoff), 1},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        TBajty kopie = vlastni;
        std::memcpy(kopie.data() + p.kde, &p.hodnota, sizeof p.hodnota);
        EXPECT_EQ(Verze(kopie), u"");
    }

    // Cut one copy shorter and shorter: around the headers, the record and everywhere between.
    std::vector<std::size_t> delky;
    for (std::size_t d = 0; d < 80; ++d)
        delky.push_back(d);
    for (std::size_t d = 0; d <= 16; ++d)
        delky.push_back(zaznam.sh_offset + d);
    for (std::size_t i = 0; i <= eh.e_shnum; ++i) {
        for (std::size_t d : {0, 1, 24, 32, 40, 63})
            delky.push_back(eh.e_shoff + i * sizeof(Elf64_Shdr) + d);
    }
    for (std::size_t i = 1; i < 64; ++i)
        delky.push_back(vlastni.size() * i / 64);
    std::sort(delky.begin(), delky.end(), std::greater<>());
    const std::string cesta = slozka_.Zapis("orez", obsah);
    const int fd = ::open(cesta.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    for (std::size_t d : delky) {
        if (d >= vlastni.size())
            continue;
        SCOPED_TRACE(testing::Message() << "length " << d);
        ASSERT_EQ(::ftruncate(fd, off_t(d)), 0);
        const std::u16string v = info_.VerzeSouboru(DekodujUtf8(cesta), 0);
        if (d < zaznam.sh_offset + 16)
            EXPECT_EQ(v, u"");
        else
            EXPECT_TRUE(v.empty() || v == verze) << KodujUtf8(v);
    }
    ::close(fd);
}

TEST_F(SoubUtilityPosix, AFileStampedAtMidnightShowsItsDateAlone) {
    const std::string c = slozka_.Zapis("datum.txt", "x");
    const struct {
        int sekunda;
        long nanosekundy;
        const char* text;
    } pripady[] = {
        {0, 0, "04.03.2021"},
        {0, 999999999, "04.03.2021"},
        {1, 0, "04.03.2021 00:00:01"},
        {59, 500000000, "04.03.2021 00:00:59"},
    };
    const TNastaveneKonvence ceske(Ceske);
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.text);
        std::tm t{};
        t.tm_year = 2021 - 1900;
        t.tm_mon = 2;
        t.tm_mday = 4;
        t.tm_sec = p.sekunda;
        t.tm_isdst = -1;
        const timespec casy[2] = {{std::mktime(&t), p.nanosekundy},
                                  {std::mktime(&t), p.nanosekundy}};
        ASSERT_EQ(::utimensat(AT_FDCWD, c.c_str(), casy, 0), 0);
        const double mtime = info_.DatumSouboru(DekodujUtf8(c), 1);
        EXPECT_EQ(TextCasoveZnacky(mtime), U(p.text));
        EXPECT_NEAR(mtime, HodnotaDatumu(2021, 3, 4, 0, 0, p.sekunda, int(p.nanosekundy / 1000000)),
                    1e-9);
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(DekodujUtf8(c), 2)), U(p.text));
    }
}

TEST_F(SoubUtilityPosix, EachKindOfTimeUsesTheOffsetInForceAtThatTime) {
    const std::string c = slozka_.Zapis("druhy.txt", "x");
    const TNastaveneKonvence ceske(Ceske);
    const timespec casy[2] = {{1000000000, 0}, {1600000000, 0}}; // atime, mtime
    ASSERT_EQ(::utimensat(AT_FDCWD, c.c_str(), casy, 0), 0);
    {
        const TTzGuard utc("UTC0");
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(DekodujUtf8(c), 1)), u"13.09.2020 12:26:40");
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(DekodujUtf8(c), 2)), u"09.09.2001 01:46:40");
        // The creation time cannot be set; it is the birth or status change time, both just now.
        const double ted = double(std::time(nullptr)) / 86400.0 + 25569.0;
        EXPECT_NEAR(info_.DatumSouboru(DekodujUtf8(c), 0), ted, 120.0 / 86400.0);
    }
    {
        // Central Europe: +1 in winter, +2 in summer, whatever the offset is today.
        const TTzGuard stredni("CET-1CEST,M3.5.0,M10.5.0/3");
        const timespec leto[2] = {{1625133600, 0}, {1625133600, 0}}; // 1 Jul 2021 10:00 UTC
        ASSERT_EQ(::utimensat(AT_FDCWD, c.c_str(), leto, 0), 0);
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(DekodujUtf8(c), 1)), u"01.07.2021 12:00:00");
        const timespec zima[2] = {{1638352800, 0}, {1638352800, 0}}; // 1 Dec 2021 10:00 UTC
        ASSERT_EQ(::utimensat(AT_FDCWD, c.c_str(), zima, 0), 0);
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(DekodujUtf8(c), 1)), u"01.12.2021 11:00:00");
    }
}

TEST_F(SoubUtilityPosix, ASizeBeyond4GiBIsKeptWhole) {
    const std::string velky = slozka_.Zapis("velky", "");
    const std::int64_t delka = (std::int64_t{5} << 30) + 1;
    ASSERT_EQ(::truncate(velky.c_str(), off_t(delka)), 0);
    const TNastaveneKonvence anglicke(Anglicke);
    EXPECT_EQ(info_.VelikostSouboru(DekodujUtf8(velky)), delka);
    EXPECT_EQ(TextVelikosti(info_.VelikostSouboru(DekodujUtf8(velky))), u"5120.000 MB");
}

// A name in another codeset than UTF-8, as the window holds it: its bytes
// that are not UTF-8 as U+DC80 + byte. Its facts are those of the file.
TEST_F(SoubUtilityPosix, FactsOfANameThatIsNotUtf8) {
    const std::string utf8 = slozka_.Zapis("žluť.txt", "ab\n");
    const std::u16string jinak = DekodujUtf8(slozka_.Cesta()) + u"/\xDCBElu\xDCBB.txt";
    ASSERT_EQ(::rename(utf8.c_str(), slozka_.Soubor("\xBElu\xBB.txt").c_str()), 0);
    EXPECT_EQ(info_.VelikostSouboru(jinak), 3);
    EXPECT_NE(info_.DatumSouboru(jinak, 1), ChybejiciCasovaZnacka);
    EXPECT_EQ(info_.TypSouboru(jinak), info_.TypSouboru(DekodujUtf8(slozka_.Zapis("a.txt", ""))));
}

} // namespace
