#pragma once

#include "platforma/Registr.h"
#include "pravidla/Umisteni.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

// The main window's settings in the per-user store: which values, their types and their order.
namespace vantrel {

// The settings as stored; a value that is not stored (or not to be written) is empty.
struct TNastaveniOkna {
    std::optional<std::u16string> jazyk;      // "Jazyk": the language code
    std::optional<std::int32_t> indexObrazku; // "IndexObrazku": the image of aJazyk
    bool maximalni = false;                   // "Maximalni"
    // "Vlevo", "Nahore", "Vyska", "Sirka": the outer placement of a window that is not
    // maximised. Read only where the window was not stored maximised; where the platform
    // cannot tell the window's position (Wayland), the position is not written, and the stored
    // one stays as it was.
    std::optional<std::int32_t> vlevo, nahore, vyska, sirka;
};

// Reads the values from the open key in their order, each only where it exists. The first value
// that cannot be read stops the reading with EChybaRegistru: the values read before it are in
// `nastaveni`, the ones after it are not read.
void CtiNastaveniOkna(const TRegistr& registr, TNastaveniOkna& nastaveni);

// Opens (creating) the key and writes the values in their order: Jazyk, IndexObrazku, Maximalni,
// then, for a window that is not maximised, the placement. The first failure stops the writing
// with EChybaRegistru; the values before it stay written.
void ZapisNastaveniOkna(TRegistr& registr, const TNastaveniOkna& nastaveni);

// The outer placement the stored values give a window designed at `navrh`: the stored edges and
// sizes where there are any, sizes never below the least outer size. `ulozenaVelikost` says
// whether a size was stored.
TObdelnik UlozeneUmisteni(const TNastaveniOkna& nastaveni, const TObdelnik& navrh,
                          bool& ulozenaVelikost);

// The text of the settings' error box: the message, ".", a carriage return, and the error in
// parentheses with a full stop.
std::u16string TextChybyNastaveni(const std::u16string& zprava, const std::exception& chyba);

} // namespace vantrel
