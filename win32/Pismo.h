#pragma once

#include "win32/Win32.h"

namespace vantrel::okna {

// A font the window owns: made from a LOGFONT, deleted with its holder.
class TPismo {
public:
    TPismo() = default;
    explicit TPismo(const LOGFONTW& popis) : pismo_(CreateFontIndirectW(&popis)) {}
    ~TPismo() { Uvolni(); }
    TPismo(TPismo&& jine) noexcept : pismo_(jine.pismo_) { jine.pismo_ = nullptr; }
    TPismo& operator=(TPismo&& jine) noexcept {
        if (this != &jine) {
            Uvolni();
            pismo_ = jine.pismo_;
            jine.pismo_ = nullptr;
        }
        return *this;
    }
    TPismo(const TPismo&) = delete;
    TPismo& operator=(const TPismo&) = delete;

    HFONT Handle() const { return pismo_; }

private:
    void Uvolni() {
        if (pismo_ != nullptr)
            DeleteObject(pismo_);
        pismo_ = nullptr;
    }

    HFONT pismo_ = nullptr;
};

} // namespace vantrel::okna
