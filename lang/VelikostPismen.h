#pragma once

#include <string_view>

namespace vantrel {

// The code point with its case folded (Unicode's simple case folding: 'A' and 'a' both give 'a').
char32_t SlozVelikost(char32_t znak);

// Whether two UTF-16 texts are equal once their letters' case is folded, code point by code
// point; a lone surrogate compares as itself.
bool StejneAzNaVelikost(std::u16string_view a, std::u16string_view b);

} // namespace vantrel
