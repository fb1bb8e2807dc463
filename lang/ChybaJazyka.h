#pragma once

#include <stdexcept>
#include <string>

namespace vantrel {

// A fault of the language file: unreadable, not well-formed, over a bound, or holding an entry of
// the wrong shape. Nothing in lang/ catches it; the program's general error report shows what()
// (UTF-8) as it is.
class EChybaJazyka : public std::runtime_error {
public:
    explicit EChybaJazyka(const std::string& zprava) : std::runtime_error(zprava) {}
};

} // namespace vantrel
