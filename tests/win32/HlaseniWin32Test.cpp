#include "win32/HlaseniWin32.h"

#include "Scenar.h"

#include <cstdlib>
#include <memory>

using namespace vantrel;
using vantrel::test::TScenar;

namespace {

// A top-level window of the test, destroyed with its holder.
class TOkno {
public:
    TOkno(HWND vlastnik, bool viditelne) {
        static const bool trida = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"VantrelTestOkno";
            return RegisterClassW(&wc) != 0;
        }();
        EXPECT_TRUE(trida);
        okno_ = CreateWindowExW(
            0, L"VantrelTestOkno", L"Okno",
            (vlastnik ? WS_POPUP | WS_CAPTION : WS_OVERLAPPEDWINDOW) | (viditelne ? WS_VISIBLE : 0),
            40, 40, 300, 200, vlastnik, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    TOkno(const TOkno&) = delete;
    TOkno& operator=(const TOkno&) = delete;
    ~TOkno() { DestroyWindow(okno_); }
    HWND operator*() const { return okno_; }

private:
    HWND okno_;
};

} // namespace

// The owner is the window the user works in: the modal window open over the main window, else
// the main window, else none; the box shows the flags given and returns the button pressed.
TEST(HlaseniWin32, TheBoxBelongsToTheWindowTheUserWorksIn) {
    enum TVlastnik { Zadny, Hlavni, Dialog, DruhyDialog };
    const struct {
        const char* popis;
        bool hlavniNastaveno, hlavniViditelne;
        int dialogu; // modal windows open, each over the one before
        bool dialogZavreny;
        TTypHlaseni druh;
        int priznaky;
        int stisknout; // must be there
        int chybi;     // must not be there
        TVlastnik vlastnik;
    } pripady[] = {
        {"before the main window is known", false, false, 0, false, thChyba, 0, IDOK, IDNO, Zadny},
        {"while the main window is hidden", true, false, 0, false, thChyba, 0, IDOK, IDNO, Zadny},
        {"over the main window", true, true, 0, false, thVarovani, 0x34, IDNO, IDOK, Hlavni},
        {"over a modal dialog", true, true, 1, false, thDotaz, 0, IDYES, IDOK, Dialog},
        {"over a dialog opened from a dialog", true, true, 2, false, thInformace, MB_OKCANCEL,
         IDCANCEL, IDYES, DruhyDialog},
        {"after the dialog has closed", true, true, 1, true, thDotaz, 0, IDNO, IDOK, Hlavni},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        TOkno hlavni(nullptr, p.hlavniViditelne);
        std::unique_ptr<TOkno> dialogy[2];
        HWND nahore = *hlavni;
        for (int i = 0; i < p.dialogu; ++i) {
            dialogy[i] = std::make_unique<TOkno>(nahore, true);
            EnableWindow(nahore, FALSE);
            nahore = **dialogy[i];
        }
        if (p.dialogZavreny) {
            EnableWindow(*hlavni, TRUE);
            ShowWindow(nahore, SW_HIDE);
        }
        THlaseniWin32 hlaseni;
        if (p.hlavniNastaveno)
            hlaseni.NastavHlavniOkno(*hlavni);

        HWND vlastnik = reinterpret_cast<HWND>(-1);
        RECT boxu{}, vlastnika{};
        std::wstring titulek;
        TScenar scenar({[&](HWND box) {
            vlastnik = GetWindow(box, GW_OWNER);
            GetWindowRect(box, &boxu);
            GetWindowRect(vlastnik, &vlastnika);
            titulek = vantrel::test::TextOkna(box);
            EXPECT_NE(GetDlgItem(box, p.stisknout), nullptr);
            EXPECT_EQ(GetDlgItem(box, p.chybi), nullptr);
            vantrel::test::Stiskni(box, p.stisknout);
            return true;
        }});
        EXPECT_EQ(hlaseni.Zobraz(p.druh, u"Smazat označené soubory?", u"Varování", p.priznaky),
                  p.stisknout);
        EXPECT_TRUE(scenar.Dohrano());
        EXPECT_EQ(titulek, L"Varování");
        const HWND ocekavany[] = {nullptr, *hlavni, dialogy[0] ? **dialogy[0] : nullptr,
                                  dialogy[1] ? **dialogy[1] : nullptr};
        EXPECT_EQ(vlastnik, ocekavany[p.vlastnik]);
        // Over its owner, not where the system would put it.
        if (p.vlastnik != Zadny) {
            EXPECT_LE(std::abs(boxu.left + boxu.right - vlastnika.left - vlastnika.right), 1);
            EXPECT_LE(std::abs(boxu.top + boxu.bottom - vlastnika.top - vlastnika.bottom), 1);
        }
    }
}
