#include "../Platforma.h"

#include "platforma/FaktaSouboru.h"
#include "platforma/Utf8.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace vantrel::test {

const std::vector<TKonvence>& Konvence() {
    static const std::vector<TKonvence> konvence = {
        {"Czech", "cs_CZ.UTF-8", "cs_CZ.UTF-8", u",", u":"},
        {"Finnish", "fi_FI.UTF-8", "fi_FI.UTF-8", u",", u"."},
        // Its time format is the 12-hour one.
        {"US English", "en_US.UTF-8", "en_US.UTF-8", u".", u":"},
        {"C", "C", "C", u".", u":"},
        {"Czech in a single-byte codeset", "cs_CZ.ISO-8859-2", "cs_CZ.ISO-8859-2", u",", u":"},
        {"Czech numbers, Finnish times", "cs_CZ.UTF-8", "fi_FI.UTF-8", u",", u"."},
        // The desktop's locale data, whether or not the C library has the locale (its Danish
        // times have a colon).
        {"Danish", "da_DK.UTF-8", "da_DK.UTF-8", u",", u"."},
        {"a locale the desktop does not know", "xx_YY.UTF-8", "xx_YY", u".", u":"},
    };
    return konvence;
}

struct TNastaveneKonvence::TPuvodni {
    struct TPromenna {
        const char* jmeno;
        std::string hodnota;
        bool byla;
    };
    std::vector<TPromenna> promenne;
};

TNastaveneKonvence::TNastaveneKonvence(const TKonvence& konvence)
    : puvodni_(std::make_unique<TPuvodni>()) {
    for (const char* jmeno : {"LC_ALL", "LC_NUMERIC", "LC_TIME"}) {
        const char* hodnota = std::getenv(jmeno);
        puvodni_->promenne.push_back({jmeno, hodnota ? hodnota : "", hodnota != nullptr});
    }
    ::unsetenv("LC_ALL");
    ::setenv("LC_NUMERIC", konvence.cisla, 1);
    ::setenv("LC_TIME", konvence.casy, 1);
}

TNastaveneKonvence::~TNastaveneKonvence() {
    for (const TPuvodni::TPromenna& p : puvodni_->promenne) {
        if (p.byla)
            ::setenv(p.jmeno, p.hodnota.c_str(), 1);
        else
            ::unsetenv(p.jmeno);
    }
}

std::vector<std::u16string> CestyProgramu() {
    return {u"/proc/self/exe", platforma::CestaProgramu()};
}

std::vector<std::u16string> CestyBezVerze(const std::string& slozka) {
    const std::string fifo = slozka + "/fifo";
    ::mkfifo(fifo.c_str(), 0600);
    return {DekodujUtf8(fifo), u"/dev/null"};
}

} // namespace vantrel::test
