#include "platforma/posix/SouborRegistru.h"

#include "platforma/posix/Posix.h"

#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vantrel {

using platforma::TPorucha;
using platforma::TVolani;
using platforma::TZasah;
using platforma::ZadnyHandle;
namespace detail = platforma::detail;
namespace posix = platforma::posix;

namespace {

using posix::VolejErrno;

// The store's file calls, watched as every call of the layer is.
ssize_t CtiData(int fd, void* kam, size_t kolik) {
    return VolejErrno(TVolani::Cteni, fd, nullptr, [&](bool kratce) {
        return ::read(fd, kam, kratce ? std::max<size_t>(1, kolik / 2) : kolik);
    });
}
ssize_t ZapisData(int fd, const void* co, size_t kolik) {
    return VolejErrno(TVolani::Zapis, fd, nullptr, [&](bool kratce) {
        return ::write(fd, co, kratce ? std::max<size_t>(1, kolik / 2) : kolik);
    });
}
int Synchronizuj(int fd) {
    return VolejErrno(TVolani::Synchronizace, fd, nullptr, [&](bool) { return ::fsync(fd); });
}
// Linux releases the descriptor whatever close reports.
int Zavri(int fd) {
    const TZasah zasah = detail::Pred(TVolani::Zavreni, fd, nullptr);
    const int r = ::close(fd);
    if (zasah.porucha == TPorucha::Chyba) {
        errno = posix::ErrnoChyby(zasah.kod);
        return -1;
    }
    return r;
}
int Prejmenuj(const char* z, const char* na) {
    return VolejErrno(TVolani::Prejmenovani, ZadnyHandle, nullptr,
                      [&](bool) { return ::rename(z, na); });
}
int Flock(int fd, int operace) {
    return VolejErrno(TVolani::Zamek, fd, nullptr, [&](bool) { return ::flock(fd, operace); });
}

// Temporary files older than this run and held by no process were left by a crashed commit.
const std::time_t g_zacatekBehu = std::time(nullptr);

std::string Slozka(const std::string& cesta) {
    const std::size_t lomitko = cesta.rfind('/');
    return lomitko == std::string::npos ? std::string(".")
           : lomitko == 0               ? std::string("/")
                                        : cesta.substr(0, lomitko);
}

ESouborRegistru NeniSoubor(const std::string& cesta) {
    return ESouborRegistru(cesta + " is not a regular file");
}

// The kernel follows at most this many symbolic links in one name (MAXSYMLINKS).
constexpr int MaxOdkazu = 40;

// What failed and the system's reason, for the settings boxes: "<file> could not be written:
// no space left on device". The reason is the system's own English text, whatever the locale.
ESouborRegistru SystemovaChyba(const std::string& co, int cislo) {
    const char* popis = ::strerrordesc_np(cislo);
    std::string duvod = popis != nullptr ? popis : "error " + std::to_string(cislo);
    if (!duvod.empty() && duvod[0] >= 'A' && duvod[0] <= 'Z' &&
        (duvod.size() < 2 || duvod[1] < 'A' || duvod[1] > 'Z'))
        duvod[0] = static_cast<char>(duvod[0] - 'A' + 'a');
    return ESouborRegistru(co + ": " + duvod);
}

ESouborRegistru ChybaCteni(const std::string& cesta, int cislo) {
    return SystemovaChyba(cesta + " could not be read", cislo);
}

int Otevri(const std::string& cesta, int priznaky) {
    int fd;
    do
        fd = ::open(cesta.c_str(), priznaky | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Reads `cil`; `cesta` is the name the user knows, for messages.
TSouborRegistru::TCteni PrectiSoubor(const std::string& cil, const std::string& cesta) {
    TSouborRegistru::TCteni cteni;
    struct stat st;
    if (::stat(cil.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return cteni;
        throw ChybaCteni(cesta, errno);
    }
    // A FIFO would block the start until someone writes into it; a device is no settings file.
    if (!S_ISREG(st.st_mode))
        throw NeniSoubor(cesta);
    const int fd = Otevri(cil, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT)
            return cteni;
        throw ChybaCteni(cesta, errno);
    }
    // The name may have been given to something else since stat.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        Zavri(fd);
        throw NeniSoubor(cesta);
    }
    cteni.stav = TSouborRegistru::TStav::Precten;
    if (static_cast<std::uint64_t>(st.st_size) > MaxVelikostRegistru)
        cteni.stav = TSouborRegistru::TStav::PrilisVelky;
    char buf[8192];
    while (cteni.stav == TSouborRegistru::TStav::Precten) {
        const ssize_t n = CtiData(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int cislo = errno;
            Zavri(fd);
            throw ChybaCteni(cesta, cislo);
        }
        if (n == 0)
            break;
        cteni.bajty.append(buf, static_cast<std::size_t>(n));
        if (cteni.bajty.size() > MaxVelikostRegistru)
            cteni.stav = TSouborRegistru::TStav::PrilisVelky;
    }
    Zavri(fd);
    if (cteni.stav == TSouborRegistru::TStav::PrilisVelky)
        cteni.bajty.clear();
    return cteni;
}

// 0 when the folders on the way to `cesta` exist or have been made, otherwise errno.
int VytvorSlozky(const std::string& cesta) {
    const std::size_t lomitko = cesta.rfind('/');
    if (lomitko == std::string::npos || lomitko == 0)
        return 0;
    const std::string slozka = cesta.substr(0, lomitko);
    struct stat st;
    if (::stat(slozka.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    if (const int cislo = VytvorSlozky(slozka))
        return cislo;
    return ::mkdir(slozka.c_str(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

// Where a chain of symbolic links ends; that file need not exist. As many links as the kernel
// follows when the file is read, so that what can be read can be written.
std::string KonecnyCil(const std::string& cesta) {
    std::string cil = cesta;
    for (int skok = 0;; ++skok) {
        struct stat st;
        if (::lstat(cil.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return cil;
        if (skok == MaxOdkazu)
            throw SystemovaChyba(cesta + " could not be followed", ELOOP);
        char odkaz[PATH_MAX];
        const ssize_t n = ::readlink(cil.c_str(), odkaz, sizeof odkaz);
        if (n < 0)
            throw SystemovaChyba(cil + " could not be followed", errno);
        if (n == 0 || static_cast<std::size_t>(n) >= sizeof odkaz)
            throw SystemovaChyba(cil + " could not be followed", ENAMETOOLONG);
        const std::string kam(odkaz, static_cast<std::size_t>(n));
        cil = kam[0] == '/' ? kam : Slozka(cil) + "/" + kam;
    }
}

// 0 when locked, or when the file system keeps no locks (NFS refuses one on a read-only
// descriptor): the rename still keeps the file whole. Otherwise errno.
int Zamkni(int fd, int operace) {
    for (;;) {
        if (Flock(fd, operace) == 0)
            return 0;
        const int chyba = errno;
        if (chyba == EINTR)
            continue;
        if (chyba == ENOLCK || chyba == EOPNOTSUPP || chyba == EINVAL || chyba == EBADF)
            return 0;
        return chyba;
    }
}

// The exclusive lock of one commit, on the file's folder, which a commit never replaces. A busy
// lock is waited for in a thread of its own: blocked in the kernel, the wait is served in turn
// (polling could starve behind a busy writer), and it can still be given up in time.
class TZamek {
public:
    TZamek(const std::string& cil, const std::string& cesta) {
        fd_ = Otevri(Slozka(cil), O_RDONLY | O_DIRECTORY);
        if (fd_ < 0)
            throw SystemovaChyba("the folder " + Slozka(cil) + " could not be opened", errno);
        const int chyba = Zamkni(fd_, LOCK_EX | LOCK_NB);
        if (chyba == 0)
            return;
        if (chyba != EWOULDBLOCK) {
            ::close(fd_);
            throw SystemovaChyba("the folder " + Slozka(cil) + " could not be locked", chyba);
        }
        auto cekani = std::make_shared<TCekani>();
        cekani->fd = fd_;
        std::thread vlakno([cekani] {
            const int vysledek = Zamkni(cekani->fd, LOCK_EX);
            std::lock_guard<std::mutex> zamek(cekani->mutex);
            cekani->vysledek = vysledek;
            cekani->hotovo = true;
            // Given up meanwhile: the lock, once it comes, is released at once.
            if (cekani->opusteno)
                ::close(cekani->fd);
            cekani->zmena.notify_one();
        });
        std::unique_lock<std::mutex> zamek(cekani->mutex);
        if (!cekani->zmena.wait_for(zamek, CekaniNaZamek, [&] { return cekani->hotovo; })) {
            cekani->opusteno = true;
            zamek.unlock();
            vlakno.detach();
            throw ESouborRegistru(cesta + " is being written by another process");
        }
        zamek.unlock();
        vlakno.join();
        if (cekani->vysledek != 0) {
            ::close(fd_);
            throw SystemovaChyba("the folder " + Slozka(cil) + " could not be locked",
                                 cekani->vysledek);
        }
    }
    ~TZamek() { ::close(fd_); }
    TZamek(const TZamek&) = delete;
    TZamek& operator=(const TZamek&) = delete;

private:
    struct TCekani {
        std::mutex mutex;
        std::condition_variable zmena;
        int fd = -1;
        int vysledek = 0;
        bool hotovo = false;
        bool opusteno = false;
    };
    int fd_ = -1;
};

// 0 when every byte is written, otherwise errno.
int ZapisVse(int fd, const std::string& data) {
    std::size_t hotovo = 0;
    while (hotovo < data.size()) {
        const ssize_t n = ZapisData(fd, data.data() + hotovo, data.size() - hotovo);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC; // the device took nothing and said nothing
        hotovo += static_cast<std::size_t>(n);
    }
    return 0;
}

// Replaces the file by `data` through a synced temporary file in the same folder.
void NahradSoubor(const std::string& cil, const std::string& data) {
    const std::string co = cil + " could not be written";
    std::string vzor = cil + ".tmp-XXXXXX";
    const int fd = ::mkostemp(vzor.data(), O_CLOEXEC);
    if (fd < 0)
        throw SystemovaChyba(co, errno);
    // Held while it is written, so that no clean-up takes it for a leftover.
    ::flock(fd, LOCK_EX | LOCK_NB);
    // The first failure is the reason; the steps after it are skipped, the close is not.
    int chyba = 0;
    auto krok = [&](bool uspel) {
        if (!uspel && chyba == 0)
            chyba = errno;
    };
    struct stat st;
    if (::stat(cil.c_str(), &st) == 0)
        krok(::fchmod(fd, st.st_mode & 07777) == 0);
    if (chyba == 0)
        chyba = ZapisVse(fd, data);
    if (chyba == 0)
        krok(Synchronizuj(fd) == 0);
    krok(Zavri(fd) == 0);
    if (chyba == 0)
        krok(Prejmenuj(vzor.c_str(), cil.c_str()) == 0);
    if (chyba != 0) {
        ::unlink(vzor.c_str());
        throw SystemovaChyba(co, chyba);
    }
    const int dfd = Otevri(Slozka(cil), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// Removes "<file>.tmp-XXXXXX" files that a commit of an earlier run left behind.
void UklidDocasne(const std::string& cil) {
    const std::string slozka = Slozka(cil);
    const std::string predpona = posix::ZakladJmena(cil) + ".tmp-";
    DIR* d = ::opendir(slozka.c_str());
    if (d == nullptr)
        return;
    while (const dirent* e = ::readdir(d)) {
        const std::string jmeno = e->d_name;
        if (jmeno.size() != predpona.size() + 6 || jmeno.compare(0, predpona.size(), predpona) != 0)
            continue;
        const std::string cesta = slozka + "/" + jmeno;
        const int fd = Otevri(cesta, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0)
            continue;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_mtime < g_zacatekBehu &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(cesta.c_str());
        ::close(fd);
    }
    ::closedir(d);
}

// Moves an unusable file to a name that does not exist yet and returns that name.
std::string OdlozStranou(const std::string& cil, const std::string& cesta) {
    const std::time_t ted = std::time(nullptr);
    std::tm mistni{};
    ::localtime_r(&ted, &mistni);
    char razitko[32];
    std::strftime(razitko, sizeof razitko, "%Y%m%d-%H%M%S", &mistni);
    const std::string zaklad = cil + ".corrupt-" + razitko;
    int chyba = EEXIST;
    for (int n = 1; n < 1000 && chyba == EEXIST; ++n) {
        const std::string kam = n == 1 ? zaklad : zaklad + "-" + std::to_string(n);
        if (::renameat2(AT_FDCWD, cil.c_str(), AT_FDCWD, kam.c_str(), RENAME_NOREPLACE) == 0)
            return kam;
        chyba = errno;
        if (chyba != EINVAL && chyba != ENOSYS)
            continue;
        // The file system cannot rename without replacing: a hard link refuses an existing name.
        if (::link(cil.c_str(), kam.c_str()) == 0) {
            if (::unlink(cil.c_str()) == 0)
                return kam;
            chyba = errno;
            ::unlink(kam.c_str());
            break;
        }
        chyba = errno;
    }
    throw SystemovaChyba(cesta + " could not be moved aside", chyba);
}

} // namespace

TSouborRegistru::TCteni TSouborRegistru::Precti() const {
    return PrectiSoubor(cesta_, cesta_);
}

std::string TSouborRegistru::OdlozNeplatny(const TKontrola& platny) const {
    const std::string cil = KonecnyCil(cesta_);
    TZamek zamek(cil, cesta_);
    const TCteni cteni = PrectiSoubor(cil, cesta_);
    if (cteni.stav == TStav::Chybi || (cteni.stav == TStav::Precten && platny(cteni.bajty)))
        return "";
    return OdlozStranou(cil, cesta_);
}

std::string TSouborRegistru::Zapis(const TKontrola& platny, const TUprava& uprav) const {
    if (const int cislo = VytvorSlozky(cesta_))
        throw SystemovaChyba("the folder " + Slozka(cesta_) + " could not be made", cislo);
    const std::string cil = KonecnyCil(cesta_);
    TZamek zamek(cil, cesta_);
    TCteni cteni = PrectiSoubor(cil, cesta_);
    std::string odlozeno;
    if (cteni.stav == TStav::PrilisVelky ||
        (cteni.stav == TStav::Precten && !platny(cteni.bajty))) {
        odlozeno = OdlozStranou(cil, cesta_);
        cteni = TCteni{};
    }
    const std::string novy = uprav(cteni.stav == TStav::Precten ? &cteni.bajty : nullptr, odlozeno);
    if (novy.size() > MaxVelikostRegistru)
        throw ESouborRegistru(cesta_ + " would grow larger than " +
                              std::to_string(MaxVelikostRegistru) + " bytes");
    UklidDocasne(cil);
    NahradSoubor(cil, novy);
    return odlozeno;
}

} // namespace vantrel
