#include "platforma/Sledovani.h"

namespace vantrel::platforma {

namespace detail {
TSledovani* g_sledovani = nullptr;
} // namespace detail

void Sleduj(TSledovani* sledovani) {
    detail::g_sledovani = sledovani;
}

} // namespace vantrel::platforma
