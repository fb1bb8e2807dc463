#include "Poruchy.h"

#include "platforma/Utf8.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <stdexcept>

namespace vantrel::test {

namespace {

class TStav : public platforma::TSledovani {
public:
    platforma::TZasah Pred(TVolani druh, platforma::THandle handle,
                           const platforma::TCesta* cesta) override {
        std::lock_guard<std::mutex> z(zamek);
        volani.push_back({druh, cesta != nullptr ? KodujUtf8(*cesta) : Soubor(handle)});
        if (!aktivni || nastala || n == 0 || druh != this->druh || PocetDruhu(this->druh) != n)
            return {};
        nastala = true;
        return {porucha, kod};
    }

    void Po(TVolani druh, platforma::THandle handle, const platforma::TCesta* cesta,
            const unsigned char* data, std::size_t delka) override {
        std::lock_guard<std::mutex> z(zamek);
        if (druh == TVolani::Otevreni)
            soubory[handle] = cesta != nullptr ? KodujUtf8(*cesta) : Soubor(handle);
        else if (druh == TVolani::Zavreni)
            soubory.erase(handle);
        else if (druh == TVolani::Zapis)
            zapsano.append(reinterpret_cast<const char*>(data), delka);
    }

    std::size_t PocetDruhu(TVolani druh) const {
        return static_cast<std::size_t>(
            std::count_if(volani.begin(), volani.end(),
                          [druh](const TZaznamVolani& z) { return z.druh == druh; }));
    }

    std::string Soubor(platforma::THandle handle) const {
        auto it = soubory.find(handle);
        return it == soubory.end() ? std::string() : it->second;
    }

    bool aktivni = false;
    TVolani druh = TVolani::Otevreni;
    std::size_t n = 0;
    TPorucha porucha = TPorucha::Chyba;
    int kod = 0;
    bool nastala = false;
    std::vector<TZaznamVolani> volani;
    std::string zapsano;
    std::map<platforma::THandle, std::string> soubory; // open handles and their files
    // The output may be written on a thread of its own.
    mutable std::mutex zamek;
};

TStav g_stav;

} // namespace

const char* Nazev(TVolani druh) {
    switch (druh) {
    case TVolani::Otevreni:
        return "open";
    case TVolani::Cteni:
        return "read";
    case TVolani::Zapis:
        return "write";
    case TVolani::Zavreni:
        return "close";
    case TVolani::Udaje:
        return "file facts";
    case TVolani::Druh:
        return "device kind";
    case TVolani::Zamek:
        return "lock";
    case TVolani::Zkraceni:
        return "truncate";
    case TVolani::Synchronizace:
        return "sync";
    case TVolani::Prejmenovani:
        return "rename";
    case TVolani::Fakta:
        return "directory entry";
    case TVolani::Nastaveni:
        return "settings";
    }
    return "?";
}

TPoruchy::TPoruchy() {
    if (g_stav.aktivni)
        throw std::logic_error("faults are already installed");
    g_stav.aktivni = true;
    Zrus();
    g_stav.soubory.clear();
    platforma::Sleduj(&g_stav);
}

TPoruchy::~TPoruchy() {
    platforma::Sleduj(nullptr);
    g_stav.aktivni = false;
}

void TPoruchy::Nastav(TVolani druh, std::size_t n, TPorucha porucha, int kod) {
    std::lock_guard<std::mutex> z(g_stav.zamek);
    g_stav.druh = druh;
    g_stav.n = n;
    g_stav.porucha = porucha;
    g_stav.kod = kod;
    g_stav.nastala = false;
    g_stav.volani.clear();
    g_stav.zapsano.clear();
}

void TPoruchy::Zrus() {
    Nastav(TVolani::Otevreni, 0, TPorucha::Zadna);
}

void TPoruchy::Vynuluj() {
    std::lock_guard<std::mutex> z(g_stav.zamek);
    g_stav.nastala = false;
    g_stav.volani.clear();
    g_stav.zapsano.clear();
}

bool TPoruchy::Nastala() const {
    std::lock_guard<std::mutex> z(g_stav.zamek);
    return g_stav.nastala;
}

std::size_t TPoruchy::Pocet(TVolani druh) const {
    std::lock_guard<std::mutex> z(g_stav.zamek);
    return g_stav.PocetDruhu(druh);
}

const std::vector<TZaznamVolani>& TPoruchy::Volani() const {
    return g_stav.volani;
}

const std::string& TPoruchy::Zapsano() const {
    return g_stav.zapsano;
}

std::size_t TPoruchy::Otevrenych() const {
    std::lock_guard<std::mutex> z(g_stav.zamek);
    return g_stav.soubory.size();
}

} // namespace vantrel::test
