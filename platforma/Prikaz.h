#pragma once

#include "platforma/KodovaStranka.h"

#include <string>
#include <vector>

// What a console program has of its platform: its arguments, and its standard error and output
// as text.
namespace vantrel {

// The console program's own entry, which the platform layer's main (POSIX) or wmain (Windows)
// calls with the arguments after the program's name: on Windows as the system gives them, on
// POSIX the bytes of argv as UTF-8 with any byte that is not UTF-8 kept as U+DC80 + byte
// (Utf8.h), so every name comes through as the bytes it was given.
int SpustPrikaz(const std::vector<std::u16string>& argumenty);

namespace platforma {

// The encoding of the program's messages: on POSIX the locale's codeset (the process code page),
// in which the terminal shows them; on Windows UTF-8, which ZapisZpravu gives a console as
// characters.
const TKodovaStranka& KodovaStrankaZprav();

// Bytes of a name for a message, in KodovaStrankaZprav: on POSIX the name's own bytes, whatever
// the locale; on Windows its UTF-8.
std::string BajtyJmena(const std::u16string& cesta);

// Writes a message to the standard error (or output), all of it; nothing is reported, as there
// is nowhere left to report to.
void ZapisZpravu(const std::string& bajty, bool naChybovyVystup = true);

} // namespace platforma

} // namespace vantrel
