#include "platforma/Soubory.h"

#include "platforma/Chyby.h"
#include "platforma/posix/Posix.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::platforma {

namespace posix {

namespace {

bool RodicExistuje(const std::string& cesta) {
    auto lomitko = cesta.find_last_of('/');
    if (lomitko == std::string::npos)
        return true;
    std::string rodic = lomitko == 0 ? "/" : cesta.substr(0, lomitko);
    struct stat udaje;
    return ::stat(rodic.c_str(), &udaje) == 0 && S_ISDIR(udaje.st_mode);
}

} // namespace

int KodChyby(int cislo, const std::string& cesta) {
    switch (cislo) {
    case ENOENT:
        return cesta.empty() || RodicExistuje(cesta) ? ChybaNeniSoubor : ChybaNeniCesta;
    case ENOTDIR:
        return ChybaNeniCesta;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return ChybaPristupu;
    case EMFILE:
    case ENFILE:
        return ChybaMnohoSouboru;
    case EBADF:
        return ChybaHandle;
    case ENOMEM:
        return ChybaPameti;
    case ETXTBSY:
        return ChybaSdileni;
    case EEXIST:
        return ChybaSouborExistuje;
    case EINVAL:
        return ChybaParametru;
    case ENOSPC:
    case EDQUOT:
        return ChybaMista;
    case EBUSY:
        return ChybaZaneprazdneno;
    case ENAMETOOLONG:
        return ChybaDlouhehoJmena;
    case EFBIG:
        return ChybaVelikosti;
    case EPIPE:
        return ChybaZavirani;
    case EIO:
        return ChybaZarizeni;
    case ELOOP:
        return ChybaOdkazu;
    default:
        return ChybaNeznama + cislo;
    }
}

int ErrnoChyby(int kod) {
    switch (kod) {
    case ChybaNeniSoubor:
        return ENOENT;
    case ChybaNeniCesta:
        return ENOTDIR;
    case ChybaMnohoSouboru:
        return EMFILE;
    case ChybaPristupu:
        return EACCES;
    case ChybaHandle:
        return EBADF;
    case ChybaPameti:
        return ENOMEM;
    case ChybaSdileni:
        return EWOULDBLOCK;
    case ChybaSouborExistuje:
        return EEXIST;
    case ChybaParametru:
        return EINVAL;
    case ChybaMista:
        return ENOSPC;
    case ChybaZaneprazdneno:
        return EBUSY;
    case ChybaDlouhehoJmena:
        return ENAMETOOLONG;
    case ChybaVelikosti:
        return EFBIG;
    case ChybaZavirani:
        return EPIPE;
    case ChybaOdkazu:
        return ELOOP;
    default:
        return kod > ChybaNeznama ? kod - ChybaNeznama : EIO;
    }
}

} // namespace posix

namespace detail {

std::string PopisSystemoveChyby(int kod) {
    if (kod <= ChybaNeznama)
        return {};
    const char* jmeno = ::strerrorname_np(kod - ChybaNeznama);
    const char* popis = ::strerrordesc_np(kod - ChybaNeznama);
    if (jmeno == nullptr || popis == nullptr)
        return {};
    return std::string(jmeno) + ": " + popis;
}

} // namespace detail

using posix::KodChyby;
using posix::Volej;

namespace {

// Standard streams that were closed at start and hold the null device only to keep their
// numbers.
bool g_zavrenyProud[3] = {};

int Otevri(const TCesta& cesta, int priznaky, int& handle) {
    std::string bajty;
    if (!posix::BajtyCesty(cesta, bajty))
        return ChybaNeniCesta;
    const auto fd = Volej(TVolani::Otevreni, ZadnyHandle, &cesta, [&](bool) {
        return ::open(bajty.c_str(), priznaky | O_CLOEXEC | O_NOCTTY, 0666);
    });
    if (fd.kod != 0)
        return fd.kod;
    if (fd.hodnota < 0)
        return KodChyby(errno, bajty);
    handle = fd.hodnota;
    detail::Po(TVolani::Otevreni, handle, &cesta);
    return 0;
}

int Udaje(int handle, struct stat& udaje) {
    const auto r =
        Volej(TVolani::Udaje, handle, nullptr, [&](bool) { return ::fstat(handle, &udaje); });
    return r.kod != 0 ? r.kod : r.hodnota != 0 ? KodChyby(errno) : 0;
}

// 0 when locked or when the file system keeps no locks; 32 when someone holds a conflicting one.
int Zamkni(int handle, short druh) {
    struct flock zamek {};
    zamek.l_type = druh;
    zamek.l_whence = SEEK_SET;
    const auto r = Volej(TVolani::Zamek, handle, nullptr,
                         [&](bool) { return ::fcntl(handle, F_OFD_SETLK, &zamek); });
    if (r.kod != 0)
        return r.kod;
    if (r.hodnota == 0)
        return 0;
    if (errno == EAGAIN || errno == EACCES)
        return ChybaSdileni;
    if (errno == EINVAL || errno == ENOLCK || errno == EOPNOTSUPP)
        return 0;
    return KodChyby(errno);
}

// 0 when no one else holds a write lock on the file (or the file system keeps no locks); 32
// when someone does.
int NikdoNepise(int handle) {
    struct flock zamek {};
    zamek.l_type = F_RDLCK;
    zamek.l_whence = SEEK_SET;
    const auto r = Volej(TVolani::Zamek, handle, nullptr,
                         [&](bool) { return ::fcntl(handle, F_OFD_GETLK, &zamek); });
    if (r.kod != 0)
        return r.kod;
    if (r.hodnota != 0)
        return errno == EINVAL || errno == ENOLCK || errno == EOPNOTSUPP ? 0 : KodChyby(errno);
    return zamek.l_type == F_UNLCK ? 0 : ChybaSdileni;
}

int ZavriPoChybe(int handle, int kod) {
    Zavri(handle);
    return kod;
}

int Duplikuj(int puvodni, THandle& handle) {
    if (g_zavrenyProud[puvodni])
        return ChybaHandle;
    const auto fd = Volej(TVolani::Otevreni, puvodni, nullptr,
                          [&](bool) { return ::fcntl(puvodni, F_DUPFD_CLOEXEC, 0); });
    if (fd.kod != 0)
        return fd.kod;
    if (fd.hodnota < 0)
        return KodChyby(errno);
    handle = fd.hodnota;
    detail::Po(TVolani::Otevreni, handle);
    return 0;
}

bool JeNejisty(mode_t druh) {
    return S_ISFIFO(druh) || S_ISSOCK(druh) || S_ISCHR(druh);
}

TIdentita IdentitaZUdaju(const struct stat& udaje) {
    const bool obsah = S_ISREG(udaje.st_mode) || S_ISBLK(udaje.st_mode) || S_ISFIFO(udaje.st_mode);
    return {static_cast<std::uint64_t>(udaje.st_dev), static_cast<std::uint64_t>(udaje.st_ino),
            obsah};
}

bool IdentitaDeskriptoru(int fd, TIdentita& identita) {
    if (fd <= STDERR_FILENO && g_zavrenyProud[fd])
        return false;
    struct stat udaje;
    if (::fstat(fd, &udaje) != 0)
        return false;
    identita = IdentitaZUdaju(udaje);
    return true;
}

} // namespace

int OtevriProCteni(const TCesta& cesta, THandle& handle, bool bezCekani) {
    // O_NONBLOCK opens a FIFO without a writer at once; reading a regular file or a block
    // device, the only kinds then kept, ignores it.
    int fd;
    if (int kod = Otevri(cesta, O_RDONLY | (bezCekani ? O_NONBLOCK : 0), fd))
        return kod;
    struct stat udaje;
    if (int kod = Udaje(fd, udaje))
        return ZavriPoChybe(fd, kod);
    if (S_ISDIR(udaje.st_mode))
        return ZavriPoChybe(fd, ChybaPristupu);
    if (bezCekani && JeNejisty(udaje.st_mode))
        return ZavriPoChybe(fd, ChybaNejistehoVstupu);
    if (S_ISREG(udaje.st_mode)) {
        if (int kod = Zamkni(fd, F_RDLCK))
            return ZavriPoChybe(fd, kod);
    }
    handle = fd;
    return 0;
}

int OtevriProZapis(const TCesta& cesta, THandle& handle) {
    // Not O_TRUNC: the file is emptied only once the lock is ours. And only when it holds
    // anything: ext4 forces out at close the data of a file that was truncated to nothing.
    int fd;
    if (int kod = Otevri(cesta, O_WRONLY | O_CREAT, fd))
        return kod;
    struct stat udaje;
    if (int kod = Udaje(fd, udaje))
        return ZavriPoChybe(fd, kod);
    if (S_ISREG(udaje.st_mode)) {
        if (int kod = Zamkni(fd, F_WRLCK))
            return ZavriPoChybe(fd, kod);
        // The size as it is under the lock: whoever held the lock before may have written.
        if (int kod = Udaje(fd, udaje))
            return ZavriPoChybe(fd, kod);
        if (udaje.st_size > 0) {
            const auto r =
                Volej(TVolani::Zkraceni, fd, nullptr, [&](bool) { return ::ftruncate(fd, 0); });
            if (r.kod != 0 || r.hodnota != 0)
                return ZavriPoChybe(fd, r.kod != 0 ? r.kod : KodChyby(errno));
        }
    }
    handle = fd;
    return 0;
}

int ZajistiStandardniProudy() {
    for (int cislo = STDIN_FILENO; cislo <= STDERR_FILENO; ++cislo) {
        if (::fcntl(cislo, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // Every number below this one is open by now, so this is the one open() gives.
        const int fd =
            posix::Volej(TVolani::Otevreni, ZadnyHandle, nullptr, [&](bool) {
                return ::open("/dev/null", cislo == STDIN_FILENO ? O_RDONLY : O_WRONLY | O_NOCTTY);
            }).hodnota;
        if (fd < 0)
            return KodChyby(errno);
        if (fd != cislo) {
            ::close(fd);
            return ChybaHandle;
        }
        g_zavrenyProud[cislo] = true;
    }
    return 0;
}

int OtevriStandardniVstup(THandle& handle) {
    THandle h;
    if (int kod = Duplikuj(STDIN_FILENO, h))
        return kod;
    const int fd = static_cast<int>(h);
    struct stat udaje;
    if (int kod = Udaje(fd, udaje))
        return ZavriPoChybe(fd, kod);
    if (S_ISDIR(udaje.st_mode))
        return ZavriPoChybe(fd, ChybaPristupu);
    if (S_ISREG(udaje.st_mode)) {
        if (int kod = NikdoNepise(fd))
            return ZavriPoChybe(fd, kod);
    }
    handle = h;
    return 0;
}

int OtevriStandardniVystup(THandle& handle) {
    return Duplikuj(STDOUT_FILENO, handle);
}

int Cti(THandle handle, unsigned char* kam, std::uint32_t kolik, std::uint32_t& precteno) {
    const int fd = static_cast<int>(handle);
    const auto n = Volej(TVolani::Cteni, handle, nullptr, [&](bool kratce) {
        return ::read(fd, kam, kratce ? std::max<std::uint32_t>(1, kolik / 2) : kolik);
    });
    precteno = 0;
    if (n.kod != 0)
        return n.kod;
    if (n.hodnota < 0)
        return KodChyby(errno);
    precteno = static_cast<std::uint32_t>(n.hodnota);
    return 0;
}

int Zapis(THandle handle, const unsigned char* co, std::uint32_t kolik) {
    const int fd = static_cast<int>(handle);
    while (kolik > 0) {
        const auto n = Volej(TVolani::Zapis, handle, nullptr, [&](bool kratce) {
            return ::write(fd, co, kratce ? std::max<std::uint32_t>(1, kolik / 2) : kolik);
        });
        if (n.kod != 0)
            return n.kod;
        if (n.hodnota < 0)
            return KodChyby(errno);
        if (n.hodnota == 0)
            return ChybaZapisu; // the device took nothing and said nothing
        detail::Po(TVolani::Zapis, handle, nullptr, co, static_cast<std::size_t>(n.hodnota));
        co += n.hodnota;
        kolik -= static_cast<std::uint32_t>(n.hodnota);
    }
    return 0;
}

int Zavri(THandle handle) {
    const TZasah zasah = detail::Pred(TVolani::Zavreni, handle, nullptr);
    // Linux releases the descriptor whatever close reports; after EINTR too, so a retry could
    // close another file.
    const int r = ::close(static_cast<int>(handle));
    const int chyba = errno;
    detail::Po(TVolani::Zavreni, handle);
    if (zasah.porucha == TPorucha::Chyba)
        return zasah.kod;
    return r != 0 && chyba != EINTR ? KodChyby(chyba) : 0;
}

TDruhZarizeni DruhZarizeni(THandle handle) {
    struct stat udaje;
    const auto r = Volej(TVolani::Druh, handle, nullptr,
                         [&](bool) { return ::fstat(static_cast<int>(handle), &udaje); });
    if (r.kod != 0 || r.hodnota != 0)
        return TDruhZarizeni::Neznamy;
    if (S_ISREG(udaje.st_mode) || S_ISBLK(udaje.st_mode))
        return TDruhZarizeni::Disk;
    if (S_ISCHR(udaje.st_mode))
        return TDruhZarizeni::Znakove;
    if (S_ISFIFO(udaje.st_mode) || S_ISSOCK(udaje.st_mode))
        return TDruhZarizeni::Roura;
    return TDruhZarizeni::Neznamy;
}

bool Identita(const TCesta& cesta, TIdentita& identita) {
    std::string bajty;
    struct stat udaje;
    if (!posix::BajtyCesty(cesta, bajty) || ::stat(bajty.c_str(), &udaje) != 0)
        return false;
    identita = IdentitaZUdaju(udaje);
    return true;
}

bool MuzeNedorucit(const TCesta& cesta) {
    std::string bajty;
    struct stat udaje;
    return posix::BajtyCesty(cesta, bajty) && ::stat(bajty.c_str(), &udaje) == 0 &&
           JeNejisty(udaje.st_mode);
}

bool IdentitaHandle(THandle handle, TIdentita& identita) {
    return IdentitaDeskriptoru(static_cast<int>(handle), identita);
}

bool IdentitaStandardnihoVstupu(TIdentita& identita) {
    return IdentitaDeskriptoru(STDIN_FILENO, identita);
}

bool IdentitaStandardnihoVystupu(TIdentita& identita) {
    return IdentitaDeskriptoru(STDOUT_FILENO, identita);
}

bool StejneMisto(const TCesta& a, const TCesta& b) {
    if (a == b)
        return true;
    if (ZakladJmena(a) != ZakladJmena(b))
        return false;
    // The folders by identity, so that two spellings of one folder (links, "..") agree.
    const auto slozka = [](const TCesta& cesta) -> TCesta {
        const std::size_t lomitko = cesta.rfind(u'/');
        return lomitko == TCesta::npos ? u"." : lomitko == 0 ? u"/" : cesta.substr(0, lomitko);
    };
    TIdentita slozkaA, slozkaB;
    return Identita(slozka(a), slozkaA) && Identita(slozka(b), slozkaB) && slozkaA == slozkaB;
}

TCesta ZakladJmena(const TCesta& cesta) {
    return posix::ZakladJmena(cesta);
}

} // namespace vantrel::platforma
