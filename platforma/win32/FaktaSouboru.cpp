#include "platforma/FaktaSouboru.h"

#include "platforma/Sledovani.h"
#include "platforma/win32/Cesta.h"

#include <vector>
#include <windows.h>

// A file's directory entry from FindFirstFileW, the version resource through the version API,
// and the program's own path.
namespace vantrel::platforma {

using win32::Porucha;

namespace {

// 100-nanosecond intervals from 1601 to 1970.
constexpr std::int64_t Od1601 = 116444736000000000;

TCas ZFiletime(const FILETIME& ft) {
    const std::int64_t t =
        static_cast<std::int64_t>((std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime);
    const std::int64_t odEpochy = t - Od1601;
    std::int64_t sekundy = odEpochy / 10000000;
    std::int64_t zbytek = odEpochy % 10000000;
    if (zbytek < 0) {
        zbytek += 10000000;
        --sekundy;
    }
    return {sekundy, static_cast<std::int32_t>(zbytek / 10000)};
}

// Wildcards would make FindFirstFileW look up another name than the one given.
bool MaZastupneZnaky(const std::wstring& jmeno) {
    const std::size_t od = jmeno.compare(0, 4, L"\\\\?\\") == 0 ? 4 : 0;
    return jmeno.find_first_of(L"*?", od) != std::wstring::npos;
}

} // namespace

bool FaktaSouboru(const TCesta& cesta, TFaktaSouboru& fakta) {
    if (Porucha(TVolani::Fakta, ZadnyHandle, &cesta) != 0)
        return false;
    const std::wstring jmeno = win32::SystemovaCesta(cesta);
    if (jmeno.empty() || MaZastupneZnaky(jmeno) ||
        GetFileAttributesW(jmeno.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    WIN32_FIND_DATAW data;
    const HANDLE hledani = FindFirstFileW(jmeno.c_str(), &data);
    if (hledani != INVALID_HANDLE_VALUE) {
        FindClose(hledani);
        fakta.velikost = static_cast<std::int64_t>((std::uint64_t{data.nFileSizeHigh} << 32) |
                                                   data.nFileSizeLow);
        fakta.vytvoreni = ZFiletime(data.ftCreationTime);
        fakta.zmena = ZFiletime(data.ftLastWriteTime);
        fakta.pristup = ZFiletime(data.ftLastAccessTime);
        fakta.slozka = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return true;
    }
    // A drive's root has no directory entry to find, but attributes and times of its own.
    WIN32_FILE_ATTRIBUTE_DATA udaje;
    if (!GetFileAttributesExW(jmeno.c_str(), GetFileExInfoStandard, &udaje))
        return false;
    fakta.velikost =
        static_cast<std::int64_t>((std::uint64_t{udaje.nFileSizeHigh} << 32) | udaje.nFileSizeLow);
    fakta.vytvoreni = ZFiletime(udaje.ftCreationTime);
    fakta.zmena = ZFiletime(udaje.ftLastWriteTime);
    fakta.pristup = ZFiletime(udaje.ftLastAccessTime);
    fakta.slozka = (udaje.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

// UTC to local time by the time zone's rules for that date (SystemTimeToTzSpecificLocalTime),
// not by the offset in force now, which is all FileTimeToLocalFileTime knows.
bool MistniCas(TCas cas, TKalendar& kalendar) {
    constexpr std::int64_t Nejvic = (INT64_MAX - Od1601) / 10000000 - 1;
    if (cas.sekundy < -Od1601 / 10000000 || cas.sekundy > Nejvic || cas.milisekundy < 0 ||
        cas.milisekundy > 999)
        return false;
    const std::uint64_t t = static_cast<std::uint64_t>(cas.sekundy * 10000000 + Od1601 +
                                                       std::int64_t{cas.milisekundy} * 10000);
    FILETIME ft{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
    SYSTEMTIME utc, mistni;
    if (!FileTimeToSystemTime(&ft, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &mistni))
        return false;
    kalendar = {mistni.wYear,   mistni.wMonth,  mistni.wDay,         mistni.wHour,
                mistni.wMinute, mistni.wSecond, mistni.wMilliseconds};
    return true;
}

bool VerzeSouboru(const TCesta& cesta, TCislaVerze& verze) {
    const std::wstring jmeno = win32::SystemovaCesta(cesta);
    if (jmeno.empty())
        return false;
    DWORD nic = 0;
    const DWORD velikost = GetFileVersionInfoSizeW(jmeno.c_str(), &nic);
    if (velikost == 0)
        return false;
    std::vector<unsigned char> data(velikost);
    if (!GetFileVersionInfoW(jmeno.c_str(), 0, velikost, data.data()))
        return false;
    void* pevna = nullptr;
    UINT delka = 0;
    if (!VerQueryValueW(data.data(), L"\\", &pevna, &delka) || pevna == nullptr ||
        delka < sizeof(VS_FIXEDFILEINFO))
        return false;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(pevna);
    if (info->dwSignature != 0xFEEF04BD)
        return false;
    verze = {static_cast<std::uint16_t>(info->dwFileVersionMS >> 16),
             static_cast<std::uint16_t>(info->dwFileVersionMS & 0xFFFF),
             static_cast<std::uint16_t>(info->dwFileVersionLS >> 16),
             static_cast<std::uint16_t>(info->dwFileVersionLS & 0xFFFF)};
    return true;
}

TCesta CestaProgramu() {
    std::wstring cesta(MAX_PATH, L'\0');
    for (;;) {
        const DWORD delka =
            GetModuleFileNameW(nullptr, cesta.data(), static_cast<DWORD>(cesta.size()));
        if (delka == 0)
            return {};
        // A full buffer may hold a cut name: try again with more room.
        if (delka < cesta.size())
            return win32::Uzka(cesta.data(), delka);
        if (cesta.size() >= 32768)
            return {};
        cesta.resize(cesta.size() * 2);
    }
}

} // namespace vantrel::platforma
