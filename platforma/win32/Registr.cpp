#include "platforma/Registr.h"

#include "platforma/Chyby.h"
#include "platforma/RegistrSpolecne.h"
#include "platforma/Sledovani.h"
#include "platforma/Utf8.h"
#include "platforma/win32/Cesta.h"

#include <windows.h>

// The settings store is the registry itself, under HKEY_CURRENT_USER, with its own value types:
// each RegSetValueExW is committed by the system before it returns.
namespace vantrel {

using namespace platforma::registr;
using platforma::TVolani;

namespace {

// The reason for a registry call's status.
std::string SDuvodem(const std::string& zprava, LSTATUS kod) {
    return platforma::registr::SDuvodem(zprava, DuvodChyby(static_cast<int>(kod)));
}

// UTF-8 as UTF-16 for the registry; false for text that is not UTF-8 or holds a NUL, which
// would cut a name short.
bool Siroky(const std::string& text, std::wstring& vysledek) {
    std::u16string u;
    if (!Utf8NaUtf16(text, u) || u.find(u'\0') != std::u16string::npos)
        return false;
    vysledek = platforma::win32::Siroka(u);
    return true;
}

// Every registry call asks the watcher first; its error stands for the call's own.
LSTATUS Porucha(const std::wstring& co) {
    const std::u16string cesta(co.begin(), co.end());
    return static_cast<LSTATUS>(
        platforma::win32::Porucha(TVolani::Nastaveni, platforma::ZadnyHandle, &cesta));
}

} // namespace

struct TRegistr::Impl {
    std::string umisteni;
    std::wstring koren; // the key under HKEY_CURRENT_USER that stands for the hive
    std::string klic;   // the open key, normalised, without the hive
    bool otevreny = false;
    HKEY handle = nullptr;                 // the open key, when it could be opened
    LSTATUS chybaOtevreni = ERROR_SUCCESS; // why it could not

    ~Impl() { Zavri(); }

    void Zavri() {
        if (handle != nullptr)
            RegCloseKey(handle);
        handle = nullptr;
        otevreny = false;
        chybaOtevreni = ERROR_SUCCESS;
        klic.clear();
    }

    // A value's type and size; ERROR_FILE_NOT_FOUND when there is none.
    LSTATUS Dotaz(const std::wstring& jmeno, DWORD& typ, DWORD& velikost) const {
        if (LSTATUS kod = Porucha(jmeno))
            return kod;
        velikost = 0;
        return RegQueryValueExW(handle, jmeno.c_str(), nullptr, &typ, nullptr, &velikost);
    }

    // The value's type and bytes; throws what the readers report.
    DWORD Precti(const std::string& jmeno, std::string& data) const {
        std::wstring w;
        if (!Siroky(jmeno, w))
            throw EChybaRegistru(ChybaCteni(jmeno));
        if (chybaOtevreni != ERROR_SUCCESS)
            throw EChybaRegistru(SDuvodem(ChybaCteni(jmeno), chybaOtevreni));
        if (handle == nullptr)
            throw EChybaRegistru(ChybaCteni(jmeno));
        DWORD typ = REG_NONE, velikost = 0;
        LSTATUS kod = Dotaz(w, typ, velikost);
        // The value may grow between the two calls: ask again with its new size.
        while (kod == ERROR_SUCCESS || kod == ERROR_MORE_DATA) {
            data.assign(velikost, '\0');
            if ((kod = Porucha(w)) != ERROR_SUCCESS)
                break;
            kod = RegQueryValueExW(handle, w.c_str(), nullptr, &typ,
                                   reinterpret_cast<BYTE*>(data.data()), &velikost);
            if (kod == ERROR_SUCCESS) {
                data.resize(velikost);
                return typ;
            }
        }
        if (kod == ERROR_FILE_NOT_FOUND)
            throw EChybaRegistru(ChybaCteni(jmeno));
        throw EChybaRegistru(SDuvodem(ChybaCteni(jmeno), kod));
    }

    void Zapis(const std::string& jmeno, DWORD typ, const void* data, DWORD velikost) {
        std::wstring w;
        if (!otevreny || !Siroky(jmeno, w) || jmeno.find_first_of("\r\n") != std::string::npos)
            throw EChybaRegistru(ChybaZapisu(jmeno));
        if (handle == nullptr)
            throw EChybaRegistru(SDuvodem(ChybaZapisu(jmeno), chybaOtevreni));
        LSTATUS kod = Porucha(w);
        if (kod == ERROR_SUCCESS)
            kod =
                RegSetValueExW(handle, w.c_str(), 0, typ, static_cast<const BYTE*>(data), velikost);
        if (kod != ERROR_SUCCESS)
            throw EChybaRegistru(SDuvodem(ChybaZapisu(jmeno), kod));
        const std::u16string cesta(w.begin(), w.end());
        platforma::detail::Po(TVolani::Nastaveni, platforma::ZadnyHandle, &cesta,
                              static_cast<const unsigned char*>(data), velikost);
    }

    void ZapisText(const std::string& jmeno, DWORD typ, const std::string& hodnota) {
        std::u16string text;
        if (!Utf8NaUtf16(hodnota, text))
            throw EChybaRegistru(ChybaZapisu(jmeno));
        // The terminating NUL is part of a string value.
        Zapis(jmeno, typ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
    }
};

TRegistr::TRegistr() : TRegistr(std::string()) {}

TRegistr::TRegistr(std::string umisteni) : impl_(std::make_unique<Impl>()) {
    const std::string koren = NormalizujKlic(umisteni);
    impl_->umisteni = CelyKlic(koren);
    Siroky(koren, impl_->koren);
}

TRegistr::~TRegistr() = default;

std::string TRegistr::VychoziUmisteni() {
    return Hive;
}

const std::string& TRegistr::Umisteni() const {
    return impl_->umisteni;
}

bool TRegistr::OpenKey(const std::string& klic, bool vytvorit) {
    std::string novy = NormalizujKlic(klic);
    if (!klic.empty() && klic[0] != '\\' && impl_->handle != nullptr && !impl_->klic.empty())
        novy = novy.empty() ? impl_->klic : impl_->klic + "\\" + novy;
    std::wstring cast;
    if (!Siroky(novy, cast))
        return false;
    std::wstring cela = impl_->koren;
    if (!cast.empty())
        cela += (cela.empty() ? L"" : L"\\") + cast;

    HKEY h = nullptr;
    LSTATUS kod = Porucha(cela);
    if (kod == ERROR_SUCCESS && vytvorit)
        kod = RegCreateKeyExW(HKEY_CURRENT_USER, cela.c_str(), 0, nullptr, 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &h, nullptr);
    else if (kod == ERROR_SUCCESS)
        kod =
            RegOpenKeyExW(HKEY_CURRENT_USER, cela.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &h);
    // A key we may read but not write still serves reading; its writes then fail.
    if (kod == ERROR_ACCESS_DENIED && Porucha(cela) == ERROR_SUCCESS)
        kod = RegOpenKeyExW(HKEY_CURRENT_USER, cela.c_str(), 0, KEY_QUERY_VALUE, &h);
    if (kod == ERROR_FILE_NOT_FOUND && !vytvorit)
        return false;
    CloseKey();
    impl_->klic = novy;
    impl_->otevreny = true;
    if (kod != ERROR_SUCCESS) {
        // The store is there but cannot be used: the first value access says so.
        impl_->chybaOtevreni = kod;
        return true;
    }
    impl_->handle = h;
    return true;
}

void TRegistr::CloseKey() {
    impl_->Zavri();
}

bool TRegistr::HasOpenKey() const {
    return impl_->otevreny;
}

std::string TRegistr::CurrentPath() const {
    if (!impl_->otevreny)
        return {};
    return CelyKlic(impl_->klic);
}

bool TRegistr::ValueExists(const std::string& jmeno) const {
    if (!impl_->otevreny)
        return false;
    std::wstring w;
    if (!Siroky(jmeno, w))
        return false;
    if (impl_->chybaOtevreni != ERROR_SUCCESS)
        throw EChybaRegistru(SDuvodem(ChybaCteni(jmeno), impl_->chybaOtevreni));
    DWORD typ, velikost;
    const LSTATUS kod = impl_->Dotaz(w, typ, velikost);
    if (kod == ERROR_FILE_NOT_FOUND)
        return false;
    if (kod != ERROR_SUCCESS && kod != ERROR_MORE_DATA)
        throw EChybaRegistru(SDuvodem(ChybaCteni(jmeno), kod));
    return true;
}

TTypHodnoty TRegistr::GetDataType(const std::string& jmeno) const {
    std::string data;
    return static_cast<TTypHodnoty>(impl_->Precti(jmeno, data));
}

std::string TRegistr::ReadString(const std::string& jmeno) const {
    std::string data;
    const DWORD typ = impl_->Precti(jmeno, data);
    if (typ != REG_SZ && typ != REG_EXPAND_SZ)
        throw EChybaRegistru(ChybaTypu(jmeno));
    if (data.size() % 2 != 0)
        throw EChybaRegistru(ChybaCteni(jmeno));
    std::u16string text(data.size() / 2, u'\0');
    std::copy(data.begin(), data.end(), reinterpret_cast<char*>(text.data()));
    // The string ends at its terminating NUL; a value written without one ends with its data.
    const std::size_t konec = text.find(u'\0');
    if (konec != std::u16string::npos)
        text.resize(konec);
    std::string vysledek;
    if (!Utf16NaUtf8(text, vysledek))
        throw EChybaRegistru(ChybaCteni(jmeno));
    return vysledek;
}

std::int32_t TRegistr::ReadInteger(const std::string& jmeno) const {
    std::string data;
    const DWORD typ = impl_->Precti(jmeno, data);
    if (typ != REG_DWORD)
        throw EChybaRegistru(ChybaTypu(jmeno));
    if (data.size() != 4)
        throw EChybaRegistru(ChybaCteni(jmeno));
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | static_cast<unsigned char>(data[k]);
    return static_cast<std::int32_t>(v);
}

void TRegistr::WriteString(const std::string& jmeno, const std::string& hodnota) {
    impl_->ZapisText(jmeno, REG_SZ, hodnota);
}

void TRegistr::WriteExpandString(const std::string& jmeno, const std::string& hodnota) {
    impl_->ZapisText(jmeno, REG_EXPAND_SZ, hodnota);
}

void TRegistr::WriteInteger(const std::string& jmeno, std::int32_t hodnota) {
    const auto v = static_cast<DWORD>(hodnota);
    impl_->Zapis(jmeno, REG_DWORD, &v, sizeof v);
}

const std::vector<std::string>& TRegistr::OdlozeneSoubory() const {
    static const std::vector<std::string> zadne;
    return zadne;
}

} // namespace vantrel
