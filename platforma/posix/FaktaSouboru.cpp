#include "platforma/FaktaSouboru.h"

#include "platforma/posix/Posix.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <gelf.h>
#include <libelf.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::platforma {

namespace {

constexpr char SekceVerze[] = ".vantrel_version";
constexpr std::size_t DelkaZaznamu = 16;
constexpr char ZnackaZaznamu[8] = {'V', 'T', 'R', 'L', 'V', 'E', 'R', '\0'};

TCas Cas(const struct statx_timestamp& cas) {
    return {static_cast<std::int64_t>(cas.tv_sec),
            static_cast<std::int32_t>(cas.tv_nsec / 1000000)};
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

// The record in the section: the mark, then the four numbers as 16-bit words in the file's own
// byte order.
bool CtiZaznam(Elf* elf, unsigned char poradi, TCislaVerze& verze) {
    std::size_t indexNazvu = 0;
    if (elf_getshdrstrndx(elf, &indexNazvu) != 0)
        return false;
    for (Elf_Scn* sekce = elf_nextscn(elf, nullptr); sekce != nullptr;
         sekce = elf_nextscn(elf, sekce)) {
        GElf_Shdr hlavicka;
        if (gelf_getshdr(sekce, &hlavicka) == nullptr)
            continue;
        // elf_strptr checks the name's offset against the string table's bounds.
        const char* nazev = elf_strptr(elf, indexNazvu, hlavicka.sh_name);
        if (nazev == nullptr || std::strcmp(nazev, SekceVerze) != 0)
            continue;
        if (hlavicka.sh_type == SHT_NOBITS || hlavicka.sh_size < DelkaZaznamu)
            continue;
        // elf_rawdata refuses a section that does not lie within the file.
        const Elf_Data* data = elf_rawdata(sekce, nullptr);
        if (data == nullptr || data->d_buf == nullptr || data->d_size < DelkaZaznamu)
            continue;
        const auto* b = static_cast<const unsigned char*>(data->d_buf);
        if (std::memcmp(b, ZnackaZaznamu, sizeof ZnackaZaznamu) != 0)
            continue;
        for (std::size_t i = 0; i < verze.size(); ++i) {
            const unsigned prvni = b[8 + 2 * i];
            const unsigned druhy = b[9 + 2 * i];
            verze[i] = static_cast<std::uint16_t>(poradi == ELFDATA2LSB ? prvni | druhy << 8
                                                                        : prvni << 8 | druhy);
        }
        return true;
    }
    return false;
}

} // namespace

bool FaktaSouboru(const TCesta& cesta, TFaktaSouboru& fakta) {
    std::string bajty;
    if (!posix::BajtyCesty(cesta, bajty))
        return false;
    struct statx sx;
    const auto r = posix::Volej(TVolani::Fakta, ZadnyHandle, &cesta, [&](bool) {
        return ::statx(
            AT_FDCWD, bajty.c_str(), AT_STATX_SYNC_AS_STAT,
            STATX_TYPE | STATX_SIZE | STATX_BTIME | STATX_MTIME | STATX_ATIME | STATX_CTIME, &sx);
    });
    if (r.kod != 0 || r.hodnota != 0 || (sx.stx_mask & STATX_TYPE) == 0)
        return false;
    fakta.velikost = static_cast<std::int64_t>(sx.stx_size);
    // Not every file system records the birth time; the status change time stands in for it
    // there, being the closest the file has to a creation time.
    fakta.vytvoreni = Cas((sx.stx_mask & STATX_BTIME) != 0 ? sx.stx_btime : sx.stx_ctime);
    fakta.zmena = Cas(sx.stx_mtime);
    fakta.pristup = Cas(sx.stx_atime);
    fakta.slozka = S_ISDIR(sx.stx_mode);
    return true;
}

bool MistniCas(TCas cas, TKalendar& kalendar) {
    // localtime_r applies the offset in force at the stamped time, daylight saving included.
    ::tzset();
    const auto sekundy = static_cast<std::time_t>(cas.sekundy);
    std::tm mistni{};
    if (::localtime_r(&sekundy, &mistni) == nullptr)
        return false;
    // A leap second shows as the last second of its minute.
    kalendar = {mistni.tm_year + 1900, mistni.tm_mon + 1,           mistni.tm_mday, mistni.tm_hour,
                mistni.tm_min,         std::min(mistni.tm_sec, 59), cas.milisekundy};
    return true;
}

bool VerzeSouboru(const TCesta& cesta, TCislaVerze& verze) {
    std::string bajty;
    if (!posix::BajtyCesty(cesta, bajty))
        return false;
    // O_NONBLOCK: a FIFO at the path must not hang the caller; only regular files are read.
    const TPopisovac soubor(::open(bajty.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat st;
    if (soubor.fd() < 0 || ::fstat(soubor.fd(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    static const bool elfPripraven = elf_version(EV_CURRENT) != EV_NONE;
    if (!elfPripraven)
        return false;
    // ELF_C_READ rather than a mapping: a file truncated meanwhile gives a read error, not SIGBUS.
    const std::unique_ptr<Elf, TZavriElf> elf(elf_begin(soubor.fd(), ELF_C_READ, nullptr));
    if (!elf || elf_kind(elf.get()) != ELF_K_ELF)
        return false;
    std::size_t delkaIdentu = 0;
    const char* ident = elf_getident(elf.get(), &delkaIdentu);
    if (ident == nullptr || delkaIdentu < EI_NIDENT)
        return false;
    const auto poradi = static_cast<unsigned char>(ident[EI_DATA]);
    if (poradi != ELFDATA2LSB && poradi != ELFDATA2MSB)
        return false;
    return CtiZaznam(elf.get(), poradi, verze);
}

TCesta CestaProgramu() {
    std::string cesta(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", cesta.data(), cesta.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < cesta.size()) {
            cesta.resize(static_cast<std::size_t>(n));
            return DekodujUtf8(cesta);
        }
        cesta.resize(cesta.size() * 2);
    }
}

} // namespace vantrel::platforma
