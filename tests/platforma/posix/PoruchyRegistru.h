#pragma once

#include "platforma/Sledovani.h"
#include "platforma/posix/Posix.h"

// Makes the n-th call of one kind that the settings store makes fail with a chosen errno, for the
// lifetime of the object. A failing close still releases the descriptor, as on Linux. The errno
// travels through the platform layer's watch seam as its Windows number, so errnos of one
// number (ENOSPC and EDQUOT, EACCES and EROFS) reach the store as the first of them.
namespace vantrel::test {

class TPoruchyRegistru : platforma::TSledovani {
public:
    enum TDruh { Read, Write, Fsync, Close, Rename, Flock };

    TPoruchyRegistru(TDruh druh, int n, int cislo)
        : druh_(Volani(druh)), n_(n), kod_(platforma::posix::KodChyby(cislo)) {
        platforma::Sleduj(this);
    }
    ~TPoruchyRegistru() override { platforma::Sleduj(nullptr); }
    TPoruchyRegistru(const TPoruchyRegistru&) = delete;
    TPoruchyRegistru& operator=(const TPoruchyRegistru&) = delete;

    bool Nastala() const { return nastala_; }

private:
    static platforma::TVolani Volani(TDruh druh) {
        using platforma::TVolani;
        const TVolani volani[] = {TVolani::Cteni,   TVolani::Zapis,        TVolani::Synchronizace,
                                  TVolani::Zavreni, TVolani::Prejmenovani, TVolani::Zamek};
        return volani[druh];
    }
    platforma::TZasah Pred(platforma::TVolani druh, platforma::THandle,
                           const platforma::TCesta*) override {
        if (druh != druh_ || ++pocet_ != n_)
            return {};
        nastala_ = true;
        return {platforma::TPorucha::Chyba, kod_};
    }
    void Po(platforma::TVolani, platforma::THandle, const platforma::TCesta*, const unsigned char*,
            std::size_t) override {}

    platforma::TVolani druh_;
    int n_, kod_, pocet_ = 0;
    bool nastala_ = false;
};

} // namespace vantrel::test
