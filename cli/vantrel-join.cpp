// vantrel-join: the join of the Vantrel program from the command line.

#include "platforma/Utf8.h"
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
// Standard input is opened by this name, so that the join treats it as any other file.
constexpr const char* StandardniVstup = "/dev/stdin";

// Bytes for a terminal: a control character (C0, DEL, or C1 in UTF-8) becomes an escape, so a
// file name cannot move the cursor or recolour the screen.
std::string Citelne(const std::string& bajty) {
    std::string ven;
    for (std::size_t i = 0; i < bajty.size(); ++i) {
        const auto c = static_cast<unsigned char>(bajty[i]);
        const bool c1 = c == 0xC2 && i + 1 < bajty.size() &&
                        static_cast<unsigned char>(bajty[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(bajty[i + 1]) <= 0x9F;
        if (c == '\n') {
            ven += "\\n";
        } else if (c == '\t') {
            ven += "\\t";
        } else if (c == '\r') {
            ven += "\\r";
        } else if (c < 0x20 || c == 0x7F || c1) {
            char kod[16];
            std::snprintf(kod, sizeof kod, c1 ? "\\x%02x\\x%02x" : "\\x%02x", c,
                          c1 ? static_cast<unsigned char>(bajty[++i]) : 0);
            ven += kod;
        } else {
            ven += static_cast<char>(c);
        }
    }
    return ven;
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
// abbreviations of long names, options anywhere among the INPUTs, and -- to end them.
void PrectiArgumenty(int argc, char** argv, vantrel::TSpojeni& spojeni) {
    static const option dlouhe[] = {
        {"output", required_argument, nullptr, 'o'},
        {"buffer-size", required_argument, nullptr, VolbaBuffer},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, VolbaVerze},
        {nullptr, 0, nullptr, 0},
    };
    auto vstup = [&](const char* cesta) {
        const bool standardni = cesta[0] == '-' && cesta[1] == '\0';
        spojeni.Vstupy.push_back(vantrel::DekodujUtf8(standardni ? StandardniVstup : cesta));
    };
    opterr = 0;
    // "-": INPUTs come back in their place among the options, whatever POSIXLY_CORRECT says.
    for (int volba; (volba = getopt_long(argc, argv, "-:o:h", dlouhe, nullptr)) != -1;) {
        switch (volba) {
        case 1:
            vstup(optarg);
            break;
        case 'o':
            if (*optarg == '\0')
                ChybaPouziti("the output name is empty");
            spojeni.Vystup = vantrel::DekodujUtf8(optarg);
            spojeni.NaStandardniVystup = false;
            break;
        case VolbaBuffer:
            if (!PrectiVelikost(optarg, spojeni.VelikostBufferu))
                ChybaPouziti(std::string("bad buffer size '") + optarg +
                             "': give 1 to 16777216 bytes");
            break;
        case 'h':
            std::printf("%s%s", Pouziti, Napoveda);
            std::exit(0);
        case VolbaVerze:
            std::printf("vantrel-join %s\n", VANTREL_VERZE);
            std::exit(0);
        case ':':
            ChybaPouziti(std::string("option '") + argv[optind - 1] + "' needs a value");
        default:
            // optopt: 0 for an unknown long option, the option's code for a long one given a
            // value it does not take, the letter for an unknown short one.
            if (optopt == 'h' || optopt == VolbaVerze)
                ChybaPouziti(std::string("option '") + argv[optind - 1] + "' takes no value");
            if (optopt == 0)
                ChybaPouziti(std::string("unknown option '") + argv[optind - 1] + "'");
            ChybaPouziti(std::string("unknown option '-") + static_cast<char>(optopt) + "'");
        }
    }
    for (int i = optind; i < argc; ++i)
        vstup(argv[i]);
    if (spojeni.Vstupy.empty())
        ChybaPouziti("no input file");
}

} // namespace

int main(int argc, char** argv) {
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
        else if (chyba.Soubor() >= 0 && cesta == StandardniVstup)
            cesta = "(standard input)";
        std::fprintf(stderr, "vantrel-join: %s: %s\n", Citelne(cesta).c_str(),
                     Citelne(chyba.what()).c_str());
        return 1;
    }
    return 0;
}
