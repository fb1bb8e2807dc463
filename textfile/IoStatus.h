#pragma once

#include <stdexcept>
#include <string>

namespace vantrel {

// Status codes of the layer's own failures; the platform's refusals carry Windows system error
// numbers (platforma/Chyby.h).
enum : int {
    IoNeprirazen = 102,   // the record was never assigned
    IoNeotevren = 103,    // the record is not open
    IoNeniProCteni = 104, // the record is not open for reading
    IoNeniProZapis = 105, // not open for writing, or an output device of unknown kind
};

// The failure of a file operation: its status code and the fixed message for it, in UTF-8.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int kod, const std::u16string& cesta = {});

    int Kod() const { return kod_; }
    // The file whose operation failed, when the layer knows it.
    const std::u16string& Cesta() const { return cesta_; }

private:
    int kod_;
    std::u16string cesta_;
};

// The message for a status code: "File not found", "I/O error 32", ...; code 3 names the path.
std::string ZpravaIoChyby(int kod, const std::u16string& cesta);

// The pending I/O status of the calling thread: set by a failing operation, kept through later
// successful ones, cleared only by taking it.
void SetIoStatus(int kod);
int TakeIoStatus();
namespace detail {
// The calling thread's pending status, 0 for none; the join tests it after every step.
inline thread_local int g_ioStatus = 0;
[[noreturn]] void VyvolejIoChybu();
} // namespace detail

// Raises EInOutError for a pending status (taking it); does nothing when none is pending.
inline void CheckIoStatus() {
    if (detail::g_ioStatus != 0)
        detail::VyvolejIoChybu();
}
// Passes the result of the operation before it through, as in `while (!CheckIoStatus(AtEnd(f)))`.
template <typename T> T CheckIoStatus(T vysledek) {
    CheckIoStatus();
    return vysledek;
}

namespace detail {
// Records a failure of an operation on the file at `cesta`, so that the message can name it.
void ZaznamenejIoChybu(int kod, const std::u16string& cesta);
} // namespace detail

} // namespace vantrel
