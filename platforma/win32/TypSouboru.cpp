#include "platforma/FaktaSouboru.h"
#include "platforma/win32/Cesta.h"

#include <shellapi.h>
#include <windows.h>

namespace vantrel::platforma {

// The shell names the type by the name and attributes alone (SHGFI_USEFILEATTRIBUTES), after
// the file is known to exist: so a path of any length works, and nothing is opened.
std::u16string TypSouboru(const TCesta& cesta) {
    const std::wstring jmeno = win32::SystemovaCesta(cesta);
    const DWORD atributy =
        jmeno.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(jmeno.c_str());
    if (atributy == INVALID_FILE_ATTRIBUTES)
        return {};
    const std::wstring zaklad = win32::Siroka(ZakladJmena(cesta));
    SHFILEINFOW info{};
    if (SHGetFileInfoW(zaklad.empty() ? L"x" : zaklad.c_str(), atributy, &info, sizeof info,
                       SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES) == 0)
        return {};
    return win32::Uzka(info.szTypeName, wcsnlen(info.szTypeName, std::size(info.szTypeName)));
}

} // namespace vantrel::platforma
