// vantrel-join: the join of the Vantrel program from the command line.

#include "platforma/Chyby.h"
#include "platforma/KodovaStranka.h"
#include "platforma/Prikaz.h"
#include "platforma/Soubory.h"
#include "platforma/Utf8.h"
#include "textfile/IoStatus.h"
#include "textfile/Spojeni.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* Pouziti =
    "usage: vantrel-join [-o OUTPUT] [--buffer-size BYTES] [--] INPUT...\n"
    "       vantrel-join -h | --help | --version\n";

constexpr const char* Napoveda =
    "\n"
    "Joins text files into one: every line of every INPUT, in the order given, ended with\n"
    "CR LF, and one empty line after each file. A byte 26 ends a file; a CR is never part of\n"
    "a line's text. Bytes are copied as they are, whatever their encoding. An INPUT of - is\n"
    "standard input (name a file called - as ./-).\n"
    "\n"
    "  -o, --output OUTPUT     write to OUTPUT (created, or emptied first) instead of\n"
    "                          standard output; OUTPUT must not be one of the INPUTs\n"
    "  --buffer-size BYTES     file buffer size, 1 to 16777216 (suffixes K and M allowed);\n"
    "                          default 1048576 (1M); 128 is the I/O pattern of the Vantrel\n"
    "                          window\n"
    "  -h, --help              show this help\n"
    "  --version               show the version\n"
    "  --                      end of the options: every argument after it is an INPUT\n"
    "\n"
    "Exit status: 0 when every file was joined, 1 when a file failed (the output then keeps\n"
    "what was written before the failure), 2 for a usage error.\n";

constexpr std::uint64_t NejvetsiBuffer = 16u * 1024 * 1024;
// Large enough that a system call's own cost no longer counts against the copy, and small
// enough that a buffer stays in a processor's own cache.
constexpr std::uint32_t VychoziBuffer = 1024u * 1024;

// What a terminal acts on besides C0 and DEL: C1 controls, and the controls that reorder the
// text of a line (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069).
bool Ridici(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x061C || c == 0x200E ||
           c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           // A byte 0x80..0x9F that is no character of the codeset: raw C1 to a terminal
           // that does not decode the codeset.
           (c >= 0xDC80 && c <= 0xDC9F);
}

// Bytes for a terminal, read as characters of the messages' encoding (the locale's codeset): a
// control character becomes an escape of its bytes, so a file name cannot move the cursor,
// recolour the screen or turn the line around. Every other byte is left as it is.
std::string Citelne(const std::string& bajty) {
    const vantrel::TKodovaStranka& stranka = vantrel::platforma::KodovaStrankaZprav();
    const std::u16string znaky = stranka.Dekoduj(bajty);
    std::string ven;
    for (std::size_t i = 0; i < znaky.size();) {
        char32_t c = znaky[i];
        std::size_t delka = 1;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < znaky.size() && znaky[i + 1] >= 0xDC00 &&
            znaky[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (znaky[i + 1] - 0xDC00);
            delka = 2;
        }
        const std::string kus = stranka.Koduj(znaky.substr(i, delka));
        i += delka;
        if (c == '\n') {
            ven += "\\n";
        } else if (c == '\t') {
            ven += "\\t";
        } else if (c == '\r') {
            ven += "\\r";
        } else if (Ridici(c)) {
            for (const char b : kus) {
                char kod[8];
                std::snprintf(kod, sizeof kod, "\\x%02x", static_cast<unsigned char>(b));
                ven += kod;
            }
        } else {
            ven += kus;
        }
    }
    return ven;
}

// The reason of an "I/O error N" in words, empty where the message says it already: N is a
// Windows system error number, which a reader on Linux would take for an errno.
std::string Duvod(const vantrel::EChybaSpojeni& chyba) {
    switch (chyba.Kod()) {
    case vantrel::platforma::ChybaNeniSoubor:
    case vantrel::platforma::ChybaNeniCesta:
    case vantrel::platforma::ChybaMnohoSouboru:
    case vantrel::platforma::ChybaPristupu:
        return {};
    case vantrel::platforma::ChybaSdileni:
        if (chyba.JeVystupem())
            return "the file is in use: it is also the output";
        break;
    case vantrel::IoNeniProZapis:
        return "the output is a device of an unknown kind";
    }
    return vantrel::platforma::PopisChyby(chyba.Kod());
}

void Vypis(const std::string& text, bool naChybovyVystup = true) {
    vantrel::platforma::ZapisZpravu(text, naChybovyVystup);
}

// A usage error, exit status 2.
struct EPouziti {
    std::string zprava;
};

// Decimal digits, then K or M (KiB, MiB, and small letters too); nothing may overflow.
bool PrectiVelikost(const char* text, std::uint32_t& velikost) {
    if (*text < '0' || *text > '9')
        return false;
    char* konec = nullptr;
    errno = 0;
    const unsigned long long hodnota = std::strtoull(text, &konec, 10);
    if (errno != 0)
        return false;
    const std::string pripona(konec);
    std::uint64_t nasobek = 1;
    if (pripona == "K" || pripona == "k" || pripona == "KiB")
        nasobek = 1024;
    else if (pripona == "M" || pripona == "m" || pripona == "MiB")
        nasobek = 1024 * 1024;
    else if (!pripona.empty())
        return false;
    if (hodnota < 1 || hodnota > NejvetsiBuffer / nasobek)
        return false;
    velikost = static_cast<std::uint32_t>(hodnota * nasobek);
    return true;
}

enum TVolba : int { VolbaVystup = 'o', VolbaNapoveda = 'h', VolbaBuffer = 256, VolbaVerze };

struct TDlouhaVolba {
    std::u16string jmeno;
    TVolba volba;
    bool hodnota;
};
const TDlouhaVolba DlouheVolby[] = {
    {u"output", VolbaVystup, true},
    {u"buffer-size", VolbaBuffer, true},
    {u"help", VolbaNapoveda, false},
    {u"version", VolbaVerze, false},
};

// The options as GNU tools take them: -oFILE, -o FILE, --output=FILE, --output FILE, unique
// abbreviations of long names, options anywhere among the INPUTs, and -- to end them. --help
// and --version are honoured wherever they stand, also after a bad option; otherwise the first
// usage error is the one thrown. An option's value is the next argument whatever it is, so
// "--output --help" names the output "--help".
class TArgumenty {
public:
    explicit TArgumenty(vantrel::TSpojeni& spojeni) : spojeni_(spojeni) {}

    // 'h', VolbaVerze, or 0 when the join is to run.
    int Precti(const std::vector<std::u16string>& argumenty) {
        for (std::size_t i = 0; i < argumenty.size();) {
            const std::u16string& a = argumenty[i++];
            if (konecVoleb_ || a.size() < 2 || a[0] != u'-')
                Vstup(a);
            else if (a == u"--")
                konecVoleb_ = true;
            else if (a[1] == u'-')
                Dlouha(a, argumenty, i);
            else
                Kratke(a, argumenty, i);
        }
        if (napoveda_ == 0 && chyba_.empty() && spojeni_.Vstupy.empty())
            Chybne("no input file");
        if (napoveda_ == 0 && !chyba_.empty())
            throw EPouziti{chyba_};
        return napoveda_;
    }

private:
    static std::string Bajty(const std::u16string& text) {
        return vantrel::platforma::BajtyJmena(text);
    }

    void Chybne(const std::string& zprava) {
        if (chyba_.empty())
            chyba_ = zprava;
    }

    void Vstup(const std::u16string& cesta) {
        if (cesta == u"-")
            spojeni_.Vstupy.push_back(vantrel::TVstup::StandardniVstup());
        else
            spojeni_.Vstupy.push_back(cesta);
    }

    void Volba(int volba, const std::u16string& hodnota) {
        switch (volba) {
        case VolbaVystup:
            if (hodnota.empty())
                Chybne("the output name is empty");
            spojeni_.Vystup = hodnota;
            spojeni_.NaStandardniVystup = false;
            break;
        case VolbaBuffer:
            if (!PrectiVelikost(Bajty(hodnota).c_str(), spojeni_.VelikostBufferu))
                Chybne("bad buffer size '" + Bajty(hodnota) + "': give 1 to 16777216 bytes");
            break;
        default:
            if (napoveda_ == 0)
                napoveda_ = volba;
        }
    }

    void Dlouha(const std::u16string& a, const std::vector<std::u16string>& argumenty,
                std::size_t& dalsi) {
        const std::size_t rovnase = a.find(u'=');
        const std::u16string jmeno =
            a.substr(2, rovnase == std::u16string::npos ? rovnase : rovnase - 2);
        const TDlouhaVolba* nalezena = nullptr;
        for (const TDlouhaVolba& v : DlouheVolby) {
            if (v.jmeno.compare(0, jmeno.size(), jmeno) == 0)
                nalezena = &v; // the names differ in their first letters: a prefix is unique
        }
        if (nalezena == nullptr || jmeno.empty())
            return Chybne("unknown option '" + Bajty(a) + "'");
        if (!nalezena->hodnota) {
            if (rovnase != std::u16string::npos)
                return Chybne("option '" + Bajty(a) + "' takes no value");
            return Volba(nalezena->volba, {});
        }
        if (rovnase != std::u16string::npos)
            return Volba(nalezena->volba, a.substr(rovnase + 1));
        if (dalsi == argumenty.size())
            return Chybne("option '" + Bajty(a) + "' needs a value");
        Volba(nalezena->volba, argumenty[dalsi++]);
    }

    void Kratke(const std::u16string& a, const std::vector<std::u16string>& argumenty,
                std::size_t& dalsi) {
        for (std::size_t j = 1; j < a.size(); ++j) {
            if (a[j] == u'h') {
                Volba(VolbaNapoveda, {});
            } else if (a[j] == u'o') {
                if (j + 1 < a.size())
                    return Volba(VolbaVystup, a.substr(j + 1));
                if (dalsi == argumenty.size())
                    return Chybne("option '-o' needs a value");
                return Volba(VolbaVystup, argumenty[dalsi++]);
            } else {
                return Chybne("unknown option '-" + Bajty(a.substr(j, 1)) + "'");
            }
        }
    }

    vantrel::TSpojeni& spojeni_;
    bool konecVoleb_ = false;
    int napoveda_ = 0; // the first of --help and --version
    std::string chyba_;
};

} // namespace

int vantrel::SpustPrikaz(const std::vector<std::u16string>& argumenty) {
    // Before anything is opened: no file of ours may take the place of a closed stream.
    if (const int kod = platforma::ZajistiStandardniProudy()) {
        Vypis("vantrel-join: (standard streams): " + std::string(EInOutError(kod).what()) + "\n");
        return 1;
    }
    std::setlocale(LC_ALL, "");

    TSpojeni spojeni;
    spojeni.NaStandardniVystup = true;
    spojeni.VelikostBufferu = VychoziBuffer;
    try {
        const int napoveda = TArgumenty(spojeni).Precti(argumenty);
        if (napoveda == VolbaNapoveda) {
            Vypis(std::string(Pouziti) + Napoveda, false);
            return 0;
        }
        if (napoveda == VolbaVerze) {
            Vypis(std::string("vantrel-join ") + VANTREL_VERZE + "\n", false);
            return 0;
        }
    } catch (const EPouziti& chyba) {
        Vypis("vantrel-join: " + Citelne(chyba.zprava) + "\n" + Pouziti);
        return 2;
    }

    try {
        Spoj(spojeni);
    } catch (const EChybaSpojeni& chyba) {
        std::string cesta = platforma::BajtyJmena(chyba.Cesta());
        if (chyba.Soubor() == EChybaSpojeni::Vystup && spojeni.NaStandardniVystup)
            cesta = "(standard output)";
        else if (chyba.Soubor() >= 0 &&
                 spojeni.Vstupy[static_cast<std::size_t>(chyba.Soubor())].Standardni)
            cesta = "(standard input)";
        std::string zprava = chyba.what();
        if (const std::string duvod = Duvod(chyba); !duvod.empty())
            zprava += " (" + duvod + ")";
        Vypis("vantrel-join: " + Citelne(cesta) + ": " + Citelne(zprava) + "\n");
        return 1;
    }
    return 0;
}
