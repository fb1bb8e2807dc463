#include "Poruchy.h"

#include "textfile/Platforma.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <stdexcept>

namespace vantrel::test {

namespace {

struct TStav {
    bool aktivni = false;
    TVolani druh = TVolani::Libovolne;
    std::size_t n = 0;
    TPorucha porucha = TPorucha::Chyba;
    int cisloChyby = 0;
    bool nastala = false;
    std::vector<TZaznamVolani> volani;
    std::string zapsano;
    std::map<int, std::string> soubory; // open descriptors and their paths
};

TStav g_stav;
// The output may be written on a thread of its own: every wrapper takes this.
std::mutex g_zamek;

const platforma::TSystemovaVolani& Skutecna() {
    return platforma::VychoziSystemovaVolani();
}

std::string SouborHandle(int handle) {
    std::lock_guard<std::mutex> z(g_zamek);
    auto it = g_stav.soubory.find(handle);
    return it == g_stav.soubory.end() ? std::string() : it->second;
}

std::size_t PocetDruhu(TVolani druh) {
    return static_cast<std::size_t>(
        std::count_if(g_stav.volani.begin(), g_stav.volani.end(),
                      [druh](const TZaznamVolani& z) { return z.druh == druh; }));
}

// Records the call; the porucha to apply to it, or nothing.
bool Zaznamenej(TVolani druh, const std::string& soubor, TPorucha& porucha) {
    std::lock_guard<std::mutex> z(g_zamek);
    g_stav.volani.push_back({druh, soubor});
    if (g_stav.nastala || g_stav.n == 0)
        return false;
    const std::size_t poradi =
        g_stav.druh == TVolani::Libovolne ? g_stav.volani.size() : PocetDruhu(g_stav.druh);
    if ((g_stav.druh != TVolani::Libovolne && g_stav.druh != druh) || poradi != g_stav.n)
        return false;
    g_stav.nastala = true;
    porucha = g_stav.porucha;
    return true;
}

// errno for a refused call: the chosen one, or EINTR.
int Odmitni(TPorucha porucha) {
    errno = porucha == TPorucha::Preruseni ? EINTR : g_stav.cisloChyby;
    return -1;
}

int Open(const char* cesta, int priznaky, mode_t prava) {
    TPorucha p;
    if (Zaznamenej(TVolani::Open, cesta, p) && p != TPorucha::Kratce)
        return Odmitni(p);
    const int fd = Skutecna().open(cesta, priznaky, prava);
    std::lock_guard<std::mutex> z(g_zamek);
    if (fd >= 0)
        g_stav.soubory[fd] = cesta;
    return fd;
}

ssize_t Read(int handle, void* kam, size_t kolik) {
    TPorucha p;
    if (Zaznamenej(TVolani::Read, SouborHandle(handle), p)) {
        if (p != TPorucha::Kratce)
            return Odmitni(p);
        kolik = std::max<size_t>(1, kolik / 2);
    }
    return Skutecna().read(handle, kam, kolik);
}

ssize_t Write(int handle, const void* co, size_t kolik) {
    TPorucha p;
    if (Zaznamenej(TVolani::Write, SouborHandle(handle), p)) {
        if (p != TPorucha::Kratce)
            return Odmitni(p);
        kolik = std::max<size_t>(1, kolik / 2);
    }
    const ssize_t n = Skutecna().write(handle, co, kolik);
    std::lock_guard<std::mutex> z(g_zamek);
    if (n > 0)
        g_stav.zapsano.append(static_cast<const char*>(co), static_cast<std::size_t>(n));
    return n;
}

int Close(int handle) {
    TPorucha p;
    const bool porucha = Zaznamenej(TVolani::Close, SouborHandle(handle), p);
    {
        std::lock_guard<std::mutex> z(g_zamek);
        g_stav.soubory.erase(handle);
    }
    // Linux releases the descriptor whatever close reports.
    const int r = Skutecna().close(handle);
    if (porucha && p != TPorucha::Kratce)
        return Odmitni(p);
    return r;
}

int Fstat(int handle, struct stat* udaje) {
    TPorucha p;
    if (Zaznamenej(TVolani::Fstat, SouborHandle(handle), p) && p != TPorucha::Kratce)
        return Odmitni(p);
    return Skutecna().fstat(handle, udaje);
}

int Zamkni(int handle, struct flock* zamek) {
    TPorucha p;
    if (Zaznamenej(TVolani::Zamkni, SouborHandle(handle), p) && p != TPorucha::Kratce)
        return Odmitni(p);
    return Skutecna().zamkni(handle, zamek);
}

int ZjistiZamek(int handle, struct flock* zamek) {
    TPorucha p;
    if (Zaznamenej(TVolani::ZjistiZamek, SouborHandle(handle), p) && p != TPorucha::Kratce)
        return Odmitni(p);
    return Skutecna().zjistiZamek(handle, zamek);
}

int Ftruncate(int handle, off_t delka) {
    TPorucha p;
    if (Zaznamenej(TVolani::Ftruncate, SouborHandle(handle), p) && p != TPorucha::Kratce)
        return Odmitni(p);
    return Skutecna().ftruncate(handle, delka);
}

int Dup(int handle) {
    TPorucha p;
    if (Zaznamenej(TVolani::Dup, SouborHandle(handle), p) && p != TPorucha::Kratce)
        return Odmitni(p);
    const int fd = Skutecna().dup(handle);
    if (fd >= 0) {
        std::string soubor = SouborHandle(handle);
        std::lock_guard<std::mutex> z(g_zamek);
        g_stav.soubory[fd] = std::move(soubor);
    }
    return fd;
}

} // namespace

const char* Nazev(TVolani druh) {
    switch (druh) {
    case TVolani::Open:
        return "open";
    case TVolani::Read:
        return "read";
    case TVolani::Write:
        return "write";
    case TVolani::Close:
        return "close";
    case TVolani::Fstat:
        return "fstat";
    case TVolani::Zamkni:
        return "lock";
    case TVolani::ZjistiZamek:
        return "lock test";
    case TVolani::Ftruncate:
        return "ftruncate";
    case TVolani::Dup:
        return "dup";
    case TVolani::Libovolne:
        break;
    }
    return "any";
}

TPoruchy::TPoruchy() {
    if (g_stav.aktivni)
        throw std::logic_error("faults are already installed");
    g_stav = TStav{};
    g_stav.aktivni = true;
    platforma::SystemovaVolani() = {Open,   Read,        Write,     Close, Fstat,
                                    Zamkni, ZjistiZamek, Ftruncate, Dup};
}

TPoruchy::~TPoruchy() {
    platforma::SystemovaVolani() = platforma::VychoziSystemovaVolani();
    g_stav = TStav{};
}

void TPoruchy::Nastav(TVolani druh, std::size_t n, TPorucha porucha, int cisloChyby) {
    g_stav.druh = druh;
    g_stav.n = n;
    g_stav.porucha = porucha;
    g_stav.cisloChyby = cisloChyby;
    Vynuluj();
}

void TPoruchy::Vynuluj() {
    g_stav.nastala = false;
    g_stav.volani.clear();
    g_stav.zapsano.clear();
}

bool TPoruchy::Nastala() const {
    return g_stav.nastala;
}

std::size_t TPoruchy::Pocet(TVolani druh) const {
    return druh == TVolani::Libovolne ? g_stav.volani.size() : PocetDruhu(druh);
}

const std::vector<TZaznamVolani>& TPoruchy::Volani() const {
    return g_stav.volani;
}

const std::string& TPoruchy::Zapsano() const {
    return g_stav.zapsano;
}

} // namespace vantrel::test
