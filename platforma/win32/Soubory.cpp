#include "platforma/Soubory.h"

#include "platforma/Chyby.h"
#include "platforma/Sledovani.h"
#include "platforma/win32/Cesta.h"

#include <algorithm>
#include <windows.h>

// Files through CreateFileW, so that the sharing rule is the system's own share modes: inputs
// share reading only, and so do outputs. A conflict is refused at the open itself with
// ERROR_SHARING_VIOLATION (32), before anything is created or emptied.
namespace vantrel::platforma {

using win32::DoHandle;
using win32::Porucha;
using win32::ZHandle;

namespace {

int Otevri(const TCesta& cesta, DWORD pristup, DWORD dispozice, THandle& handle) {
    const std::wstring jmeno = win32::SystemovaCesta(cesta);
    if (jmeno.empty())
        return ChybaNeniCesta;
    if (int kod = Porucha(TVolani::Otevreni, ZadnyHandle, &cesta))
        return kod;
    const HANDLE h = CreateFileW(jmeno.c_str(), pristup, FILE_SHARE_READ, nullptr, dispozice,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    handle = ZHandle(h);
    detail::Po(TVolani::Otevreni, handle, &cesta);
    return 0;
}

int ZavriPoChybe(THandle handle, int kod) {
    Zavri(handle);
    return kod;
}

int OtevriStandardni(DWORD ktery, THandle& handle) {
    const HANDLE proud = GetStdHandle(ktery);
    if (int kod = Porucha(TVolani::Otevreni, ZHandle(proud)))
        return kod;
    if (proud == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    if (proud == nullptr)
        return ChybaHandle; // a process started without the stream
    HANDLE kopie;
    if (!DuplicateHandle(GetCurrentProcess(), proud, GetCurrentProcess(), &kopie, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        return static_cast<int>(GetLastError());
    handle = ZHandle(kopie);
    detail::Po(TVolani::Otevreni, handle);
    return 0;
}

// Volume serial and file index, which every route to one file shares. Character devices (NUL,
// CON) have none and hold no content; a pipe has content, and an index where the system keeps
// one for it.
bool IdentitaSystemovehoHandle(HANDLE h, TIdentita& identita) {
    const DWORD druh = GetFileType(h);
    if (druh == FILE_TYPE_CHAR) {
        identita = TIdentita{};
        return true;
    }
    BY_HANDLE_FILE_INFORMATION udaje;
    if (!GetFileInformationByHandle(h, &udaje))
        return false;
    identita.svazek = udaje.dwVolumeSerialNumber;
    identita.soubor = (std::uint64_t{udaje.nFileIndexHigh} << 32) | udaje.nFileIndexLow;
    identita.obsah = druh == FILE_TYPE_DISK || druh == FILE_TYPE_PIPE;
    return true;
}

bool IdentitaStandardniho(DWORD ktery, TIdentita& identita) {
    const HANDLE proud = GetStdHandle(ktery);
    return proud != INVALID_HANDLE_VALUE && proud != nullptr &&
           IdentitaSystemovehoHandle(proud, identita);
}

} // namespace

int OtevriProCteni(const TCesta& cesta, THandle& handle, bool bezCekani) {
    THandle h;
    if (int kod = Otevri(cesta, GENERIC_READ, OPEN_EXISTING, h))
        return kod;
    if (bezCekani && GetFileType(DoHandle(h)) != FILE_TYPE_DISK)
        return ZavriPoChybe(h, ChybaNejistehoVstupu);
    handle = h;
    return 0;
}

// OPEN_ALWAYS, then emptied: the sharing check is made by the open, so a refused output is
// never touched, and an existing output keeps what CREATE_ALWAYS would take from it (its
// hidden or system attribute, which would make CREATE_ALWAYS fail with 5, and its streams).
int OtevriProZapis(const TCesta& cesta, THandle& handle) {
    THandle h;
    if (int kod = Otevri(cesta, GENERIC_WRITE, OPEN_ALWAYS, h))
        return kod;
    if (int kod = Porucha(TVolani::Udaje, h))
        return ZavriPoChybe(h, kod);
    const DWORD druh = GetFileType(DoHandle(h));
    if (druh == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR)
        return ZavriPoChybe(h, static_cast<int>(GetLastError()));
    // Only a file that holds anything is emptied, as on every platform.
    LARGE_INTEGER velikost{};
    if (druh == FILE_TYPE_DISK && GetFileSizeEx(DoHandle(h), &velikost) && velikost.QuadPart > 0) {
        if (int kod = Porucha(TVolani::Zkraceni, h))
            return ZavriPoChybe(h, kod);
        if (!SetEndOfFile(DoHandle(h)))
            return ZavriPoChybe(h, static_cast<int>(GetLastError()));
    }
    handle = h;
    return 0;
}

int OtevriStandardniVstup(THandle& handle) {
    return OtevriStandardni(STD_INPUT_HANDLE, handle);
}

int OtevriStandardniVystup(THandle& handle) {
    return OtevriStandardni(STD_OUTPUT_HANDLE, handle);
}

int Cti(THandle handle, unsigned char* kam, std::uint32_t kolik, std::uint32_t& precteno) {
    precteno = 0;
    const TZasah zasah = detail::Pred(TVolani::Cteni, handle);
    if (zasah.porucha == TPorucha::Chyba)
        return zasah.kod;
    if (zasah.porucha == TPorucha::Kratce && kolik > 1)
        kolik /= 2;
    DWORD n = 0;
    if (!ReadFile(DoHandle(handle), kam, kolik, &n, nullptr)) {
        const DWORD kod = GetLastError();
        // The writer of a pipe has gone: the end of the file, as on any other file.
        if (kod == ERROR_BROKEN_PIPE)
            return 0;
        return static_cast<int>(kod);
    }
    precteno = n;
    return 0;
}

int Zapis(THandle handle, const unsigned char* co, std::uint32_t kolik) {
    while (kolik > 0) {
        const TZasah zasah = detail::Pred(TVolani::Zapis, handle);
        if (zasah.porucha == TPorucha::Chyba)
            return zasah.kod;
        const DWORD najednou = zasah.porucha == TPorucha::Kratce && kolik > 1 ? kolik / 2 : kolik;
        DWORD n = 0;
        if (!WriteFile(DoHandle(handle), co, najednou, &n, nullptr))
            return static_cast<int>(GetLastError());
        if (n == 0)
            return ChybaZapisu; // the device took nothing and said nothing
        detail::Po(TVolani::Zapis, handle, nullptr, co, n);
        co += n;
        kolik -= n;
    }
    return 0;
}

int Zavri(THandle handle) {
    // The handle is released whatever the watcher asks: only the report differs.
    const int kod = Porucha(TVolani::Zavreni, handle);
    const bool zavren = CloseHandle(DoHandle(handle));
    const DWORD chyba = GetLastError();
    detail::Po(TVolani::Zavreni, handle);
    if (kod != 0)
        return kod;
    return zavren ? 0 : static_cast<int>(chyba);
}

TDruhZarizeni DruhZarizeni(THandle handle) {
    if (Porucha(TVolani::Druh, handle) != 0)
        return TDruhZarizeni::Neznamy;
    switch (GetFileType(DoHandle(handle))) {
    case FILE_TYPE_DISK:
        return TDruhZarizeni::Disk;
    case FILE_TYPE_CHAR:
        return TDruhZarizeni::Znakove;
    case FILE_TYPE_PIPE:
        return TDruhZarizeni::Roura;
    default:
        return TDruhZarizeni::Neznamy;
    }
}

namespace {

// A handle to ask a file about, opened without the watcher, as a lookup that changes nothing.
// No access asked, so a file that another program holds without sharing still answers; backup
// semantics open folders too.
HANDLE OtevriProDotaz(const TCesta& cesta) {
    const std::wstring jmeno = win32::SystemovaCesta(cesta);
    if (jmeno.empty())
        return INVALID_HANDLE_VALUE;
    return CreateFileW(jmeno.c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

bool Identita(const TCesta& cesta, TIdentita& identita) {
    const HANDLE h = OtevriProDotaz(cesta);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const bool nalezena = IdentitaSystemovehoHandle(h, identita);
    CloseHandle(h);
    return nalezena;
}

bool IdentitaHandle(THandle handle, TIdentita& identita) {
    return IdentitaSystemovehoHandle(DoHandle(handle), identita);
}

// Windows gives a handle of its own to every file opened, never a standard stream's: nothing
// to keep.
int ZajistiStandardniProudy() {
    return 0;
}

namespace detail {

std::string PopisSystemoveChyby(int) {
    return {};
}

} // namespace detail

bool MuzeNedorucit(const TCesta& cesta) {
    const HANDLE h = OtevriProDotaz(cesta);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const DWORD druh = GetFileType(h);
    CloseHandle(h);
    return druh == FILE_TYPE_PIPE || druh == FILE_TYPE_CHAR;
}

bool IdentitaStandardnihoVstupu(TIdentita& identita) {
    return IdentitaStandardniho(STD_INPUT_HANDLE, identita);
}

bool IdentitaStandardnihoVystupu(TIdentita& identita) {
    return IdentitaStandardniho(STD_OUTPUT_HANDLE, identita);
}

namespace {

bool JeOddelovac(wchar_t z) {
    return z == L'\\' || z == L'/';
}

// The folder part and the final name of a full path.
void Rozdel(const std::wstring& cela, std::wstring& slozka, std::wstring& jmeno) {
    std::size_t konec = cela.size();
    while (konec > 0 && !JeOddelovac(cela[konec - 1]))
        --konec;
    slozka = cela.substr(0, konec);
    jmeno = cela.substr(konec);
}

bool StejnyText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

bool StejneMisto(const TCesta& a, const TCesta& b) {
    const std::wstring celaA = win32::CelaCesta(win32::Siroka(a));
    const std::wstring celaB = win32::CelaCesta(win32::Siroka(b));
    if (celaA.empty() || celaB.empty())
        return false;
    std::wstring slozkaA, jmenoA, slozkaB, jmenoB;
    Rozdel(celaA, slozkaA, jmenoA);
    Rozdel(celaB, slozkaB, jmenoB);
    if (jmenoA.empty() || !StejnyText(jmenoA, jmenoB))
        return false;
    // The folders by identity where they exist (any route to them), else as names.
    TIdentita idA, idB;
    const bool maA = Identita(win32::Uzka(slozkaA.data(), slozkaA.size()), idA);
    const bool maB = Identita(win32::Uzka(slozkaB.data(), slozkaB.size()), idB);
    if (maA && maB)
        return idA == idB;
    return !maA && !maB && StejnyText(slozkaA, slozkaB);
}

TCesta ZakladJmena(const TCesta& cesta) {
    std::size_t zacatek = cesta.size();
    while (zacatek > 0 && cesta[zacatek - 1] != u'\\' && cesta[zacatek - 1] != u'/')
        --zacatek;
    // "C:name" names a file in the current folder of drive C.
    if (zacatek == 0 && cesta.size() >= 2 && cesta[1] == u':')
        zacatek = 2;
    return cesta.substr(zacatek);
}

} // namespace vantrel::platforma
