#pragma once

#include "app/PanelStavu.h"
#include "lang/SouborJazyka.h"
#include "pravidla/HlavniOkno.h"
#include "pravidla/Umisteni.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QMargins>
#include <QRect>

class QAction;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantrel {

struct TSluzby;
class TJazykForm;
class TOAplikaciForm;
class TOpenTextFileDialog;
class TSaveTextFileDialog;

// The main window drawn with Qt widgets: the toolbar of the seven actions, the file list and the
// status bar. Its rules (pravidla/HlavniOkno) decide what happens; the window shows it.
class THlavniForm : public QMainWindow, private TPohledHlavnihoOkna {
    Q_OBJECT

public:
    // Reads the settings (FormCreate).
    explicit THlavniForm(TSluzby& sluzby, QWidget* parent = nullptr);
    ~THlavniForm() override;

    // The two other windows, which NastavJazyk translates after this one.
    void NastavOkna(TOAplikaciForm* oAplikaciForm, TJazykForm* jazykForm);

    // Loads the language file beside the program (once), fetches the message texts, translates
    // the three windows and rewrites the status bar.
    void NastavJazyk();
    // Where the language file is looked for; beside the running executable unless set.
    void NastavCestuJazyka(const QString& cesta) { cestaJazyka_ = cesta; }

    // The image of aJazyk in imlMenu: the flag of the current language.
    int IndexObrazkuJazyka() const { return pravidla_.IndexObrazkuJazyka(); }
    void NastavIndexObrazkuJazyka(int index) { pravidla_.NastavIndexObrazkuJazyka(index); }

    // The count text of the status bar: rsSOUBORU, ": " and the number of rows.
    QString TextPoctu() const;

    // Components, named as in the window's design.
    QAction* aKonec = nullptr;
    QAction* aPridat = nullptr;
    QAction* aSmazat = nullptr;
    QAction* aSmazatVse = nullptr;
    QAction* aSpojit = nullptr;
    QAction* aJazyk = nullptr;
    QAction* aOAplikaci = nullptr;
    QToolBar* ActionToolBar1 = nullptr;
    QTreeWidget* livSoubory = nullptr;
    TPanelStavu* StatusPanel0 = nullptr;
    TPanelStavu* StatusPanel1 = nullptr;
    TOpenTextFileDialog* OpenTextFileDialog1 = nullptr;
    TSaveTextFileDialog* SaveTextFileDialog1 = nullptr;
    TSouborJazyka xdcJazyk;
    QList<QIcon> imlMenu;
    QList<QIcon> imlSoubory;

    // The state image of a row: 0 waiting, 1 joined; -1 for no such row.
    int StavRadku(int radek) const override;

protected:
    void showEvent(QShowEvent* udalost) override;
    void moveEvent(QMoveEvent* udalost) override;
    void resizeEvent(QResizeEvent* udalost) override;
    void changeEvent(QEvent* udalost) override;
    void closeEvent(QCloseEvent* udalost) override;

private:
    // TPohledHlavnihoOkna: what the rules ask of the widgets.
    int PocetRadku() const override;
    std::u16string CestaRadku(int radek) const override;
    void PridejRadek(const TPolozkaSouboru& radek) override;
    void NastavStavRadku(int radek, TStavRadku stav) override;
    bool MaVybraneRadky() const override;
    void OdstranVybraneRadky() override;
    void OdstranVsechnyRadky() override;
    void PovolAkci(TAkce akce, bool povolena) override;
    void NastavPocet(const std::u16string& text) override;
    void NastavZpravu(const std::u16string& zacatek, const std::u16string& jmeno,
                      const std::u16string& konec) override;
    bool VyberVstupy(std::vector<std::u16string>& soubory) override;
    bool VyberVystup(std::u16string& soubor) override;
    bool VyberJazyk(const TJazykXML& jazyk, std::u16string& kod, int& pozice) override;
    void ZobrazOAplikaci() override;
    void NastavObrazekJazyka(int index) override;
    void PrelozOkna(const TJazykXML& jazyk) override;
    void NastavPristupneTexty(const TPristupneTexty& texty) override;
    void Pipni() override;
    void ZpracujUdalosti() override;
    void Zavri() override;

    QAction*& Akce(TAkce akce);
    void vytvorAkce();
    void vytvorSeznam();
    void vytvorStavovyRadek();
    void obnovPopiskyAkci();
    void zmerListu();
    void prizpusobListu();
    void umistiNaObrazovku(const TNastaveniOkna& nastaveni);
    QRect vnejsiObrys() const;
    void prizpusobRameckuOkna();
    std::u16string CestaJazyka() const;

    void FormCreate();
    void FormClose();

    TSluzby& sluzby_;
    THlavniOkno pravidla_;
    TOAplikaciForm* oAplikaciForm_ = nullptr;
    TJazykForm* jazykForm_ = nullptr;
    QString cestaJazyka_;
    bool zobrazeno_ = false;
    // How much larger than designed the window is drawn with its font.
    double meritko_ = 1;
    // The least outer size on the window's screen.
    QSize minimum_;
    // The stored outer size, applied to the client area until the window manager's frame is
    // known, then once more without the frame.
    QSize vnejsiVelikost_;
    QMargins ramecek_;
    // Widths the toolbar needs to show every action with its caption beside and under its image.
    int sirkaListyVedle_ = 0;
    int sirkaListyPod_ = 0;
    // The rows' states as a screen reader hears them: waiting, joined.
    QString popisyStavu_[2];
    // Rows go without the list's own updates, which the rules give afterwards.
    bool odstranuji_ = false;
};

} // namespace vantrel
