#pragma once

#include <string>

namespace vantrel {

// Where and why MSXML's SAX reader stops reading a document; the DOM of some MSXML builds (the
// one Wine ships) reports a failed load without either. Depth beyond MaxHloubkaJazyka stops it
// too, as the DOM's own depth limit does. COM is initialised by the caller.
struct TPolohaChyby {
    bool nalezena = false;
    long radek = 0;
    long sloupec = 0;
    std::string duvod; // UTF-8
};
TPolohaChyby NajdiChybuMsxml(const std::string& data);

} // namespace vantrel
