// vantrel-join: the join of the Vantrel program from the command line.

#include "platforma/Chyby.h"
#include "platforma/KodovaStranka.h"
#include "platforma/Soubory.h"
#include "platforma/Utf8.h"
#include "textfile/IoStatus.h"
#include "textfile/Spojeni.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <getopt.h>
#include <string>

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

// Bytes for a terminal, read as characters of the locale's codeset: a control character
// becomes an escape of its bytes, so a file name cannot move the cursor, recolour the screen
// or turn the line around. Every other byte is left as it is.
std::string Citelne(const std::string& bajty) {
    const vantrel::TKodovaStranka& stranka = vantrel::ProcessCodePage();
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

[[noreturn]] void ChybaPouziti(const std::string& zprava) {
    std::fprintf(stderr, "vantrel-join: %s\n%s", Citelne(zprava).c_str(), Pouziti);
    std::exit(2);
}

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

enum TVolba : int { VolbaBuffer = 256, VolbaVerze };

// The options as GNU tools take them: -oFILE, -o FILE, --output=FILE, --output FILE, unique
// abbreviations of long names, options anywhere among the INPUTs, and -- to end them. --help
// and --version are honoured wherever they stand, also after a bad option; otherwise the first
// usage error is the one reported.
void PrectiArgumenty(int argc, char** argv, vantrel::TSpojeni& spojeni) {
    static const option dlouhe[] = {
        {"output", required_argument, nullptr, 'o'},
        {"buffer-size", required_argument, nullptr, VolbaBuffer},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, VolbaVerze},
        {nullptr, 0, nullptr, 0},
    };
    auto vstup = [&](const char* cesta) {
        if (cesta[0] == '-' && cesta[1] == '\0')
            spojeni.Vstupy.push_back(vantrel::TVstup::StandardniVstup());
        else
            spojeni.Vstupy.push_back(vantrel::DekodujUtf8(cesta));
    };
    std::string chyba;
    auto chybne = [&](const std::string& zprava) {
        if (chyba.empty())
            chyba = zprava;
    };
    int napoveda = 0; // 'h' or VolbaVerze, whichever came first
    opterr = 0;
    // "-": INPUTs come back in their place among the options, whatever POSIXLY_CORRECT says.
    for (int volba; (volba = getopt_long(argc, argv, "-:o:h", dlouhe, nullptr)) != -1;) {
        switch (volba) {
        case 1:
            vstup(optarg);
            break;
        case 'o':
            if (*optarg == '\0')
                chybne("the output name is empty");
            spojeni.Vystup = vantrel::DekodujUtf8(optarg);
            spojeni.NaStandardniVystup = false;
            break;
        case VolbaBuffer:
            if (!PrectiVelikost(optarg, spojeni.VelikostBufferu))
                chybne(std::string("bad buffer size '") + optarg + "': give 1 to 16777216 bytes");
            break;
        case 'h':
        case VolbaVerze:
            if (napoveda == 0)
                napoveda = volba;
            break;
        case ':':
            chybne(std::string("option '") + argv[optind - 1] + "' needs a value");
            break;
        default:
            // optopt: 0 for an unknown long option, the option's code for a long one given a
            // value it does not take, the letter for an unknown short one.
            if (optopt == 'h' || optopt == VolbaVerze)
                chybne(std::string("option '") + argv[optind - 1] + "' takes no value");
            else if (optopt == 0)
                chybne(std::string("unknown option '") + argv[optind - 1] + "'");
            else
                chybne(std::string("unknown option '-") + static_cast<char>(optopt) + "'");
        }
    }
    if (napoveda == 'h') {
        std::printf("%s%s", Pouziti, Napoveda);
        std::exit(0);
    }
    if (napoveda == VolbaVerze) {
        std::printf("vantrel-join %s\n", VANTREL_VERZE);
        std::exit(0);
    }
    if (!chyba.empty())
        ChybaPouziti(chyba);
    for (int i = optind; i < argc; ++i)
        vstup(argv[i]);
    if (spojeni.Vstupy.empty())
        ChybaPouziti("no input file");
}

} // namespace

int main(int argc, char** argv) {
    // Before anything is opened: no file of ours may take the number of a closed stream.
    if (const int kod = vantrel::platforma::ZajistiStandardniProudy()) {
        std::fprintf(stderr, "vantrel-join: /dev/null: %s\n", vantrel::EInOutError(kod).what());
        return 1;
    }
    std::setlocale(LC_ALL, "");

    vantrel::TSpojeni spojeni;
    spojeni.NaStandardniVystup = true;
    spojeni.VelikostBufferu = VychoziBuffer;
    PrectiArgumenty(argc, argv, spojeni);

    try {
        vantrel::Spoj(spojeni);
    } catch (const vantrel::EChybaSpojeni& chyba) {
        std::string cesta = vantrel::KodujUtf8(chyba.Cesta());
        if (chyba.Soubor() == vantrel::EChybaSpojeni::Vystup && spojeni.NaStandardniVystup)
            cesta = "(standard output)";
        else if (chyba.Soubor() >= 0 &&
                 spojeni.Vstupy[static_cast<std::size_t>(chyba.Soubor())].Standardni)
            cesta = "(standard input)";
        std::string zprava = chyba.what();
        if (const std::string duvod = Duvod(chyba); !duvod.empty())
            zprava += " (" + duvod + ")";
        std::fprintf(stderr, "vantrel-join: %s: %s\n", Citelne(cesta).c_str(),
                     Citelne(zprava).c_str());
        return 1;
    }
    return 0;
}
