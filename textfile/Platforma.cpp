#include "textfile/Platforma.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vantrel::platforma {

namespace {

int SysOpen(const char* cesta, int priznaky, mode_t prava) {
    return ::open(cesta, priznaky, prava);
}
int SysZamkni(int handle, struct flock* zamek) {
    return ::fcntl(handle, F_OFD_SETLK, zamek);
}
int SysZjistiZamek(int handle, struct flock* zamek) {
    return ::fcntl(handle, F_OFD_GETLK, zamek);
}
int SysDup(int handle) {
    return ::fcntl(handle, F_DUPFD_CLOEXEC, 0);
}

// Runs a call again for as long as a signal interrupts it.
template <typename F> auto BezPreruseni(F volani) {
    decltype(volani()) r;
    do
        r = volani();
    while (r < 0 && errno == EINTR);
    return r;
}

const TSystemovaVolani g_vychozi = {SysOpen,   ::read,         ::write,     ::close, ::fstat,
                                    SysZamkni, SysZjistiZamek, ::ftruncate, SysDup};
TSystemovaVolani g_volani = g_vychozi;

// Standard streams that were closed at start and hold /dev/null only to keep their numbers.
bool g_zavrenyProud[3] = {};

bool RodicExistuje(const std::string& cesta) {
    auto lomitko = cesta.find_last_of('/');
    if (lomitko == std::string::npos)
        return true;
    std::string rodic = lomitko == 0 ? "/" : cesta.substr(0, lomitko);
    struct stat udaje;
    return ::stat(rodic.c_str(), &udaje) == 0 && S_ISDIR(udaje.st_mode);
}

// A path the system would silently cut short or cannot name at all.
bool NeplatnaCesta(const std::string& cesta) {
    return cesta.empty() || cesta.find('\0') != std::string::npos;
}

int Otevri(const std::string& cesta, int priznaky, int& handle) {
    if (NeplatnaCesta(cesta))
        return 3;
    const int fd = BezPreruseni(
        [&] { return g_volani.open(cesta.c_str(), priznaky | O_CLOEXEC | O_NOCTTY, 0666); });
    if (fd < 0)
        return KodChyby(errno, cesta);
    handle = fd;
    return 0;
}

// 0 when locked or when the file system keeps no locks; 32 when someone holds a conflicting one.
int Zamkni(int handle, short druh) {
    struct flock zamek {};
    zamek.l_type = druh;
    zamek.l_whence = SEEK_SET;
    if (BezPreruseni([&] { return g_volani.zamkni(handle, &zamek); }) == 0)
        return 0;
    if (errno == EAGAIN || errno == EACCES)
        return 32;
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
    if (BezPreruseni([&] { return g_volani.zjistiZamek(handle, &zamek); }) != 0)
        return errno == EINVAL || errno == ENOLCK || errno == EOPNOTSUPP ? 0 : KodChyby(errno);
    return zamek.l_type == F_UNLCK ? 0 : 32;
}

int ZavriPoChybe(int handle, int kod) {
    g_volani.close(handle);
    return kod;
}

} // namespace

TSystemovaVolani& SystemovaVolani() {
    return g_volani;
}
const TSystemovaVolani& VychoziSystemovaVolani() {
    return g_vychozi;
}

int KodChyby(int cislo, const std::string& cesta) {
    switch (cislo) {
    case ENOENT:
        return cesta.empty() || RodicExistuje(cesta) ? 2 : 3;
    case ENOTDIR:
        return 3;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return 5;
    case EMFILE:
    case ENFILE:
        return 4;
    case EBADF:
        return 6; // ERROR_INVALID_HANDLE
    case ENOMEM:
        return 8; // ERROR_NOT_ENOUGH_MEMORY
    case ETXTBSY:
        return 32; // ERROR_SHARING_VIOLATION
    case EEXIST:
        return 80; // ERROR_FILE_EXISTS
    case EINVAL:
        return 87; // ERROR_INVALID_PARAMETER
    case ENOSPC:
    case EDQUOT:
        return 112; // ERROR_DISK_FULL
    case EBUSY:
        return 170; // ERROR_BUSY
    case ENAMETOOLONG:
        return 206; // ERROR_FILENAME_EXCED_RANGE
    case EFBIG:
        return 223; // ERROR_FILE_TOO_LARGE
    case EPIPE:
        return 232; // ERROR_NO_DATA: the pipe is being closed
    case EIO:
        return 1117; // ERROR_IO_DEVICE
    case ELOOP:
        return 1921; // ERROR_CANT_RESOLVE_FILENAME
    default:
        return 10000 + cislo;
    }
}

std::string PopisNeprevedeneChyby(int kod) {
    if (kod <= 10000)
        return {};
    const char* jmeno = ::strerrorname_np(kod - 10000);
    const char* popis = ::strerrordesc_np(kod - 10000);
    if (jmeno == nullptr || popis == nullptr)
        return {};
    return std::string(jmeno) + ": " + popis;
}

int ZajistiStandardniProudy() {
    for (int cislo = 0; cislo <= 2; ++cislo) {
        if (::fcntl(cislo, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // Every number below this one is open by now, so this is the one open() gives.
        const int fd = BezPreruseni(
            [&] { return ::open("/dev/null", cislo == 0 ? O_RDONLY : O_WRONLY | O_NOCTTY); });
        if (fd < 0)
            return KodChyby(errno);
        if (fd != cislo) {
            ::close(fd);
            return 6; // ERROR_INVALID_HANDLE
        }
        g_zavrenyProud[cislo] = true;
    }
    return 0;
}

namespace {

// An input just opened: a folder is refused, a file is locked for reading; with `zamknout`
// false it is only asked whether another join writes it.
int DokonciVstup(int fd, bool zamknout, int& handle) {
    struct stat udaje;
    if (BezPreruseni([&] { return g_volani.fstat(fd, &udaje); }) != 0)
        return ZavriPoChybe(fd, KodChyby(errno));
    if (S_ISDIR(udaje.st_mode))
        return ZavriPoChybe(fd, 5);
    if (S_ISREG(udaje.st_mode)) {
        if (int kod = zamknout ? Zamkni(fd, F_RDLCK) : NikdoNepise(fd))
            return ZavriPoChybe(fd, kod);
    }
    handle = fd;
    return 0;
}

} // namespace

int OtevriProCteni(const std::string& cesta, int& handle) {
    int fd;
    if (int kod = Otevri(cesta, O_RDONLY, fd))
        return kod;
    return DokonciVstup(fd, true, handle);
}

int OtevriProZapis(const std::string& cesta, int& handle) {
    // Not O_TRUNC: the file is emptied only once the lock is ours. And only when it holds
    // anything: ext4 forces out at close the data of a file that was truncated to nothing.
    int fd;
    if (int kod = Otevri(cesta, O_WRONLY | O_CREAT, fd))
        return kod;
    struct stat udaje;
    auto zjisti = [&] { return BezPreruseni([&] { return g_volani.fstat(fd, &udaje); }); };
    if (zjisti() != 0)
        return ZavriPoChybe(fd, KodChyby(errno));
    if (S_ISREG(udaje.st_mode)) {
        if (int kod = Zamkni(fd, F_WRLCK))
            return ZavriPoChybe(fd, kod);
        // The size as it is under the lock: whoever held the lock before may have written.
        if (zjisti() != 0)
            return ZavriPoChybe(fd, KodChyby(errno));
        if (udaje.st_size > 0 && BezPreruseni([&] { return g_volani.ftruncate(fd, 0); }) != 0)
            return ZavriPoChybe(fd, KodChyby(errno));
    }
    handle = fd;
    return 0;
}

int OtevriStandardniVstup(int& handle) {
    if (g_zavrenyProud[HandleVstupu])
        return 6; // ERROR_INVALID_HANDLE
    const int fd = BezPreruseni([] { return g_volani.dup(HandleVstupu); });
    if (fd < 0)
        return KodChyby(errno);
    // Not locked: the lock would stay with the description, which the shell may keep open
    // after the join.
    return DokonciVstup(fd, false, handle);
}

int OtevriStandardniVystup(int& handle) {
    if (g_zavrenyProud[HandleVystupu])
        return 6; // ERROR_INVALID_HANDLE
    const int fd = BezPreruseni([] { return g_volani.dup(HandleVystupu); });
    if (fd < 0)
        return KodChyby(errno);
    handle = fd;
    return 0;
}

int Cti(int handle, unsigned char* kam, std::uint32_t kolik, std::uint32_t& precteno) {
    const ssize_t n = BezPreruseni([&] { return g_volani.read(handle, kam, kolik); });
    if (n < 0) {
        precteno = 0;
        return KodChyby(errno);
    }
    precteno = static_cast<std::uint32_t>(n);
    return 0;
}

int Zapis(int handle, const unsigned char* co, std::uint32_t kolik) {
    while (kolik > 0) {
        const ssize_t n = BezPreruseni([&] { return g_volani.write(handle, co, kolik); });
        if (n < 0)
            return KodChyby(errno);
        if (n == 0)
            return 29; // ERROR_WRITE_FAULT: the device took nothing and said nothing
        co += n;
        kolik -= static_cast<std::uint32_t>(n);
    }
    return 0;
}

int Zavri(int handle) {
    // After EINTR the descriptor is already released on Linux; retrying could close another.
    if (g_volani.close(handle) != 0 && errno != EINTR)
        return KodChyby(errno);
    return 0;
}

TDruhZarizeni DruhZarizeni(int handle) {
    struct stat udaje;
    if (BezPreruseni([&] { return g_volani.fstat(handle, &udaje); }) != 0)
        return TDruhZarizeni::Neznamy;
    if (S_ISREG(udaje.st_mode) || S_ISBLK(udaje.st_mode))
        return TDruhZarizeni::Disk;
    if (S_ISCHR(udaje.st_mode))
        return TDruhZarizeni::Znakove;
    if (S_ISFIFO(udaje.st_mode) || S_ISSOCK(udaje.st_mode))
        return TDruhZarizeni::Roura;
    return TDruhZarizeni::Neznamy;
}

namespace {

TIdentita IdentitaZUdaju(const struct stat& udaje) {
    const bool obsah = S_ISREG(udaje.st_mode) || S_ISBLK(udaje.st_mode) || S_ISFIFO(udaje.st_mode);
    return {udaje.st_dev, udaje.st_ino, obsah};
}

} // namespace

bool Identita(const std::string& cesta, TIdentita& identita) {
    struct stat udaje;
    if (NeplatnaCesta(cesta) || ::stat(cesta.c_str(), &udaje) != 0)
        return false;
    identita = IdentitaZUdaju(udaje);
    return true;
}

bool IdentitaHandle(int handle, TIdentita& identita) {
    struct stat udaje;
    if (::fstat(handle, &udaje) != 0)
        return false;
    identita = IdentitaZUdaju(udaje);
    return true;
}

} // namespace vantrel::platforma
