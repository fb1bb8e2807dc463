#pragma once

#include "pravidla/HlavniOkno.h"

#include <string>

// What the toolbar shows of an action, whichever shell draws it.
namespace vantrel {

// A shortcut's text: "Shift+", "Ctrl+" for its modifiers, in that order, then the key's name
// ("F4", "Ins", "Del", "J"): F4, Ins, Del, Shift+Del, F9, Ctrl+J, F1.
std::u16string TextZkratky(const TZkratka& zkratka);

// A toolbar button's tooltip: the short part of the action's hint and its shortcut, as
// "%s (%s)".
std::u16string TipAkce(const std::u16string& hint, const TZkratka& zkratka);

// A toolbar button's caption: the designed one with its access key ("&Konec") while the action
// keeps its designed caption, the action's caption once a translation has changed it.
std::u16string TitulekNaListe(const TPopisAkce& popis, const std::u16string& titulek);

} // namespace vantrel
