#include "Win32Pomocne.h"
#include "platforma/Soubory.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

// Every route to one file gives it one identity (volume serial and file index), and the share
// modes themselves refuse an output that is open as an input under another name.
namespace vantrel::test {
namespace {

using namespace platforma;

const std::wstring Jmeno = L"Dlouhé jméno souboru.txt";

std::wstring Slozka(const std::wstring& cesta) {
    return cesta.substr(0, cesta.find_last_of(L"\\/") + 1);
}

// Wine tells the Unix name of a Windows path; a real Windows has no such call.
using TUnixoveJmeno = char*(CDECL*)(const wchar_t*);
TUnixoveJmeno UnixoveJmeno() {
    return reinterpret_cast<TUnixoveJmeno>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
}

// The Unix file system's root is drive Z: under Wine: a second drive letter onto the same
// folder, as a subst drive is on Windows (Wine keeps drive letters in its prefix's dosdevices
// folder, which DefineDosDeviceW does not change).
std::wstring PresJinyDisk(const std::wstring& cesta, std::function<void()>& uklid) {
    if (const TUnixoveJmeno unixove = UnixoveJmeno()) {
        char* jmeno = unixove(cesta.c_str());
        const int n = MultiByteToWideChar(CP_UTF8, 0, jmeno, -1, nullptr, 0);
        std::wstring siroke(static_cast<std::size_t>(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, jmeno, -1, siroke.data(), n);
        siroke.resize(static_cast<std::size_t>(n - 1));
        HeapFree(GetProcessHeap(), 0, jmeno);
        std::replace(siroke.begin(), siroke.end(), L'/', L'\\');
        return L"Z:" + siroke;
    }
    for (wchar_t pismeno = L'Z'; pismeno > L'D'; --pismeno) {
        const std::wstring disk = std::wstring(1, pismeno) + L":";
        if ((GetLogicalDrives() & (1u << (pismeno - L'A'))) == 0 &&
            DefineDosDeviceW(0, disk.c_str(), Slozka(cesta).c_str())) {
            uklid = [disk] { DefineDosDeviceW(DDD_REMOVE_DEFINITION, disk.c_str(), nullptr); };
            return disk + L"\\" + cesta.substr(Slozka(cesta).size());
        }
    }
    return {};
}

// Wine serves \\server\share from the folder dosdevices\unc\server\share of its prefix, where
// the file moves for this route; Windows serves its drives as \\localhost\C$.
std::pair<std::wstring, std::wstring> SouborVeSdileni(const std::wstring& soubor,
                                                      std::function<void()>& uklid) {
    if (UnixoveJmeno() == nullptr)
        return {soubor, L"\\\\localhost\\" + soubor.substr(0, 1) + L"$" + soubor.substr(2)};
    wchar_t prefix[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    std::wstring unc = L"Z:" + std::wstring(prefix, n) + L"\\dosdevices\\unc";
    std::replace(unc.begin(), unc.end(), L'/', L'\\');
    const std::wstring server = L"vantrel-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring slozky[] = {unc, unc + L"\\" + server, unc + L"\\" + server + L"\\sdileni"};
    for (const std::wstring& s : slozky)
        CreateDirectoryW(s.c_str(), nullptr);
    const std::wstring vSdileni = slozky[2] + L"\\" + Jmeno;
    EXPECT_TRUE(MoveFileW(soubor.c_str(), vSdileni.c_str())) << GetLastError();
    uklid = [vSdileni, slozky] {
        DeleteFileW(vSdileni.c_str());
        RemoveDirectoryW(slozky[2].c_str());
        RemoveDirectoryW(slozky[1].c_str());
    };
    return {vSdileni, L"\\\\" + server + L"\\sdileni\\" + Jmeno};
}

struct TCesta2 {
    const char* popis;
    // From a file of the test's folder to the file's name and its name by the route; the
    // route's own clean-up goes into `uklid`.
    std::pair<std::wstring, std::wstring> (*vytvor)(const std::wstring& soubor,
                                                    std::function<void()>& uklid);
};

const TCesta2 Cesty[] = {
    {"a hard link",
     [](const std::wstring& f, std::function<void()>&) {
         const std::wstring odkaz = Slozka(f) + L"odkaz.txt";
         EXPECT_TRUE(CreateHardLinkW(odkaz.c_str(), f.c_str(), nullptr)) << GetLastError();
         return std::make_pair(f, odkaz);
     }},
    {"the \\\\?\\ form", [](const std::wstring& f,
                            std::function<void()>&) { return std::make_pair(f, L"\\\\?\\" + f); }},
    {"the short 8.3 name",
     [](const std::wstring& f, std::function<void()>&) {
         wchar_t kratke[MAX_PATH];
         const DWORD n = GetShortPathNameW(f.c_str(), kratke, MAX_PATH);
         return std::make_pair(f, std::wstring(kratke, n));
     }},
    {"another case",
     [](const std::wstring& f, std::function<void()>&) {
         std::wstring velke = f;
         CharUpperBuffW(velke.data(), static_cast<DWORD>(velke.size()));
         return std::make_pair(f, velke);
     }},
    {"forward slashes and a detour through ..",
     [](const std::wstring& f, std::function<void()>&) {
         const std::wstring slozka = Slozka(f);
         const std::wstring bez = slozka.substr(0, slozka.size() - 1);
         std::wstring jina =
             slozka + L"..\\" + bez.substr(Slozka(bez).size()) + L"\\" + f.substr(slozka.size());
         std::replace(jina.begin(), jina.end(), L'\\', L'/');
         return std::make_pair(f, jina);
     }},
    {"another drive letter onto the folder",
     [](const std::wstring& f, std::function<void()>& uklid) {
         return std::make_pair(f, PresJinyDisk(f, uklid));
     }},
    {"a UNC share", SouborVeSdileni},
};

struct TUklid {
    std::function<void()> akce;
    ~TUklid() {
        if (akce)
            akce();
    }
};

TEST(SameFile, EveryRouteToOneFileHasItsIdentityAndIsRefusedByTheShareModes) {
    for (const TCesta2& c : Cesty) {
        SCOPED_TRACE(c.popis);
        TDocasnaSlozka slozka;
        TUklid uklid;
        const auto [soubor, jina] = c.vytvor(slozka.Zapis(Jmeno, "obsah"), uklid.akce);
        SCOPED_TRACE(std::string(jina.begin(), jina.end()));
        ASSERT_FALSE(jina.empty());
        ASSERT_NE(jina, soubor);

        TIdentita a, b;
        ASSERT_TRUE(Identita(C(soubor), a));
        ASSERT_TRUE(Identita(C(jina), b));
        EXPECT_TRUE(a == b);
        EXPECT_TRUE(a.obsah);

        THandle vstup = ZadnyHandle, vystup = ZadnyHandle;
        ASSERT_EQ(OtevriProCteni(C(soubor), vstup), 0);
        EXPECT_EQ(OtevriProZapis(C(jina), vystup), 32);
        EXPECT_EQ(Zavri(vstup), 0);
        EXPECT_EQ(PrectiSoubor(soubor), "obsah");

        // A name not made yet, in the same folder by this route.
        EXPECT_TRUE(StejneMisto(C(Slozka(soubor) + L"nový.txt"), C(Slozka(jina) + L"NOVÝ.TXT")));
        EXPECT_FALSE(StejneMisto(C(Slozka(soubor) + L"nový.txt"), C(Slozka(jina) + L"jiný.txt")));
    }
}

TEST(SameFile, TwoFilesOrTwoFoldersAreNeverOne) {
    TDocasnaSlozka slozka, druha;
    const std::wstring a = slozka.Zapis(L"a.txt", "stejny obsah");
    const std::wstring b = slozka.Zapis(L"b.txt", "stejny obsah");
    TIdentita ia, ib;
    ASSERT_TRUE(Identita(C(a), ia));
    ASSERT_TRUE(Identita(C(b), ib));
    EXPECT_FALSE(ia == ib);
    EXPECT_FALSE(Identita(C(slozka.Soubor(L"chybi.txt")), ia));
    EXPECT_FALSE(StejneMisto(C(slozka.Soubor(L"novy.txt")), C(druha.Soubor(L"novy.txt"))));
}

TEST(SameFile, DevicesHoldNoContent) {
    TIdentita nul;
    ASSERT_TRUE(Identita(u"NUL", nul));
    EXPECT_FALSE(nul.obsah);
}

} // namespace
} // namespace vantrel::test
