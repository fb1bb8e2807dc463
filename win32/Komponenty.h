#pragma once

#include "lang/Komponenta.h"
#include "pravidla/HlavniOkno.h"
#include "win32/Win32.h"

#include <memory>
#include <string>
#include <vector>

// The shell's controls as the language engine translates them. Each adapter reads and writes
// its control's own texts, so the engine starts from what the window shows.
namespace vantrel::okna {

// One action of the main window as the window holds it: its caption and hint (as translated),
// whether it is enabled, and its image in imlMenu.
struct TAkceOkna {
    const TPopisAkce* popis = nullptr;
    std::u16string titulek;
    std::u16string hint;
    bool povolena = false;
    int obrazek = 0;
};
// A control whose caption is its window text: a push button or a label.
class TKomponentaOkna : public TKomponenta {
public:
    TKomponentaOkna(HWND okno, const char16_t* jmeno, unsigned druhy)
        : okno_(okno), jmeno_(jmeno), druhy_(druhy) {}

    unsigned Druhy() const override { return druhy_; }
    std::u16string Jmeno() const override { return jmeno_; }
    int Znacka() const override { return ZnackaPreklad; }
    std::u16string Titulek() const override;
    void NastavTitulek(const std::u16string& titulek) override;

private:
    HWND okno_;
    const char16_t* jmeno_;
    unsigned druhy_;
};

// A list view in report mode; each column carries its own mark.
class TKomponentaSeznamu : public TKomponenta {
public:
    TKomponentaSeznamu(HWND seznam, const char16_t* jmeno, std::vector<int> znackySloupcu)
        : seznam_(seznam), jmeno_(jmeno), znackySloupcu_(std::move(znackySloupcu)) {}

    unsigned Druhy() const override { return dkVizualni | dkSeznam; }
    std::u16string Jmeno() const override { return jmeno_; }
    int Znacka() const override { return ZnackaPreklad; }
    int PocetSloupcu() const override;
    int ZnackaSloupce(int sloupec) const override;
    std::u16string Sloupec(int sloupec) const override;
    void NastavSloupec(int sloupec, const std::u16string& titulek) override;

private:
    HWND seznam_;
    const char16_t* jmeno_;
    std::vector<int> znackySloupcu_;
};

// One of the main window's actions: its caption and its hint "short|long".
class TKomponentaAkce : public TKomponenta {
public:
    explicit TKomponentaAkce(TAkceOkna& akce) : akce_(akce) {}

    unsigned Druhy() const override { return dkAkce; }
    std::u16string Jmeno() const override;
    int Znacka() const override { return ZnackaPreklad; }
    std::u16string Titulek() const override;
    void NastavTitulek(const std::u16string& titulek) override;
    std::u16string Hint() const override;
    void NastavHint(const std::u16string& hint) override;

private:
    TAkceOkna& akce_;
};

// A window as the language engine translates it: its name (the section of its texts), its mark,
// its title (its window text), and its components in the order they were made.
class TFormularOkna : public TFormular {
public:
    TFormularOkna(const char16_t* jmeno, int znacka) : jmeno_(jmeno), znacka_(znacka) {}

    std::u16string Jmeno() const override { return jmeno_; }
    int Znacka() const override { return znacka_; }
    std::u16string Titulek() const override { return TextOkna(OknoFormulare()); }
    void NastavTitulek(const std::u16string& titulek) override;
    std::vector<TKomponenta*> Komponenty() override;

protected:
    void PridejKomponentu(std::unique_ptr<TKomponenta> komponenta);
    virtual HWND OknoFormulare() const = 0;

private:
    const char16_t* jmeno_;
    int znacka_;
    std::vector<std::unique_ptr<TKomponenta>> komponenty_;
};

} // namespace vantrel::okna
