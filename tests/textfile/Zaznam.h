#pragma once

#include "Pomocne.h"
#include "textfile/LineFile.h"

#include <memory>
#include <string>

namespace vantrel::test {

// A record with a buffer of the given size (128: the record's own).
struct TZaznam {
    TLineFile f;
    std::unique_ptr<unsigned char[]> buffer;

    explicit TZaznam(const std::string& cesta, std::uint32_t kapacita = VychoziKapacita) {
        AssignLineFile(f, U16(cesta));
        if (kapacita != VychoziKapacita) {
            buffer = std::make_unique<unsigned char[]>(kapacita);
            SetLineFileBuffer(f, buffer.get(), kapacita);
        }
    }
    ~TZaznam() {
        if (f.Mode == ModeInput || f.Mode == ModeOutput)
            CloseLineFile(f);
        TakeIoStatus();
    }
};

struct TOcekavanaChyba {
    int kod;
    std::string zprava;
};

inline TOcekavanaChyba Vyvolana() {
    try {
        CheckIoStatus();
    } catch (const EInOutError& chyba) {
        return {chyba.Kod(), chyba.what()};
    }
    return {0, ""};
}

} // namespace vantrel::test
