#include "support/SoubUtility.h"

#include "textfile/KodovaStranka.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QMimeType>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <gelf.h>
#include <libelf.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

namespace {

constexpr char kSekceVerze[] = ".vantrel_version";
constexpr std::size_t kDelkaZaznamu = 16;
constexpr char kZnackaZaznamu[8] = {'V', 'T', 'R', 'L', 'V', 'E', 'R', '\0'};

constexpr qint64 kMsZaDen = 86400000;
// 31 Dec 0099 and 1 Jan 10000 as date-time values, just outside the years "yyyy" can show.
constexpr double kPredNejmensimDatem = -657435.0;
constexpr double kZaNejvetsimDatem = 2958466.0;
constexpr int kDelkaTypu = 80;

using TCislaVerze = std::array<std::uint16_t, 4>;

// A NUL inside a path would silently cut it short on its way to the system.
// The file name's own bytes, also for a name in the locale's codeset, which Qt cannot encode.
std::string Bajty(const QString& cesta) {
    return KodujCestu(cesta.toStdU16String());
}

bool JeCestaPouzitelna(const QString& cesta) {
    return !cesta.isEmpty() && !cesta.contains(QChar(u'\0'));
}

class TPopisovac {
public:
    explicit TPopisovac(int fd) : fd_(fd) {}
    ~TPopisovac() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TPopisovac(const TPopisovac&) = delete;
    TPopisovac& operator=(const TPopisovac&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

struct TZavriElf {
    void operator()(Elf* elf) const { elf_end(elf); }
};

std::optional<TCislaVerze> CtiZaznamVerze(const QString& cesta) {
    if (!JeCestaPouzitelna(cesta))
        return std::nullopt;
    // O_NONBLOCK: a FIFO at the path must not hang the caller; only regular files are read.
    const TPopisovac soubor(
        ::open(Bajty(cesta).c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat st;
    if (soubor.fd() < 0 || ::fstat(soubor.fd(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;

    static const bool elfPripraven = elf_version(EV_CURRENT) != EV_NONE;
    if (!elfPripraven)
        return std::nullopt;
    // ELF_C_READ rather than a mapping: a file truncated meanwhile gives a read error, not SIGBUS.
    const std::unique_ptr<Elf, TZavriElf> elf(elf_begin(soubor.fd(), ELF_C_READ, nullptr));
    if (!elf || elf_kind(elf.get()) != ELF_K_ELF)
        return std::nullopt;

    std::size_t delkaIdentu = 0;
    const char* ident = elf_getident(elf.get(), &delkaIdentu);
    if (ident == nullptr || delkaIdentu < EI_NIDENT)
        return std::nullopt;
    const unsigned char poradi = static_cast<unsigned char>(ident[EI_DATA]);
    if (poradi != ELFDATA2LSB && poradi != ELFDATA2MSB)
        return std::nullopt;

    std::size_t indexNazvu = 0;
    if (elf_getshdrstrndx(elf.get(), &indexNazvu) != 0)
        return std::nullopt;

    for (Elf_Scn* sekce = elf_nextscn(elf.get(), nullptr); sekce != nullptr;
         sekce = elf_nextscn(elf.get(), sekce)) {
        GElf_Shdr hlavicka;
        if (gelf_getshdr(sekce, &hlavicka) == nullptr)
            continue;
        // elf_strptr checks the name's offset against the string table's bounds.
        const char* nazev = elf_strptr(elf.get(), indexNazvu, hlavicka.sh_name);
        if (nazev == nullptr || std::strcmp(nazev, kSekceVerze) != 0)
            continue;
        if (hlavicka.sh_type == SHT_NOBITS || hlavicka.sh_size < kDelkaZaznamu)
            continue;
        // elf_rawdata refuses a section that does not lie within the file.
        const Elf_Data* data = elf_rawdata(sekce, nullptr);
        if (data == nullptr || data->d_buf == nullptr || data->d_size < kDelkaZaznamu)
            continue;
        const auto* b = static_cast<const unsigned char*>(data->d_buf);
        if (std::memcmp(b, kZnackaZaznamu, sizeof kZnackaZaznamu) != 0)
            continue;
        TCislaVerze cisla{};
        for (std::size_t i = 0; i < cisla.size(); ++i) {
            const unsigned prvni = b[8 + 2 * i];
            const unsigned druhy = b[9 + 2 * i];
            cisla[i] = static_cast<std::uint16_t>(poradi == ELFDATA2LSB ? prvni | druhy << 8
                                                                        : prvni << 8 | druhy);
        }
        return cisla;
    }
    return std::nullopt;
}

// The locale's separator between hours and minutes, taken from its short time format; a colon
// when the format has no single separating sign.
QString OddelovacCasu() {
    const QString format = QLocale().timeFormat(QLocale::ShortFormat);
    qsizetype i = 0;
    while (i < format.size() && format[i] != u'h' && format[i] != u'H')
        ++i;
    while (i < format.size() && (format[i] == u'h' || format[i] == u'H'))
        ++i;
    QString oddelovac;
    for (; i < format.size() && format[i] != u'm'; ++i) {
        if (format[i] != u'\'')
            oddelovac += format[i];
    }
    if (oddelovac.size() != 1 || oddelovac[0].isLetterOrNumber() || oddelovac[0].isSpace())
        return QStringLiteral(":");
    return oddelovac;
}

} // namespace

QString TSouboroveInfo::VerzeSouboru(const QString& cesta, std::uint8_t forma) const {
    if (forma > 3)
        return {};
    const std::optional<TCislaVerze> cisla = CtiZaznamVerze(cesta);
    if (!cisla)
        return {};
    const int pocet = forma == 0 ? 4 : forma;
    QString text;
    for (int i = 0; i < pocet; ++i) {
        if (i > 0)
            text += u'.';
        text += QString::number((*cisla)[static_cast<std::size_t>(i)]);
    }
    return text;
}

double TSouboroveInfo::DatumSouboru(const QString& cesta, std::uint8_t druh) const {
    if (!JeCestaPouzitelna(cesta) || druh > 2)
        return ChybejiciCasovaZnacka;
    struct statx sx;
    if (::statx(AT_FDCWD, Bajty(cesta).c_str(), AT_STATX_SYNC_AS_STAT,
                STATX_TYPE | STATX_BTIME | STATX_MTIME | STATX_ATIME | STATX_CTIME, &sx) != 0)
        return ChybejiciCasovaZnacka;
    if ((sx.stx_mask & STATX_TYPE) == 0 || S_ISDIR(sx.stx_mode))
        return ChybejiciCasovaZnacka;

    struct statx_timestamp cas;
    switch (druh) {
    case 0:
        // Not every file system records the birth time; the status change time stands in for it
        // there, being the closest the file has to a creation time.
        cas = (sx.stx_mask & STATX_BTIME) != 0 ? sx.stx_btime : sx.stx_ctime;
        break;
    case 1:
        cas = sx.stx_mtime;
        break;
    default:
        cas = sx.stx_atime;
        break;
    }

    // localtime_r applies the offset in force at the stamped time, daylight saving included.
    ::tzset();
    const std::time_t sekundy = static_cast<std::time_t>(cas.tv_sec);
    std::tm mistni{};
    if (::localtime_r(&sekundy, &mistni) == nullptr)
        return ChybejiciCasovaZnacka;
    const int rok = mistni.tm_year + 1900;
    if (rok < 100 || rok > 9999)
        return ChybejiciCasovaZnacka;
    // A leap second shows as the last second of its minute.
    return HodnotaDatumu(rok, mistni.tm_mon + 1, mistni.tm_mday, mistni.tm_hour, mistni.tm_min,
                         std::min(mistni.tm_sec, 59), static_cast<int>(cas.tv_nsec / 1000000));
}

qint64 TSouboroveInfo::VelikostSouboru(const QString& cesta) const {
    if (!JeCestaPouzitelna(cesta))
        return -1;
    struct stat st;
    if (::stat(Bajty(cesta).c_str(), &st) != 0)
        return -1;
    return static_cast<qint64>(st.st_size);
}

QString TSouboroveInfo::TypSouboru(const QString& cesta) const {
    const QString nezname = QStringLiteral("?");
    if (!JeCestaPouzitelna(cesta))
        return nezname;
    // A missing file would otherwise be named by its suffix alone.
    const QFileInfo info(cesta);
    QString nazev;
    if (info.exists()) {
        nazev = QMimeDatabase().mimeTypeForFile(info).comment();
    } else {
        // A name in the locale's codeset, which Qt cannot open: the type its name gives.
        struct stat st;
        if (::stat(Bajty(cesta).c_str(), &st) != 0)
            return nezname;
        nazev = QMimeDatabase().mimeTypeForFile(cesta, QMimeDatabase::MatchExtension).comment();
    }
    if (nazev.size() > kDelkaTypu) {
        // Never leave half of a surrogate pair at the end.
        const bool pulZnaku = nazev[kDelkaTypu - 1].isHighSurrogate();
        nazev.truncate(pulZnaku ? kDelkaTypu - 1 : kDelkaTypu);
    }
    return nazev.isEmpty() ? nezname : nazev;
}

double HodnotaDatumu(int rok, int mesic, int den, int hodina, int minuta, int sekunda,
                     int milisekunda) {
    const QDate datum(rok, mesic, den);
    if (!datum.isValid())
        return ChybejiciCasovaZnacka;
    const qint64 dny = QDate(1899, 12, 30).daysTo(datum);
    const double zlomek =
        static_cast<double>(((hodina * 60 + minuta) * 60 + sekunda) * qint64{1000} + milisekunda) /
        static_cast<double>(kMsZaDen);
    return dny >= 0 ? static_cast<double>(dny) + zlomek : static_cast<double>(dny) - zlomek;
}

QString TextCasoveZnacky(double datum) {
    if (!std::isfinite(datum) || datum <= kPredNejmensimDatem || datum >= kZaNejvetsimDatem)
        return {};
    const double dny = std::trunc(datum);
    qint64 ms = std::llround(std::fabs(datum - dny) * static_cast<double>(kMsZaDen));
    ms = std::min(ms, kMsZaDen - 1);
    const QDate den = QDate(1899, 12, 30).addDays(static_cast<qint64>(dny));
    QString text = QString::asprintf("%02d.%02d.%04d", den.day(), den.month(), den.year());
    const qint64 sekundy = ms / 1000;
    if (sekundy != 0) {
        const QString o = OddelovacCasu();
        text += u' ' + QString::asprintf("%02d", static_cast<int>(sekundy / 3600)) + o +
                QString::asprintf("%02d", static_cast<int>(sekundy / 60 % 60)) + o +
                QString::asprintf("%02d", static_cast<int>(sekundy % 60));
    }
    return text;
}

QString TextVelikosti(qint64 velikost, bool vZavorkach) {
    QString text;
    if (velikost > 10240) {
        const bool mega = velikost > 1048576;
        text =
            QString::asprintf("%1.3f", static_cast<double>(velikost) / (mega ? 1048576.0 : 1024.0));
        text.replace(u'.', QLocale().decimalPoint());
        text += mega ? QStringLiteral(" MB") : QStringLiteral(" kB");
    } else {
        text = QString::asprintf("%lld B", static_cast<long long>(velikost));
    }
    return vZavorkach ? u'(' + text + u')' : text;
}

} // namespace vantrel
