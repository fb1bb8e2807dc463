// vantrel-join: the join of the Vantrel program from the command line.

#include "textfile/KodovaStranka.h"
#include "textfile/Spojeni.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* Pouziti = "usage: vantrel-join [-o OUTPUT] [--buffer-size BYTES] INPUT...\n"
                                "       vantrel-join --help | --version\n";

constexpr const char* Napoveda =
    "\n"
    "Joins text files into one: every line of every INPUT, in the order given, ended with\n"
    "CR LF, and one empty line after each file. A byte 26 ends a file; a CR is never part of\n"
    "a line's text. Bytes are copied as they are, whatever their encoding.\n"
    "\n"
    "  -o, --output OUTPUT     write to OUTPUT (created, or emptied first) instead of\n"
    "                          standard output; OUTPUT must not be one of the INPUTs\n"
    "  --buffer-size BYTES     file buffer size, 1 to 16777216 (suffixes K and M allowed);\n"
    "                          default 65536; 128 is the I/O pattern of the Vantrel window\n"
    "  -h, --help              show this help\n"
    "  --version               show the version\n"
    "\n"
    "Exit status: 0 when every file was joined, 1 when a file failed (the output then keeps\n"
    "what was written before the failure), 2 for a usage error.\n";

constexpr std::uint32_t NejvetsiBuffer = 16u * 1024 * 1024;
constexpr std::uint32_t VychoziBuffer = 64u * 1024;

[[noreturn]] void ChybaPouziti(const std::string& zprava) {
    std::fprintf(stderr, "vantrel-join: %s\n%s", zprava.c_str(), Pouziti);
    std::exit(2);
}

bool PrectiVelikost(const char* text, std::uint32_t& velikost) {
    char* konec = nullptr;
    if (*text < '0' || *text > '9')
        return false;
    errno = 0;
    unsigned long long hodnota = std::strtoull(text, &konec, 10);
    if (errno != 0)
        return false;
    std::string pripona(konec);
    if (pripona == "K" || pripona == "k" || pripona == "KiB")
        hodnota *= 1024;
    else if (pripona == "M" || pripona == "m" || pripona == "MiB")
        hodnota *= 1024 * 1024;
    else if (!pripona.empty())
        return false;
    if (hodnota < 1 || hodnota > NejvetsiBuffer)
        return false;
    velikost = static_cast<std::uint32_t>(hodnota);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");

    vantrel::TSpojeni spojeni;
    spojeni.NaStandardniVystup = true;
    spojeni.VelikostBufferu = VychoziBuffer;
    bool jenSoubory = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto hodnota = [&](const std::string& volba) -> const char* {
            if (i + 1 >= argc)
                ChybaPouziti("option " + volba + " needs a value");
            return argv[++i];
        };
        if (jenSoubory || arg == "-" || arg.empty() || arg[0] != '-') {
            spojeni.Vstupy.push_back(vantrel::DekodujCestu(arg));
        } else if (arg == "--") {
            jenSoubory = true;
        } else if (arg == "-h" || arg == "--help") {
            std::printf("%s%s", Pouziti, Napoveda);
            return 0;
        } else if (arg == "--version") {
            std::printf("vantrel-join %s\n", VANTREL_VERZE);
            return 0;
        } else if (arg == "-o" || arg == "--output" || arg.rfind("--output=", 0) == 0) {
            const char* cesta = arg[1] == 'o' || arg == "--output" ? hodnota(arg) : argv[i] + 9;
            if (*cesta == '\0')
                ChybaPouziti("the output name is empty");
            spojeni.Vystup = vantrel::DekodujCestu(cesta);
            spojeni.NaStandardniVystup = false;
        } else if (arg == "--buffer-size" || arg.rfind("--buffer-size=", 0) == 0) {
            const char* text = arg == "--buffer-size" ? hodnota(arg) : argv[i] + 14;
            if (!PrectiVelikost(text, spojeni.VelikostBufferu))
                ChybaPouziti(std::string("bad buffer size '") + text +
                             "': give 1 to 16777216 bytes");
        } else {
            ChybaPouziti("unknown option '" + arg + "'");
        }
    }
    if (spojeni.Vstupy.empty())
        ChybaPouziti("no input file");

    try {
        vantrel::Spoj(spojeni);
    } catch (const vantrel::EChybaSpojeni& chyba) {
        const std::string cesta =
            chyba.Soubor() == vantrel::EChybaSpojeni::Vystup && spojeni.NaStandardniVystup
                ? std::string("(standard output)")
                : vantrel::KodujCestu(chyba.Cesta());
        std::fprintf(stderr, "vantrel-join: %s: %s\n", cesta.c_str(), chyba.what());
        return 1;
    }
    return 0;
}
