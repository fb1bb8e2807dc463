#pragma once

#include "support/SouborRegistru.h"

#include <cerrno>
#include <unistd.h>

// Makes the n-th call of one kind that the settings store makes fail with a chosen errno, for the
// lifetime of the object. A failing close still releases the descriptor, as on Linux.
namespace vantrel::test {

class TPoruchyRegistru {
public:
    enum TDruh { Read, Write, Fsync, Close, Rename, Flock };

    TPoruchyRegistru(TDruh druh, int n, int cislo) {
        stav() = {druh, n, cislo, 0, false};
        RegistrVolani() = {
            [](int h, void* kam, size_t kolik) -> ssize_t {
                return Vyber(Read) ? Selhej() : VychoziRegistrVolani().read(h, kam, kolik);
            },
            [](int h, const void* co, size_t kolik) -> ssize_t {
                return Vyber(Write) ? Selhej() : VychoziRegistrVolani().write(h, co, kolik);
            },
            [](int h) { return Vyber(Fsync) ? Selhej() : VychoziRegistrVolani().fsync(h); },
            [](int h) {
                const int r = VychoziRegistrVolani().close(h);
                return Vyber(Close) ? Selhej() : r;
            },
            [](const char* z, const char* na) {
                return Vyber(Rename) ? Selhej() : VychoziRegistrVolani().rename(z, na);
            },
            [](int h, int operace) {
                return Vyber(Flock) ? Selhej() : VychoziRegistrVolani().flock(h, operace);
            },
        };
    }
    ~TPoruchyRegistru() { RegistrVolani() = VychoziRegistrVolani(); }
    TPoruchyRegistru(const TPoruchyRegistru&) = delete;
    TPoruchyRegistru& operator=(const TPoruchyRegistru&) = delete;

    bool Nastala() const { return stav().nastala; }

private:
    struct TStav {
        TDruh druh;
        int n, cislo, pocet;
        bool nastala;
    };
    static TStav& stav() {
        static TStav s;
        return s;
    }
    static bool Vyber(TDruh druh) {
        TStav& s = stav();
        if (druh != s.druh || ++s.pocet != s.n)
            return false;
        s.nastala = true;
        return true;
    }
    static int Selhej() {
        errno = stav().cislo;
        return -1;
    }
};

} // namespace vantrel::test
