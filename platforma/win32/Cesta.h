#pragma once

#include "platforma/Sledovani.h"
#include "platforma/Soubory.h"

#include <string>
#include <windows.h>

// Paths and the watch seam as the Win32 sources of the layer share them.
namespace vantrel::platforma::win32 {

inline std::wstring Siroka(const std::u16string& text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string Uzka(const wchar_t* text, std::size_t delka) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), delka);
}

// The full path as GetFullPathNameW makes it (forward slashes, "." and ".." resolved against the
// current folder); empty when there is none, as for an empty name.
std::wstring CelaCesta(const std::wstring& cesta);

// The name to give the file system's calls: the path as given while the system can take it,
// and the full path under \\?\ (\\?\UNC\ for \\server\share) once it would pass MAX_PATH, so no
// length limit applies. A path that already starts with \\?\ or \\.\ is passed as it is. Empty
// for a name that holds a NUL, which the system would silently cut short.
std::wstring SystemovaCesta(const TCesta& cesta);

// The error number a watcher asks a call to fail with; 0 to make the call.
int Porucha(TVolani druh, THandle handle, const TCesta* cesta = nullptr);

inline THandle ZHandle(HANDLE h) {
    return reinterpret_cast<THandle>(h);
}
inline HANDLE DoHandle(THandle h) {
    return reinterpret_cast<HANDLE>(h);
}

} // namespace vantrel::platforma::win32
