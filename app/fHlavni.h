#pragma once

#include "app/PanelStavu.h"
#include "lang/SouborJazyka.h"
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

// The main window: the toolbar of the seven actions, the file list and the status bar. It keeps
// the language and its own placement in the settings store between runs.
class THlavniForm : public QMainWindow {
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
    int IndexObrazkuJazyka() const { return indexObrazkuJazyka_; }
    void NastavIndexObrazkuJazyka(int index);

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

    enum TStavRadku { StavCeka = 0, StavSpojen = 1 };
    // The state image of a row: 0 waiting, 1 joined.
    int StavRadku(int radek) const;

protected:
    void showEvent(QShowEvent* udalost) override;
    void moveEvent(QMoveEvent* udalost) override;
    void resizeEvent(QResizeEvent* udalost) override;
    void changeEvent(QEvent* udalost) override;
    void closeEvent(QCloseEvent* udalost) override;

private:
    struct TPopisAkce;
    static const TPopisAkce Akce[];

    void vytvorAkce();
    void vytvorSeznam();
    void vytvorStavovyRadek();
    void obnovPopiskyAkci();
    void zmerListu();
    void prizpusobListu();
    void umistiNaObrazovku(const TObdelnik& okno, bool ulozenaVelikost);
    QRect vnejsiObrys() const;
    void prizpusobRameckuOkna();
    void prelozOkna();
    void prelozPristupnost(bool zJazyka);

    void FormCreate();
    void FormShow();
    void FormClose();

    void aKonecExecute();
    void aPridatExecute();
    void aSmazatExecute();
    void aSmazatVseExecute();
    void aSpojitExecute();
    void aJazykExecute();
    void aOAplikaciExecute();

    void livSouboryChange();
    void livSouborySelectItem();
    void NastavStavRadku(int radek, TStavRadku stav);
    bool PotvrdSmazani();
    void zakazAkceSeznamu();
    void povolAkceSeznamu();
    void ObnovPocet();

    TSluzby& sluzby_;
    TOAplikaciForm* oAplikaciForm_ = nullptr;
    TJazykForm* jazykForm_ = nullptr;
    QString cestaJazyka_;
    int indexObrazkuJazyka_ = 6;
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
    bool odstranuji_ = false;
    bool spojuji_ = false;
    // Exit asked for while a join runs: the window closes once the join has ended.
    bool zavritPoSpojeni_ = false;
};

} // namespace vantrel
