#include "support/Registr.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

namespace {

const TRegistrVolani g_vychoziVolani = {::read, ::write, ::fsync, ::close, ::rename};
TRegistrVolani g_volani = g_vychoziVolani;

const char* const kHlavicka = "Windows Registry Editor Version 5.00";
const char* const kHive = "HKEY_CURRENT_USER";
// A settings file is a few hundred bytes; anything this large is not one of ours.
const std::size_t kNejvetsiSoubor = 64u << 20;

std::string ChybaTypu(const std::string& jmeno) {
    return "Invalid data type for '" + jmeno + "'";
}
std::string ChybaCteni(const std::string& jmeno) {
    return "Failed to get data for '" + jmeno + "'";
}
std::string ChybaZapisu(const std::string& jmeno) {
    return "Failed to set data for '" + jmeno + "'";
}

// Thrown inside this file only, for text that is not in the export format.
struct ENeplatnySoubor {};

char Mala(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Key and value names compare case-insensitively, as in the registry.
bool StejneJmeno(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Mala(a[i]) != Mala(b[i]))
            return false;
    return true;
}

bool ZacinaNa(const std::string& s, const std::string& zacatek) {
    return s.size() >= zacatek.size() && StejneJmeno(s.substr(0, zacatek.size()), zacatek);
}

bool Mezera(char c) {
    return c == ' ' || c == '\t';
}

std::string BezKoncovychMezer(const std::string& s) {
    std::size_t n = s.size();
    while (n > 0 && Mezera(s[n - 1]))
        --n;
    return s.substr(0, n);
}

int HexCislice(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = Mala(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// --- UTF-8 and UTF-16LE -------------------------------------------------------------------------

// Qt's converters are strict: overlong forms, surrogates and anything above U+10FFFF are errors.
// An initial byte order mark is text like any other here.
constexpr auto kPrevod =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

bool Utf8NaText(const std::string& s, QString& text) {
    QStringDecoder dekoder(QStringConverter::Utf8, kPrevod);
    text = dekoder.decode(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
    return !dekoder.hasError();
}

bool PlatneUtf8(const std::string& s) {
    QString text;
    return Utf8NaText(s, text);
}

// Only for text already checked with PlatneUtf8.
std::string Utf8NaUtf16le(const std::string& s) {
    QString text;
    Utf8NaText(s, text);
    QStringEncoder koder(QStringConverter::Utf16LE, kPrevod);
    return QByteArray(koder.encode(text)).toStdString();
}

// False for an odd length or a surrogate without its pair.
bool Utf16leNaUtf8(const std::string& b, std::string& ven) {
    if (b.size() % 2 != 0)
        return false;
    QStringDecoder dekoder(QStringConverter::Utf16LE, kPrevod);
    const QString text = dekoder.decode(QByteArrayView(b.data(), static_cast<qsizetype>(b.size())));
    QStringEncoder koder(QStringConverter::Utf8, kPrevod);
    const QByteArray utf8 = koder.encode(text);
    if (dekoder.hasError() || koder.hasError())
        return false;
    ven = utf8.toStdString();
    return true;
}

// --- the parsed file ----------------------------------------------------------------------------

struct TRadek {
    std::string text;
    std::string konec; // "\r\n", "\n", or "" for a last line without one
};

struct TSekce {
    std::string klic;        // as written in the header, hive included
    std::size_t konecHodnot; // index just after the section's last non-blank line
};

} // namespace

struct THodnota {
    std::string jmeno;
    std::uint32_t typ;
    std::string data; // the bytes as the registry holds them (strings as UTF-16LE)
    std::size_t prvniRadek;
    std::size_t pocetRadku;
};

struct TRegistr::TObsah {
    std::vector<TRadek> radky;
    std::vector<TSekce> sekce;     // every section, in file order
    std::vector<THodnota> hodnoty; // values of the sections of `klic`, in file order
    std::vector<std::size_t> nase; // indexes into `sekce` of the sections of `klic`
    bool klicExistuje = false;     // `klic` or a subkey of it has a section
    std::string konecRadku = "\n"; // for lines we add
};

namespace {

using TObsah = TRegistr::TObsah;

std::string CelyKlic(const std::string& klic) {
    return klic.empty() ? std::string(kHive) : std::string(kHive) + "\\" + klic;
}

// Reads a quoted name or string starting at s[p] == '"'; p ends after the closing quote.
// Only \\ and \" are escapes; another backslash stands for itself, as a hand edit would mean it.
std::string CtiUvozovky(const std::string& s, std::size_t& p) {
    ++p;
    std::string ven;
    while (p < s.size()) {
        const char c = s[p];
        if (c == '"') {
            ++p;
            return ven;
        }
        if (c == '\\' && p + 1 < s.size() && (s[p + 1] == '\\' || s[p + 1] == '"')) {
            ven += s[p + 1];
            p += 2;
            continue;
        }
        ven += c;
        ++p;
    }
    throw ENeplatnySoubor{};
}

void PreskocMezery(const std::string& s, std::size_t& p) {
    while (p < s.size() && Mezera(s[p]))
        ++p;
}

void JenMezeryDoKonce(const std::string& s, std::size_t p) {
    PreskocMezery(s, p);
    if (p != s.size())
        throw ENeplatnySoubor{};
}

// Parses the value that starts at line i; returns the number of lines it takes.
std::size_t CtiHodnotu(const std::vector<TRadek>& radky, std::size_t i, THodnota& h) {
    const std::string& s = radky[i].text;
    std::size_t p = 0;
    PreskocMezery(s, p);
    if (p < s.size() && s[p] == '@') {
        h.jmeno.clear();
        ++p;
    } else if (p < s.size() && s[p] == '"') {
        h.jmeno = CtiUvozovky(s, p);
    } else {
        throw ENeplatnySoubor{};
    }
    PreskocMezery(s, p);
    if (p >= s.size() || s[p] != '=')
        throw ENeplatnySoubor{};
    ++p;
    PreskocMezery(s, p);
    const std::string zbytek = s.substr(p);

    if (!zbytek.empty() && zbytek[0] == '"') {
        std::size_t q = 0;
        const std::string text = CtiUvozovky(zbytek, q);
        JenMezeryDoKonce(zbytek, q);
        h.typ = thSz;
        h.data = Utf8NaUtf16le(text) + std::string(2, '\0');
        return 1;
    }
    if (ZacinaNa(zbytek, "dword:")) {
        const std::string cislice = BezKoncovychMezer(zbytek.substr(6));
        if (cislice.empty() || cislice.size() > 8)
            throw ENeplatnySoubor{};
        std::uint32_t v = 0;
        for (char c : cislice) {
            const int d = HexCislice(c);
            if (d < 0)
                throw ENeplatnySoubor{};
            v = (v << 4) | static_cast<std::uint32_t>(d);
        }
        h.typ = thDword;
        h.data.clear();
        for (int k = 0; k < 4; ++k)
            h.data += static_cast<char>((v >> (8 * k)) & 0xFF);
        return 1;
    }
    if (!ZacinaNa(zbytek, "hex"))
        throw ENeplatnySoubor{};
    std::size_t q = 3;
    h.typ = thBinary;
    if (q < zbytek.size() && zbytek[q] == '(') {
        const std::size_t zavorka = zbytek.find(')', q);
        if (zavorka == std::string::npos || zavorka == q + 1 || zavorka - q - 1 > 8)
            throw ENeplatnySoubor{};
        std::uint32_t typ = 0;
        for (std::size_t k = q + 1; k < zavorka; ++k) {
            const int d = HexCislice(zbytek[k]);
            if (d < 0)
                throw ENeplatnySoubor{};
            typ = (typ << 4) | static_cast<std::uint32_t>(d);
        }
        h.typ = typ;
        q = zavorka + 1;
    }
    if (q >= zbytek.size() || zbytek[q] != ':')
        throw ENeplatnySoubor{};

    // Gather the byte list over continuation lines (a trailing backslash).
    std::string seznam;
    std::string kus = BezKoncovychMezer(zbytek.substr(q + 1));
    std::size_t pocet = 1;
    while (!kus.empty() && kus.back() == '\\') {
        kus.pop_back();
        seznam += kus;
        if (i + pocet >= radky.size())
            throw ENeplatnySoubor{};
        kus = BezKoncovychMezer(radky[i + pocet].text);
        ++pocet;
    }
    seznam += kus;

    h.data.clear();
    std::size_t z = 0;
    PreskocMezery(seznam, z);
    if (z == seznam.size())
        return pocet;
    while (true) {
        PreskocMezery(seznam, z);
        int bajt = 0, cislic = 0;
        while (z < seznam.size() && HexCislice(seznam[z]) >= 0 && cislic < 2) {
            bajt = bajt * 16 + HexCislice(seznam[z]);
            ++z;
            ++cislic;
        }
        if (cislic == 0)
            throw ENeplatnySoubor{};
        h.data += static_cast<char>(bajt);
        PreskocMezery(seznam, z);
        if (z == seznam.size())
            break;
        if (seznam[z] != ',')
            throw ENeplatnySoubor{};
        ++z;
    }
    return pocet;
}

// Parses the file's bytes. Sections of `klic` are parsed strictly; other sections are kept as
// lines we never look into, so another program's entries cannot make our file unreadable.
std::unique_ptr<TObsah> Rozeber(std::string bajty, const std::string& klic) {
    if (bajty.size() >= 2 && bajty[0] == '\xFF' && bajty[1] == '\xFE') {
        std::string utf8;
        if (!Utf16leNaUtf8(bajty.substr(2), utf8))
            throw ENeplatnySoubor{};
        bajty = utf8;
    } else if (bajty.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        bajty.erase(0, 3);
    }
    if (!PlatneUtf8(bajty))
        throw ENeplatnySoubor{};

    auto obsah = std::make_unique<TObsah>();
    std::size_t zacatek = 0;
    while (zacatek < bajty.size()) {
        const std::size_t nl = bajty.find('\n', zacatek);
        TRadek r;
        if (nl == std::string::npos) {
            r.text = bajty.substr(zacatek);
            zacatek = bajty.size();
        } else {
            r.text = bajty.substr(zacatek, nl - zacatek);
            r.konec = "\n";
            if (!r.text.empty() && r.text.back() == '\r') {
                r.text.pop_back();
                r.konec = "\r\n";
            }
            zacatek = nl + 1;
        }
        obsah->radky.push_back(std::move(r));
    }
    auto& radky = obsah->radky;
    if (radky.empty() || BezKoncovychMezer(radky[0].text) != kHlavicka)
        throw ENeplatnySoubor{};
    if (!radky[0].konec.empty())
        obsah->konecRadku = radky[0].konec;

    const std::string hledany = CelyKlic(klic);
    bool vNasi = false;
    for (std::size_t i = 1; i < radky.size();) {
        const std::string s = BezKoncovychMezer(radky[i].text);
        std::size_t p = 0;
        PreskocMezery(s, p);
        if (p == s.size() || s[p] == ';') {
            ++i;
            continue;
        }
        if (s[p] == '[') {
            if (s.back() != ']')
                throw ENeplatnySoubor{};
            TSekce sekce{s.substr(p + 1, s.size() - p - 2), i + 1};
            vNasi = StejneJmeno(sekce.klic, hledany);
            if (vNasi || ZacinaNa(sekce.klic, hledany + "\\"))
                obsah->klicExistuje = true;
            if (vNasi)
                obsah->nase.push_back(obsah->sekce.size());
            obsah->sekce.push_back(sekce);
            ++i;
            continue;
        }
        if (obsah->sekce.empty())
            throw ENeplatnySoubor{};
        std::size_t pocet = 1;
        if (vNasi) {
            THodnota h;
            pocet = CtiHodnotu(radky, i, h);
            h.prvniRadek = i;
            h.pocetRadku = pocet;
            obsah->hodnoty.push_back(std::move(h));
        }
        i += pocet;
        obsah->sekce.back().konecHodnot = i;
    }
    return obsah;
}

std::string Slozit(const TObsah& obsah) {
    std::string ven;
    for (const auto& r : obsah.radky)
        ven += r.text + r.konec;
    return ven;
}

std::string Escapuj(const std::string& s) {
    std::string ven;
    for (char c : s) {
        if (c == '\\' || c == '"')
            ven += '\\';
        ven += c;
    }
    return ven;
}

// The lines of one value as the export format writes them: hex lists wrap before 80 columns.
std::vector<std::string> RadkyHodnoty(const std::string& jmeno, std::uint32_t typ,
                                      const std::string& data) {
    const std::string nazev = jmeno.empty() ? std::string("@") : "\"" + Escapuj(jmeno) + "\"";
    char buf[32];
    if (typ == thDword && data.size() == 4) {
        std::uint32_t v = 0;
        for (int k = 3; k >= 0; --k)
            v = (v << 8) | static_cast<unsigned char>(data[k]);
        std::snprintf(buf, sizeof buf, "dword:%08x", v);
        return {nazev + "=" + buf};
    }
    if (typ == thSz) {
        std::string text;
        const bool sTerminatorem =
            data.size() >= 2 && data[data.size() - 1] == '\0' && data[data.size() - 2] == '\0';
        if (sTerminatorem && Utf16leNaUtf8(data.substr(0, data.size() - 2), text) &&
            text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos)
            return {nazev + "=\"" + Escapuj(text) + "\""};
    }
    std::string radek = nazev + "=";
    if (typ == thBinary) {
        radek += "hex:";
    } else {
        std::snprintf(buf, sizeof buf, "hex(%x):", typ);
        radek += buf;
    }
    std::vector<std::string> radky;
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned char>(data[i]));
        radek += buf;
        if (i + 1 < data.size()) {
            radek += ',';
            if (radek.size() > 76) {
                radky.push_back(radek + "\\");
                radek = "  ";
            }
        }
    }
    radky.push_back(radek);
    return radky;
}

// --- files --------------------------------------------------------------------------------------

enum class TCteni { Ok, Chybi, Chyba };

TCteni CtiSoubor(const std::string& cesta, std::string& obsah) {
    int fd;
    do
        fd = ::open(cesta.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return (errno == ENOENT || errno == ENOTDIR) ? TCteni::Chybi : TCteni::Chyba;
    obsah.clear();
    char buf[8192];
    TCteni vysledek = TCteni::Ok;
    while (true) {
        const ssize_t n = g_volani.read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || obsah.size() > kNejvetsiSoubor) {
            vysledek = TCteni::Chyba;
            break;
        }
        if (n == 0)
            break;
        obsah.append(buf, static_cast<std::size_t>(n));
    }
    g_volani.close(fd);
    return vysledek;
}

bool VytvorSlozky(const std::string& cesta) {
    const std::size_t lomitko = cesta.rfind('/');
    if (lomitko == std::string::npos || lomitko == 0)
        return true;
    const std::string slozka = cesta.substr(0, lomitko);
    struct stat st;
    if (::stat(slozka.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    if (!VytvorSlozky(slozka))
        return false;
    return ::mkdir(slozka.c_str(), 0700) == 0 || errno == EEXIST;
}

// Holds the exclusive lock for one write; closing the descriptor releases it.
class TZamek {
public:
    explicit TZamek(const std::string& cesta) {
        do
            fd_ = ::open(cesta.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0)
            return;
        int r;
        do
            r = ::flock(fd_, LOCK_EX);
        while (r != 0 && errno == EINTR);
        if (r != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~TZamek() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TZamek(const TZamek&) = delete;
    TZamek& operator=(const TZamek&) = delete;
    bool Drzi() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

bool ZapisVse(int fd, const std::string& data) {
    std::size_t hotovo = 0;
    while (hotovo < data.size()) {
        const ssize_t n = g_volani.write(fd, data.data() + hotovo, data.size() - hotovo);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        hotovo += static_cast<std::size_t>(n);
    }
    return true;
}

// Replaces the file by `data` through a synced temporary file in the same folder.
bool NahradSoubor(const std::string& cesta, const std::string& data) {
    std::string vzor = cesta + ".tmp-XXXXXX";
    const int fd = ::mkostemp(vzor.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    bool ok = true;
    if (::stat(cesta.c_str(), &st) == 0)
        ok = ::fchmod(fd, st.st_mode & 07777) == 0;
    ok = ok && ZapisVse(fd, data) && g_volani.fsync(fd) == 0;
    ok = (g_volani.close(fd) == 0) && ok;
    ok = ok && g_volani.rename(vzor.c_str(), cesta.c_str()) == 0;
    if (!ok) {
        ::unlink(vzor.c_str());
        return false;
    }
    const std::size_t lomitko = cesta.rfind('/');
    const std::string slozka = lomitko == std::string::npos ? std::string(".")
                               : lomitko == 0               ? std::string("/")
                                                            : cesta.substr(0, lomitko);
    const int dfd = ::open(slozka.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

// Moves an unparsable file to a name that does not exist yet; returns that name or "".
std::string OdlozStranou(const std::string& cesta) {
    const std::time_t ted = std::time(nullptr);
    std::tm mistni{};
    ::localtime_r(&ted, &mistni);
    char razitko[32];
    std::strftime(razitko, sizeof razitko, "%Y%m%d-%H%M%S", &mistni);
    const std::string zaklad = cesta + ".corrupt-" + razitko;
    for (int n = 1; n < 1000; ++n) {
        const std::string cil = n == 1 ? zaklad : zaklad + "-" + std::to_string(n);
        if (::renameat2(AT_FDCWD, cesta.c_str(), AT_FDCWD, cil.c_str(), RENAME_NOREPLACE) == 0)
            return cil;
        if (errno == EEXIST)
            continue;
        if (errno != EINVAL && errno != ENOSYS)
            return "";
        // The file system cannot rename without replacing: a hard link refuses an existing name.
        if (::link(cesta.c_str(), cil.c_str()) == 0) {
            if (::unlink(cesta.c_str()) == 0)
                return cil;
            ::unlink(cil.c_str());
            return "";
        }
        if (errno != EEXIST)
            return "";
    }
    return "";
}

std::string ZakladJmena(const std::string& cesta) {
    const std::size_t lomitko = cesta.rfind('/');
    return lomitko == std::string::npos ? cesta : cesta.substr(lomitko + 1);
}

// Splits a key path into its non-empty parts joined by single backslashes.
std::string NormalizujKlic(const std::string& klic) {
    std::string ven, cast;
    for (std::size_t i = 0; i <= klic.size(); ++i) {
        if (i == klic.size() || klic[i] == '\\') {
            if (!cast.empty())
                ven += (ven.empty() ? "" : "\\") + cast;
            cast.clear();
        } else {
            cast += klic[i];
        }
    }
    return ven;
}

} // namespace

TRegistrVolani& RegistrVolani() {
    return g_volani;
}
const TRegistrVolani& VychoziRegistrVolani() {
    return g_vychoziVolani;
}

// --- TRegistr -----------------------------------------------------------------------------------

TRegistr::TRegistr() : TRegistr(VychoziCesta()) {}

TRegistr::TRegistr(std::string cesta) : cesta_(std::move(cesta)) {}

TRegistr::~TRegistr() = default;

std::string TRegistr::VychoziCesta() {
    std::string zaklad;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        zaklad = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw != nullptr ? pw->pw_dir : "/";
        }
        zaklad = std::string(home) + "/.config";
    }
    return zaklad + "/Tarsk/Vantrel.reg";
}

bool TRegistr::OpenKey(const std::string& klic, bool vytvorit) {
    std::string novy = NormalizujKlic(klic);
    if (!klic.empty() && klic[0] != '\\' && otevreny_ && !klic_.empty())
        novy = novy.empty() ? klic_ : klic_ + "\\" + novy;

    std::string bajty;
    const TCteni cteni = CtiSoubor(cesta_, bajty);
    std::unique_ptr<TObsah> obsah;
    bool nelzeCist = false;
    if (cteni == TCteni::Chyba) {
        nelzeCist = true;
    } else if (cteni == TCteni::Ok) {
        try {
            obsah = Rozeber(bajty, novy);
        } catch (const ENeplatnySoubor&) {
            nelzeCist = true;
        }
    }
    if (!vytvorit && !nelzeCist && (obsah == nullptr || !obsah->klicExistuje))
        return false;
    klic_ = novy;
    otevreny_ = true;
    nelzeCist_ = nelzeCist;
    snimek_ = std::move(obsah);
    return true;
}

void TRegistr::CloseKey() {
    otevreny_ = false;
    nelzeCist_ = false;
    klic_.clear();
    snimek_.reset();
}

std::string TRegistr::CurrentPath() const {
    return otevreny_ ? CelyKlic(klic_) : std::string();
}

const THodnota* TRegistr::Najdi(const std::string& jmeno) const {
    if (nelzeCist_)
        throw EChybaRegistru(ChybaCteni(jmeno));
    if (!otevreny_ || snimek_ == nullptr)
        return nullptr;
    // When a value is given twice, the later line wins, as on import.
    for (auto it = snimek_->hodnoty.rbegin(); it != snimek_->hodnoty.rend(); ++it)
        if (StejneJmeno(it->jmeno, jmeno))
            return &*it;
    return nullptr;
}

bool TRegistr::ValueExists(const std::string& jmeno) const {
    if (!otevreny_)
        return false;
    return Najdi(jmeno) != nullptr;
}

TTypHodnoty TRegistr::GetDataType(const std::string& jmeno) const {
    const THodnota* h = Najdi(jmeno);
    if (h == nullptr)
        throw EChybaRegistru(ChybaCteni(jmeno));
    return static_cast<TTypHodnoty>(h->typ);
}

std::string TRegistr::ReadString(const std::string& jmeno) const {
    const THodnota* h = Najdi(jmeno);
    if (h == nullptr)
        throw EChybaRegistru(ChybaCteni(jmeno));
    if (h->typ != thSz && h->typ != thExpandSz)
        throw EChybaRegistru(ChybaTypu(jmeno));
    std::string text;
    if (!Utf16leNaUtf8(h->data, text))
        throw EChybaRegistru(ChybaCteni(jmeno));
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::int32_t TRegistr::ReadInteger(const std::string& jmeno) const {
    const THodnota* h = Najdi(jmeno);
    if (h == nullptr)
        throw EChybaRegistru(ChybaCteni(jmeno));
    if (h->typ != thDword)
        throw EChybaRegistru(ChybaTypu(jmeno));
    if (h->data.size() != 4)
        throw EChybaRegistru(ChybaCteni(jmeno));
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | static_cast<unsigned char>(h->data[k]);
    return static_cast<std::int32_t>(v);
}

void TRegistr::WriteString(const std::string& jmeno, const std::string& hodnota) {
    if (!PlatneUtf8(hodnota))
        throw EChybaRegistru(ChybaZapisu(jmeno));
    Zapis(jmeno, thSz, Utf8NaUtf16le(hodnota) + std::string(2, '\0'));
}

void TRegistr::WriteExpandString(const std::string& jmeno, const std::string& hodnota) {
    if (!PlatneUtf8(hodnota))
        throw EChybaRegistru(ChybaZapisu(jmeno));
    Zapis(jmeno, thExpandSz, Utf8NaUtf16le(hodnota) + std::string(2, '\0'));
}

void TRegistr::WriteInteger(const std::string& jmeno, std::int32_t hodnota) {
    const auto v = static_cast<std::uint32_t>(hodnota);
    std::string data;
    for (int k = 0; k < 4; ++k)
        data += static_cast<char>((v >> (8 * k)) & 0xFF);
    Zapis(jmeno, thDword, data);
}

void TRegistr::Zapis(const std::string& jmeno, std::uint32_t typ, const std::string& data) {
    const std::string chyba = ChybaZapisu(jmeno);
    if (!otevreny_ || !PlatneUtf8(jmeno) ||
        jmeno.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw EChybaRegistru(chyba);
    const std::vector<std::string> nove = RadkyHodnoty(jmeno, typ, data);

    if (!VytvorSlozky(cesta_))
        throw EChybaRegistru(chyba);
    TZamek zamek(cesta_ + ".lock");
    if (!zamek.Drzi())
        throw EChybaRegistru(chyba);

    std::string bajty;
    std::unique_ptr<TObsah> obsah;
    std::string odlozeno;
    switch (CtiSoubor(cesta_, bajty)) {
    case TCteni::Chyba:
        // Perhaps only for now; replacing a file we could not even read could lose it.
        throw EChybaRegistru(chyba);
    case TCteni::Ok:
        try {
            obsah = Rozeber(bajty, klic_);
        } catch (const ENeplatnySoubor&) {
            odlozeno = OdlozStranou(cesta_);
            if (odlozeno.empty())
                throw EChybaRegistru(chyba);
            odlozene_.push_back(odlozeno);
        }
        break;
    case TCteni::Chybi:
        break;
    }
    if (obsah == nullptr) {
        std::string novy = std::string(kHlavicka) + "\n\n";
        if (!odlozeno.empty())
            novy += "; The previous settings file could not be read; it was kept as " +
                    ZakladJmena(odlozeno) + "\n\n";
        obsah = Rozeber(novy, klic_);
    }

    auto& radky = obsah->radky;
    const std::string& nl = obsah->konecRadku;
    auto vloz = [&](std::size_t kde) {
        if (kde > 0 && radky[kde - 1].konec.empty())
            radky[kde - 1].konec = nl;
        std::vector<TRadek> vkladane;
        for (const auto& t : nove)
            vkladane.push_back({t, nl});
        radky.insert(radky.begin() + static_cast<std::ptrdiff_t>(kde), vkladane.begin(),
                     vkladane.end());
    };

    const THodnota* stara = nullptr;
    for (auto it = obsah->hodnoty.rbegin(); it != obsah->hodnoty.rend(); ++it)
        if (StejneJmeno(it->jmeno, jmeno)) {
            stara = &*it;
            break;
        }
    if (stara != nullptr) {
        const std::size_t kde = stara->prvniRadek;
        const std::string konec = radky[kde + stara->pocetRadku - 1].konec;
        radky.erase(radky.begin() + static_cast<std::ptrdiff_t>(kde),
                    radky.begin() + static_cast<std::ptrdiff_t>(kde + stara->pocetRadku));
        vloz(kde);
        radky[kde + nove.size() - 1].konec = konec;
    } else if (!obsah->nase.empty()) {
        vloz(obsah->sekce[obsah->nase.back()].konecHodnot);
    } else {
        if (radky.back().konec.empty())
            radky.back().konec = nl;
        if (!BezKoncovychMezer(radky.back().text).empty())
            radky.push_back({"", nl});
        radky.push_back({"[" + CelyKlic(klic_) + "]", nl});
        vloz(radky.size());
        radky.push_back({"", nl});
    }

    const std::string vysledek = Slozit(*obsah);
    if (!NahradSoubor(cesta_, vysledek))
        throw EChybaRegistru(chyba);
    try {
        snimek_ = Rozeber(vysledek, klic_);
        nelzeCist_ = false;
    } catch (const ENeplatnySoubor&) {
        throw EChybaRegistru(chyba);
    }
}

} // namespace vantrel
