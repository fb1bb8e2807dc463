#include "support/SoubUtility.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace vantrel;

namespace {

using TBajty = std::vector<unsigned char>;

// The version as the build records it ("3.0.0.1"); the tweak may come with a leading zero.
QString OcekavanaVerze() {
    QStringList casti = QString::fromLatin1(VANTREL_VERZE).split(u'.');
    for (QString& c : casti)
        c = QString::number(c.toInt());
    return casti.join(u'.');
}

TBajty CtiSoubor(const QString& cesta) {
    QFile f(cesta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray obsah = f.readAll();
    return TBajty(obsah.begin(), obsah.end());
}

void ZapisSoubor(const QString& cesta, const TBajty& obsah) {
    QFile f(cesta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(obsah.data()), qint64(obsah.size())),
              qint64(obsah.size()));
}

class TLocaleGuard {
public:
    explicit TLocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~TLocaleGuard() { QLocale::setDefault(puvodni_); }

private:
    QLocale puvodni_;
};

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

class SoubUtility : public ::testing::Test {
protected:
    QString Cesta(const QString& nazev) const { return adresar_.filePath(nazev); }

    QString Zapis(const QString& nazev, const TBajty& obsah) const {
        const QString c = Cesta(nazev);
        ZapisSoubor(c, obsah);
        return c;
    }

    QString Verze(const TBajty& obsah, std::uint8_t forma = 0) const {
        return info_.VerzeSouboru(Zapis(QStringLiteral("elf"), obsah), forma);
    }

    QTemporaryDir adresar_;
    TSouboroveInfo info_;
};

TEST_F(SoubUtility, VerzeVlastnihoSouboruVeVsechForamch) {
    const QString verze = OcekavanaVerze();
    const QStringList cisla = verze.split(u'.');
    ASSERT_EQ(cisla.size(), 4);
    const QString cesta = QStringLiteral("/proc/self/exe");
    EXPECT_EQ(info_.VerzeSouboru(cesta, 0), verze);
    EXPECT_EQ(info_.VerzeSouboru(cesta, 1), cisla.mid(0, 1).join(u'.'));
    EXPECT_EQ(info_.VerzeSouboru(cesta, 2), cisla.mid(0, 2).join(u'.'));
    EXPECT_EQ(info_.VerzeSouboru(cesta, 3), cisla.mid(0, 3).join(u'.'));
    EXPECT_EQ(info_.VerzeSouboru(QCoreApplication::applicationFilePath(), 0), verze);
    for (int forma : {4, 5, 127, 255}) {
        SCOPED_TRACE(forma);
        EXPECT_EQ(info_.VerzeSouboru(cesta, std::uint8_t(forma)), QString());
    }
}

TEST_F(SoubUtility, VerzeDbaPoradiBajtuATridy) {
    for (bool elf64 : {false, true}) {
        for (bool msb : {false, true}) {
            SCOPED_TRACE(testing::Message() << "elf64 " << elf64 << " msb " << msb);
            const TElfVzor vzor(elf64, msb, kCisla);
            EXPECT_EQ(Verze(vzor.b, 0), QStringLiteral("1.2.3.258"));
            EXPECT_EQ(Verze(vzor.b, 1), QStringLiteral("1"));
            EXPECT_EQ(Verze(vzor.b, 2), QStringLiteral("1.2"));
            EXPECT_EQ(Verze(vzor.b, 3), QStringLiteral("1.2.3"));
        }
    }
    const std::uint16_t krajni[4] = {65535, 0, 256, 1};
    EXPECT_EQ(Verze(TElfVzor(true, true, krajni).b), QStringLiteral("65535.0.256.1"));
}

TEST_F(SoubUtility, VerzePoskozenehoElfuJePrazdna) {
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
                    EXPECT_EQ(Verze(vzor.b, std::uint8_t(forma)), QString());
            }
        }
    }
}

TEST_F(SoubUtility, VerzeOrezanehoElfuJePrazdnaPriKazdeDelce) {
    for (bool elf64 : {false, true}) {
        const TElfVzor vzor(elf64, !elf64, kCisla);
        for (std::size_t delka = 0; delka < vzor.b.size(); ++delka) {
            SCOPED_TRACE(testing::Message() << "elf64 " << elf64 << " length " << delka);
            EXPECT_EQ(Verze(TBajty(vzor.b.begin(), vzor.b.begin() + long(delka))), QString());
        }
    }
}

// The real executable, cut and corrupted: never a crash, never a wrong number.
TEST_F(SoubUtility, VerzePoskozenehoSpustitelnehoSouboru) {
    const TBajty vlastni = CtiSoubor(QStringLiteral("/proc/self/exe"));
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
    const QString verze = OcekavanaVerze();

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
        EXPECT_EQ(Verze(kopie), QString());
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
    const QString cesta = Zapis(QStringLiteral("orez"), vlastni);
    const int fd = ::open(QFile::encodeName(cesta).constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    for (std::size_t d : delky) {
        if (d >= vlastni.size())
            continue;
        SCOPED_TRACE(testing::Message() << "length " << d);
        ASSERT_EQ(::ftruncate(fd, off_t(d)), 0);
        const QString v = info_.VerzeSouboru(cesta, 0);
        if (d < zaznam.sh_offset + 16)
            EXPECT_EQ(v, QString());
        else
            EXPECT_TRUE(v.isEmpty() || v == verze) << v.toStdString();
    }
    ::close(fd);
}

TEST_F(SoubUtility, VerzeJinychSouboruJePrazdna) {
    const QString text = Zapis(QStringLiteral("text.txt"), TBajty{'a', 'b', '\n'});
    const QString prazdny = Zapis(QStringLiteral("prazdny"), TBajty{});
    const QString fifo = Cesta(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString sNulou = QStringLiteral("/proc/self/exe") + QChar(u'\0') + QStringLiteral("x");
    const QString cesty[] = {text,
                             prazdny,
                             fifo,
                             adresar_.path(),
                             Cesta(QStringLiteral("chybi")),
                             QString(),
                             QStringLiteral("/dev/null"),
                             sNulou};
    for (const QString& c : cesty) {
        SCOPED_TRACE(c.toStdString());
        for (int forma = 0; forma <= 3; ++forma)
            EXPECT_EQ(info_.VerzeSouboru(c, std::uint8_t(forma)), QString());
    }
}

TEST(TextCasoveZnacky, Tabulka) {
    const TLocaleGuard cesky{QLocale(QLocale::Czech)};
    const struct {
        double hodnota;
        const char* text;
    } pripady[] = {
        {ChybejiciCasovaZnacka, "01.01.1900 18:00:00"},
        {0.0, "30.12.1899"},
        {1.0, "31.12.1899"},
        {-1.25, "29.12.1899 06:00:00"},
        {HodnotaDatumu(2021, 3, 4, 0, 0, 0, 999), "04.03.2021"},
        {HodnotaDatumu(2021, 3, 4, 0, 0, 1, 0), "04.03.2021 00:00:01"},
        {HodnotaDatumu(2024, 2, 29, 23, 59, 59, 999), "29.02.2024 23:59:59"},
        {HodnotaDatumu(2000, 1, 1, 12, 0, 0), "01.01.2000 12:00:00"},
        {HodnotaDatumu(9999, 12, 31, 23, 59, 59, 999), "31.12.9999 23:59:59"},
        {HodnotaDatumu(100, 1, 1, 7, 8, 9), "01.01.0100 07:08:09"},
        {std::nan(""), ""},
        {std::numeric_limits<double>::infinity(), ""},
        {-std::numeric_limits<double>::infinity(), ""},
        {2958466.0, ""},
        {-657435.0, ""},
        {-657434.999, "01.01.0100 23:58:33"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.text);
        EXPECT_EQ(TextCasoveZnacky(p.hodnota), QString::fromUtf8(p.text));
    }
}

TEST(TextCasoveZnacky, OddelovacCasuZLocale) {
    const struct {
        QLocale::Language jazyk;
        const char* text;
    } pripady[] = {
        {QLocale::Czech, "01.01.1900 18:00:00"},
        {QLocale::Finnish, "01.01.1900 18.00.00"},
        {QLocale::English, "01.01.1900 18:00:00"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.text);
        const TLocaleGuard l{QLocale(p.jazyk)};
        EXPECT_EQ(TextCasoveZnacky(2.75), QString::fromUtf8(p.text));
    }
}

TEST(TextVelikosti, Prahy) {
    const TLocaleGuard anglicky(QLocale(QLocale::English, QLocale::UnitedStates));
    const qint64 GiB = qint64{1} << 30;
    const struct {
        qint64 velikost;
        const char* text;
    } pripady[] = {
        {-1, "-1 B"},
        {0, "0 B"},
        {10240, "10240 B"},
        {10241, "10.001 kB"},
        {1048576, "1024.000 kB"},
        {1048577, "1.000 MB"},
        {2 * GiB, "2048.000 MB"},
        {3 * GiB, "3072.000 MB"},
        {5 * GiB + 1, "5120.000 MB"},
        {std::numeric_limits<qint64>::max(), "8796093022208.000 MB"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.text);
        EXPECT_EQ(TextVelikosti(p.velikost), QString::fromUtf8(p.text));
        EXPECT_EQ(TextVelikosti(p.velikost, true), u'(' + QString::fromUtf8(p.text) + u')');
    }
}

TEST(TextVelikosti, CeskaDesetinnaCarkaBezSeskupeni) {
    const TLocaleGuard cesky{QLocale(QLocale::Czech)};
    EXPECT_EQ(TextVelikosti(10241), QStringLiteral("10,001 kB"));
    EXPECT_EQ(TextVelikosti(3 * (qint64{1} << 30)), QStringLiteral("3072,000 MB"));
    EXPECT_EQ(TextVelikosti(1048577, true), QStringLiteral("(1,000 MB)"));
    EXPECT_EQ(TextVelikosti(10240, true), QStringLiteral("(10240 B)"));
}

TEST_F(SoubUtility, VelikostSouboru) {
    const struct {
        const char* nazev;
        std::size_t velikost;
    } pripady[] = {{"nula", 0}, {"prah", 10240}, {"nad", 10241}, {".skryty", 1048577}};
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const QString c = Zapis(QString::fromLatin1(p.nazev), TBajty(p.velikost, 'x'));
        EXPECT_EQ(info_.VelikostSouboru(c), qint64(p.velikost));
    }

    const QString velky = Zapis(QStringLiteral("velky"), TBajty{});
    const qint64 delka = (qint64{5} << 30) + 1;
    ASSERT_EQ(::truncate(QFile::encodeName(velky).constData(), off_t(delka)), 0);
    EXPECT_EQ(info_.VelikostSouboru(velky), delka);
    EXPECT_EQ(TextVelikosti(info_.VelikostSouboru(velky)), QStringLiteral("5120.000 MB"));

    EXPECT_EQ(info_.VelikostSouboru(Cesta(QStringLiteral("chybi"))), -1);
    EXPECT_EQ(info_.VelikostSouboru(QString()), -1);
    EXPECT_EQ(info_.VelikostSouboru(velky + QChar(u'\0') + QStringLiteral("x")), -1);
}

TEST_F(SoubUtility, DatumPulnociBezCasu) {
    const QString c = Zapis(QStringLiteral("datum.txt"), TBajty{'x'});
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
    const TLocaleGuard cesky{QLocale(QLocale::Czech)};
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
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(c).constData(), casy, 0), 0);
        const double mtime = info_.DatumSouboru(c, 1);
        EXPECT_EQ(TextCasoveZnacky(mtime), QString::fromUtf8(p.text));
        EXPECT_NEAR(mtime, HodnotaDatumu(2021, 3, 4, 0, 0, p.sekunda, int(p.nanosekundy / 1000000)),
                    1e-9);
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(c, 2)), QString::fromUtf8(p.text));
    }
}

TEST_F(SoubUtility, DatumDruhyAPosunVDobeZnacky) {
    const QString c = Zapis(QStringLiteral("druhy.txt"), TBajty{'x'});
    const timespec casy[2] = {{1000000000, 0}, {1600000000, 0}}; // atime, mtime
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(c).constData(), casy, 0), 0);
    {
        const TTzGuard utc("UTC0");
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(c, 1)),
                  QStringLiteral("13.09.2020 12:26:40"));
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(c, 2)),
                  QStringLiteral("09.09.2001 01:46:40"));
        // The creation time cannot be set; it is the birth or status change time, both just now.
        const double ted = double(std::time(nullptr)) / 86400.0 + 25569.0;
        EXPECT_NEAR(info_.DatumSouboru(c, 0), ted, 120.0 / 86400.0);
    }
    {
        // Central Europe: +1 in winter, +2 in summer, whatever the offset is today.
        const TTzGuard stredni("CET-1CEST,M3.5.0,M10.5.0/3");
        const timespec leto[2] = {{1625133600, 0}, {1625133600, 0}}; // 1 Jul 2021 10:00 UTC
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(c).constData(), leto, 0), 0);
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(c, 1)),
                  QStringLiteral("01.07.2021 12:00:00"));
        const timespec zima[2] = {{1638352800, 0}, {1638352800, 0}}; // 1 Dec 2021 10:00 UTC
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(c).constData(), zima, 0), 0);
        EXPECT_EQ(TextCasoveZnacky(info_.DatumSouboru(c, 1)),
                  QStringLiteral("01.12.2021 11:00:00"));
    }
}

TEST_F(SoubUtility, DatumChybejicihoSouboru) {
    const QString c = Zapis(QStringLiteral("jiny"), TBajty{});
    const QString cesty[] = {Cesta(QStringLiteral("chybi")), adresar_.path(), QString(),
                             c + QChar(u'\0')};
    for (const QString& cesta : cesty) {
        for (int druh = 0; druh <= 2; ++druh) {
            SCOPED_TRACE(testing::Message() << cesta.toStdString() << " kind " << druh);
            EXPECT_EQ(info_.DatumSouboru(cesta, std::uint8_t(druh)), ChybejiciCasovaZnacka);
        }
    }
    for (int druh : {3, 255})
        EXPECT_EQ(info_.DatumSouboru(c, std::uint8_t(druh)), ChybejiciCasovaZnacka);
}

TEST_F(SoubUtility, TypSouboru) {
    const QString text = Zapis(QStringLiteral("text.txt"), TBajty{'a', '\n'});
    const QString typ = info_.TypSouboru(text);
    EXPECT_NE(typ, QStringLiteral("?"));
    EXPECT_FALSE(typ.isEmpty());
    EXPECT_LE(typ.size(), 80);
    EXPECT_NE(info_.TypSouboru(QStringLiteral("/proc/self/exe")), QStringLiteral("?"));

    // The name alone would give a type; a missing file has none.
    EXPECT_EQ(info_.TypSouboru(Cesta(QStringLiteral("chybi.txt"))), QStringLiteral("?"));
    EXPECT_EQ(info_.TypSouboru(QString()), QStringLiteral("?"));
    EXPECT_EQ(info_.TypSouboru(text + QChar(u'\0') + QStringLiteral(".png")), QStringLiteral("?"));
}

// A name in another codeset than UTF-8, which Qt cannot open, as the window holds it: its bytes
// that are not UTF-8 as U+DC80 + byte. Its facts are those of the file.
TEST_F(SoubUtility, FactsOfANameThatIsNotUtf8) {
    const QString utf8 = Zapis(QStringLiteral("žluť.txt"), TBajty{'a', 'b', '\n'});
    const QString jinak = adresar_.path() + QStringLiteral("/\xDCBElu\xDCBB.txt");
    ASSERT_EQ(::rename(QFile::encodeName(utf8).constData(),
                       (QFile::encodeName(adresar_.path()) + "/\xBElu\xBB.txt").constData()),
              0);
    EXPECT_EQ(info_.VelikostSouboru(jinak), 3);
    EXPECT_NE(info_.DatumSouboru(jinak, 1), ChybejiciCasovaZnacka);
    EXPECT_EQ(info_.TypSouboru(jinak), info_.TypSouboru(Zapis(QStringLiteral("a.txt"), TBajty{})));
}

} // namespace
