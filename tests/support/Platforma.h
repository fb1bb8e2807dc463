#pragma once

#include <memory>
#include <string>
#include <vector>

// What the file facts' suite finds different from one platform to the next, each platform's in
// a source of its own (posix/, win32/).
namespace vantrel::test {

// The user's conventions for writing numbers and times, and what the platform layer must give
// under them.
struct TKonvence {
    const char* popis;
    // POSIX: the locales named for numbers and for times. Windows: the user's decimal
    // separator and time format.
    const char* cisla;
    const char* casy;
    std::u16string desetinny;
    std::u16string casu;
};

// Czech, Finnish and US English conventions, in that order, then the platform's own cases.
enum TJazykKonvenci { Ceske, Finske, Anglicke };
const std::vector<TKonvence>& Konvence();

// The conventions in force for the process while it lives (POSIX: the environment that names
// the locales; Windows: the user's settings, which every process shares), then those before.
class TNastaveneKonvence {
public:
    explicit TNastaveneKonvence(const TKonvence& konvence);
    explicit TNastaveneKonvence(TJazykKonvenci jazyk) : TNastaveneKonvence(Konvence()[jazyk]) {}
    ~TNastaveneKonvence();
    TNastaveneKonvence(const TNastaveneKonvence&) = delete;
    TNastaveneKonvence& operator=(const TNastaveneKonvence&) = delete;

private:
    struct TPuvodni;
    std::unique_ptr<TPuvodni> puvodni_;
};

// Names of the running program, each of which has its version record.
std::vector<std::u16string> CestyProgramu();

// Names of things that are no executable of the platform's (devices, pipes) beside those every
// platform has.
std::vector<std::u16string> CestyBezVerze(const std::string& slozka);

} // namespace vantrel::test
