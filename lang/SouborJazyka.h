#pragma once

#include "lang/DokumentJazyka.h"

#include <functional>
#include <string>
#include <utility>

namespace vantrel {

// Holds the parsed language file for the whole run, as the main window's xdcJazyk. The parser
// is the shell's (Qt's DOM, MSXML); it throws EChybaJazyka for a file it cannot use.
class TSouborJazyka {
public:
    using TParser = std::function<TDokumentJazyka(const std::u16string& cesta)>;
    explicit TSouborJazyka(TParser parser) : parser_(std::move(parser)) {}

    // A new path drops a loaded document; the same path again changes nothing.
    void NastavSoubor(const std::u16string& cesta);
    const std::u16string& Soubor() const { return soubor_; }

    // Parses the file unless it has been parsed already. A failed parse leaves the document
    // unopened (and throws), so the next call tries again.
    void Otevri();
    bool Otevreny() const { return otevreny_; }

    // The parsed document, or nullptr until Otevri has succeeded.
    const TDokumentJazyka* Dokument() const { return otevreny_ ? &dokument_ : nullptr; }

private:
    TParser parser_;
    std::u16string soubor_;
    TDokumentJazyka dokument_;
    bool otevreny_ = false;
};

} // namespace vantrel
