#pragma once

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace vantrel::test {

// Plays steps against the modal window of the test's thread (a message box, a file dialog) while
// it runs its own loop, which dispatches the thread timer of the player. A step is given the
// visible, enabled dialog window of the thread and returns true when it has done its part; the
// next step starts on a later tick. A window still open after the deadline is cancelled, so a
// broken dialog fails the test instead of hanging it. One player at a time.
class TScenar {
public:
    using Krok = std::function<bool(HWND)>;

    explicit TScenar(std::vector<Krok> kroky) : kroky_(std::move(kroky)) {
        hraje_ = this;
        zacatek_ = GetTickCount64();
        casovac_ = SetTimer(nullptr, 0, 30, &TScenar::Tik);
    }
    TScenar(const TScenar&) = delete;
    TScenar& operator=(const TScenar&) = delete;
    ~TScenar() {
        KillTimer(nullptr, casovac_);
        hraje_ = nullptr;
    }
    bool Dohrano() const { return dalsi_ == kroky_.size(); }

    // The visible, enabled dialog window of this thread: the one that takes the input now.
    static HWND ModalniOkno() {
        HWND nalezene = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &TScenar::JeModalni,
                          reinterpret_cast<LPARAM>(&nalezene));
        return nalezene;
    }

private:
    static void CALLBACK Tik(HWND, UINT, UINT_PTR, DWORD) {
        TScenar* s = hraje_;
        if (s == nullptr)
            return;
        const HWND okno = ModalniOkno();
        if (GetTickCount64() - s->zacatek_ > 20000) {
            if (!s->Dohrano())
                ADD_FAILURE() << "step " << s->dalsi_ << " never completed";
            else if (okno != nullptr)
                ADD_FAILURE() << "a window stayed open after the last step";
            s->dalsi_ = s->kroky_.size();
            if (okno != nullptr)
                PostMessageW(okno, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (okno != nullptr && !s->Dohrano() && s->kroky_[s->dalsi_](okno))
            ++s->dalsi_;
    }

    static BOOL CALLBACK JeModalni(HWND okno, LPARAM parametr) {
        wchar_t trida[16] = L"";
        GetClassNameW(okno, trida, 16);
        if (!IsWindowVisible(okno) || !IsWindowEnabled(okno) || std::wstring(trida) != L"#32770")
            return TRUE;
        *reinterpret_cast<HWND*>(parametr) = okno;
        return FALSE;
    }

    static inline TScenar* hraje_ = nullptr;
    std::vector<Krok> kroky_;
    std::size_t dalsi_ = 0;
    ULONGLONG zacatek_ = 0;
    UINT_PTR casovac_ = 0;
};

struct THledaniPotomka {
    int id;
    HWND nalezene;
};

inline BOOL CALLBACK JePotomek(HWND dite, LPARAM parametr) {
    auto* hledani = reinterpret_cast<THledaniPotomka*>(parametr);
    if (GetDlgCtrlID(dite) != hledani->id)
        return TRUE;
    hledani->nalezene = dite;
    return FALSE;
}

// The descendant window with that control identifier, at any depth; nullptr when none.
inline HWND Potomek(HWND okno, int id) {
    THledaniPotomka hledani{id, nullptr};
    EnumChildWindows(okno, JePotomek, reinterpret_cast<LPARAM>(&hledani));
    return hledani.nalezene;
}

inline std::wstring TextOkna(HWND okno) {
    wchar_t text[512] = L"";
    GetWindowTextW(okno, text, 512);
    return text;
}

// Presses a button of a dialog as a click would.
inline void Stiskni(HWND dialog, int tlacitko) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(tlacitko, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, tlacitko)));
}

} // namespace vantrel::test
