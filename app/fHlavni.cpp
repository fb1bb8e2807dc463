#include "app/fHlavni.h"

#include "app/ChybaAplikace.h"
#include "app/PanelStavu.h"
#include "app/RadekSouboru.h"
#include "app/Sluzby.h"
#include "app/TextoveDialogy.h"
#include "lang/FormularQt.h"
#include "lang/XmlDokument.h"
#include "lang/Znacky.h"
#include "pravidla/Umisteni.h"
#include "lang/fJazyk.h"
#include "platforma/FaktaSouboru.h"
#include "platforma/Registr.h"
#include "pravidla/convar.h"
#include "support/MeritkoQt.h"
#include "support/NavratFokusu.h"
#include "support/Obrazky.h"
#include "support/fOAplikaci.h"
#include "textfile/Spojeni.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace vantrel {

namespace {

constexpr int SirkaMinimalni = 640;
constexpr int VyskaMinimalni = 480;
constexpr int SirkaNavrhu = 632; // client area as designed
constexpr int VyskaNavrhu = 446;
constexpr int IdYes = 6;
constexpr int YesNoVarovani = 0x34;

// The settings' value names, in the order they are read and written.
constexpr char HodnotaJazyk[] = "Jazyk";
constexpr char HodnotaIndexObrazku[] = "IndexObrazku";
constexpr char HodnotaMaximalni[] = "Maximalni";
constexpr char HodnotaVlevo[] = "Vlevo";
constexpr char HodnotaNahore[] = "Nahore";
constexpr char HodnotaVyska[] = "Vyska";
constexpr char HodnotaSirka[] = "Sirka";

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString Utf16(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// A lookup with the texts of this window's tables.
QString Preklad(const TJazykXML& jazyk, const char* sekce, const char* klic, const char* vychozi) {
    return QString::fromStdU16String(jazyk.Preklad(QString::fromLatin1(sekce).toStdU16String(),
                                                   QString::fromLatin1(klic).toStdU16String(),
                                                   Utf8(vychozi).toStdU16String()));
}

// What a screen reader calls the parts of the main window that show no caption of their own,
// and the rows' two states: the entries of the language file with their built-in texts.
struct TPristupnyText {
    const char* klic;
    const char* vychozi;
};
constexpr TPristupnyText NazevSeznamu = {"livSoubory-A", "Soubory ke spojení"};
constexpr TPristupnyText NazevListy = {"ActionToolBar1-A", "Panel nástrojů"};
constexpr TPristupnyText NazevStavovehoRadku = {"StatusBar1-A", "Stavový řádek"};
constexpr TPristupnyText PopisyStavu[] = {{"imlSoubory0", "Čeká na spojení"},
                                          {"imlSoubory1", "Spojeno"}};

// The settings error box's text: the message, ".", a carriage return, and the error in
// parentheses.
QString TextChybyNastaveni(const QString& zprava, const std::exception& chyba) {
    return zprava + u'.' + QChar(13) + u'(' + QString::fromUtf8(chyba.what()) +
           QStringLiteral(".)");
}

// Wayland tells a window neither where it is nor lets it choose.
bool PoziceOknaZnama() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

struct THlavniForm::TPopisAkce {
    QAction* THlavniForm::*akce;
    const char* jmeno;
    const char* titulek;
    const char* naListe; // the toolbar entry's caption, with its access key
    const char* hint;
    QKeyCombination zkratka;
    int obrazek;
    bool povolena;
    void (THlavniForm::*provedeni)();
    bool oddelovacPred;
};

const THlavniForm::TPopisAkce THlavniForm::Akce[] = {
    {&THlavniForm::aKonec, "aKonec", "Konec", "&Konec", "Ukončení aplikace|", Qt::Key_F4, 0, true,
     &THlavniForm::aKonecExecute, false},
    {&THlavniForm::aPridat, "aPridat", "Přidat...", "&Přidat...",
     "Přidá jeden nebo více souborů do seznamu|", Qt::Key_Insert, 1, true,
     &THlavniForm::aPridatExecute, true},
    {&THlavniForm::aSmazat, "aSmazat", "Smazat", "&Smazat", "Odstraní vybrané soubory ze seznamu|",
     Qt::Key_Delete, 2, false, &THlavniForm::aSmazatExecute, false},
    {&THlavniForm::aSmazatVse, "aSmazatVse", "Smazat vše", "S&mazat vše",
     "Odstraní všechny soubory ze seznamu|", Qt::SHIFT | Qt::Key_Delete, 3, false,
     &THlavniForm::aSmazatVseExecute, false},
    {&THlavniForm::aSpojit, "aSpojit", "Spojit", "Sp&ojit",
     "Spojí textové soubory v seznamu do jednoho souboru|", Qt::Key_F9, 4, false,
     &THlavniForm::aSpojitExecute, true},
    {&THlavniForm::aJazyk, "aJazyk", "Jazyk...", "&Jazyk...",
     "Umožní zvolit jazyk prostředí aplikace|", Qt::CTRL | Qt::Key_J, omPrvniVlajka, true,
     &THlavniForm::aJazykExecute, true},
    {&THlavniForm::aOAplikaci, "aOAplikaci", "O aplikaci...", "O &aplikaci...",
     "Zobrazí informace o aplikaci|", Qt::Key_F1, 5, true, &THlavniForm::aOAplikaciExecute, true},
};

THlavniForm::THlavniForm(TSluzby& sluzby, QWidget* parent)
    : QMainWindow(parent), xdcJazyk(ParserJazyka()), sluzby_(sluzby),
      meritko_(MeritkoNavrhu(font())) {
    setObjectName(QStringLiteral("HlavniForm"));
    sluzby_.Hlaseni.NastavHlavniOkno(this);
    qApp->installEventFilter(new TNavratFokusu(this));
    // The title is the product's name in every language: the window carries no mark.
    setWindowTitle(QStringLiteral("Vantrel"));
    setWindowIcon(IkonaAplikace());
    imlMenu = ObrazkyMenu();
    imlSoubory = {QIcon(QStringLiteral(":/images/state-waiting.svg")),
                  QIcon(QStringLiteral(":/images/state-joined.svg"))};

    vytvorAkce();
    vytvorSeznam();
    vytvorStavovyRadek();
    prelozPristupnost(false);
    OpenTextFileDialog1 = new TOpenTextFileDialog(this);
    SaveTextFileDialog1 = new TSaveTextFileDialog(this);

    resize(Navrh(SirkaNavrhu, meritko_), Navrh(VyskaNavrhu, meritko_));
    move(0, 0);
    FormCreate();
}

THlavniForm::~THlavniForm() = default;

void THlavniForm::NastavOkna(TOAplikaciForm* oAplikaciForm, TJazykForm* jazykForm) {
    oAplikaciForm_ = oAplikaciForm;
    jazykForm_ = jazykForm;
}

void THlavniForm::vytvorAkce() {
    ActionToolBar1 = new QToolBar(this);
    ActionToolBar1->setObjectName(QStringLiteral("ActionToolBar1"));
    ActionToolBar1->setMovable(false);
    ActionToolBar1->setFloatable(false);
    ActionToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ActionToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ActionToolBar1->setIconSize(QSize(16, 16));
    QPalette paleta = ActionToolBar1->palette();
    paleta.setColor(QPalette::Window, QApplication::palette("QMenuBar").color(QPalette::Window));
    ActionToolBar1->setPalette(paleta);
    ActionToolBar1->setAutoFillBackground(true);
    // Seven captions side by side must fit the narrowest window.
    ActionToolBar1->setStyleSheet(QStringLiteral(
        "QToolBar { spacing: 0px; padding: 0px; }"
        "QToolBar::separator { width: 1px; margin: 4px 3px; background: palette(mid); }"
        "QToolButton { padding: 1px 2px; }"));
    addToolBar(Qt::TopToolBarArea, ActionToolBar1);

    for (const TPopisAkce& popis : Akce) {
        auto* akce = new QAction(this);
        this->*popis.akce = akce;
        akce->setObjectName(QString::fromLatin1(popis.jmeno));
        akce->setText(Utf8(popis.titulek));
        akce->setShortcut(QKeySequence(popis.zkratka));
        akce->setEnabled(popis.povolena);
        akce->setIcon(imlMenu.value(popis.obrazek));
        NastavZnacku(akce, ZnackaPreklad);
        NastavHint(akce, Utf8(popis.hint));
        const auto provedeni = popis.provedeni;
        connect(akce, &QAction::triggered, this, [this, provedeni] {
            Chranene(sluzby_.Hlaseni, [&] { (this->*provedeni)(); });
            // An exit asked for during a join comes once the join and its report are over.
            if (zavritPoSpojeni_ && !spojuji_) {
                zavritPoSpojeni_ = false;
                close();
            }
        });
        if (popis.oddelovacPred)
            ActionToolBar1->addSeparator();
        ActionToolBar1->addAction(akce);
        if (QWidget* tlacitko = ActionToolBar1->widgetForAction(akce))
            tlacitko->setToolTipDuration(2500);
    }
    obnovPopiskyAkci();
}

// Tooltips "hint (shortcut)" and the toolbar's captions: the designed ones with their access
// keys until a translation gives an action another caption.
void THlavniForm::obnovPopiskyAkci() {
    for (const TPopisAkce& popis : Akce) {
        QAction* akce = this->*popis.akce;
        const QString kratky = KratkyHint(Hint(akce));
        const QString zkratka = akce->shortcut().toString(QKeySequence::PortableText);
        akce->setToolTip(
            TextTipu(zkratka.isEmpty() ? kratky : QStringLiteral("%1 (%2)").arg(kratky, zkratka)));
        akce->setStatusTip(DlouhyHint(Hint(akce)));
        akce->setIconText(akce->text() == Utf8(popis.titulek) ? Utf8(popis.naListe) : akce->text());
    }
    zmerListu();
}

// The widths the toolbar needs with the captions beside and under the images.
void THlavniForm::zmerListu() {
    const Qt::ToolButtonStyle styl = ActionToolBar1->toolButtonStyle();
    ActionToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    sirkaListyVedle_ = ActionToolBar1->layout()->sizeHint().width();
    ActionToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    sirkaListyPod_ = ActionToolBar1->layout()->sizeHint().width();
    ActionToolBar1->setToolButtonStyle(styl);
    prizpusobListu();
}

// Every action stays on the bar with its caption: beside its image where the window is wide
// enough, under it where not (a large font). Only captions too long for either (a language a
// user wrote) give way to the images alone, with the captions in the tooltips.
void THlavniForm::prizpusobListu() {
    Qt::ToolButtonStyle styl = Qt::ToolButtonIconOnly;
    if (sirkaListyVedle_ <= width())
        styl = Qt::ToolButtonTextBesideIcon;
    else if (sirkaListyPod_ <= width())
        styl = Qt::ToolButtonTextUnderIcon;
    ActionToolBar1->setToolButtonStyle(styl);
}

void THlavniForm::changeEvent(QEvent* udalost) {
    QMainWindow::changeEvent(udalost);
    if (udalost->type() == QEvent::FontChange || udalost->type() == QEvent::StyleChange)
        zmerListu();
}

void THlavniForm::resizeEvent(QResizeEvent* udalost) {
    QMainWindow::resizeEvent(udalost);
    prizpusobRameckuOkna();
    prizpusobListu();
}

void THlavniForm::vytvorSeznam() {
    livSoubory = new QTreeWidget(this);
    livSoubory->setObjectName(QStringLiteral("livSoubory"));
    livSoubory->setColumnCount(4);
    livSoubory->setHeaderLabels(
        {Utf8("Název souboru"), Utf8("Velikost"), Utf8("Datum"), Utf8("Typ")});
    // The date column is at least as wide as a whole time stamp in the font in use, which may
    // be wider than the one the widths were designed for.
    const int sirkaData = livSoubory->fontMetrics().horizontalAdvance(
                              Utf16(TextCasoveZnacky(HodnotaDatumu(2000, 12, 28, 23, 58, 58)))) +
                          2 * livSoubory->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    const int sirky[] = {Navrh(300, meritko_), Navrh(80, meritko_),
                         std::max(Navrh(120, meritko_), sirkaData), Navrh(100, meritko_)};
    for (int sloupec = 0; sloupec < 4; ++sloupec) {
        livSoubory->setColumnWidth(sloupec, sirky[sloupec]);
        NastavZnackuSloupce(livSoubory, sloupec, ZnackaPreklad);
    }
    NastavZnacku(livSoubory, ZnackaPreklad);
    livSoubory->setRootIsDecorated(false);
    livSoubory->setUniformRowHeights(true);
    livSoubory->setAllColumnsShowFocus(true);
    livSoubory->setSelectionMode(QAbstractItemView::ExtendedSelection);
    livSoubory->setSelectionBehavior(QAbstractItemView::SelectRows);
    livSoubory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    livSoubory->setSortingEnabled(false);
    livSoubory->setIconSize(QSize(16, 16));
    livSoubory->header()->setSectionsMovable(false);
    livSoubory->header()->setSectionsClickable(false);
    livSoubory->header()->setStretchLastSection(false);
    setCentralWidget(livSoubory);

    auto zmena = [this] { Chranene(sluzby_.Hlaseni, [this] { livSouboryChange(); }); };
    connect(livSoubory->model(), &QAbstractItemModel::rowsInserted, this, zmena);
    connect(livSoubory, &QTreeWidget::itemChanged, this, zmena);
    connect(livSoubory, &QTreeWidget::currentItemChanged, this, zmena);
    connect(livSoubory, &QTreeWidget::itemSelectionChanged, this, [this, zmena] {
        Chranene(sluzby_.Hlaseni, [this] { livSouborySelectItem(); });
        zmena();
    });
}

void THlavniForm::vytvorStavovyRadek() {
    QStatusBar* radek = statusBar();
    radek->setObjectName(QStringLiteral("StatusBar1"));
    StatusPanel0 = new TPanelStavu(radek, Navrh(150, meritko_));
    StatusPanel1 = new TPanelStavu(radek);
    radek->addWidget(StatusPanel0);
    radek->addWidget(StatusPanel1, 1);
}

void THlavniForm::NastavIndexObrazkuJazyka(int index) {
    indexObrazkuJazyka_ = index;
    // An index without an image (a seventh language) shows none.
    aJazyk->setIcon(imlMenu.value(index));
}

int THlavniForm::StavRadku(int radek) const {
    const QTreeWidgetItem* polozka = livSoubory->topLevelItem(radek);
    return polozka ? polozka->data(0, Qt::UserRole).toInt() : -1;
}

void THlavniForm::NastavStavRadku(int radek, TStavRadku stav) {
    QTreeWidgetItem* polozka = livSoubory->topLevelItem(radek);
    // The same image again changes nothing, so it causes no list update.
    if (polozka == nullptr || StavRadku(radek) == stav)
        return;
    polozka->setData(0, Qt::UserRole, static_cast<int>(stav));
    polozka->setIcon(0, imlSoubory.value(stav));
}

QString THlavniForm::TextPoctu() const {
    return Utf16(convar::rsSOUBORU) + QStringLiteral(": ") +
           QString::number(livSoubory->topLevelItemCount());
}

void THlavniForm::ObnovPocet() {
    StatusPanel0->setText(TextPoctu());
    StatusPanel1->clear();
}

// --- Settings -----------------------------------------------------------------------------

QRect THlavniForm::vnejsiObrys() const {
    // A minimised window is stored with the bounds it will have when restored.
    return isMinimized() ? normalGeometry().marginsAdded(ramecek_) : frameGeometry();
}

void THlavniForm::FormCreate() {
    // The stored edges and sizes are gathered and placed as a whole, in 64 bits: an edge near
    // the 32-bit limit plus the window's size would overflow a QRect.
    TObdelnik okno{x(), y(), width(), height()};
    bool ulozenaVelikost = false;
    QString chyba;
    try {
        TRegistr registr;
        if (registr.OpenKey(TRegistr::KlicVantrel, false)) {
            if (registr.ValueExists(HodnotaJazyk))
                sluzby_.Jazyk.KodJazyka =
                    QString::fromStdString(registr.ReadString(HodnotaJazyk)).toStdU16String();
            if (registr.ValueExists(HodnotaIndexObrazku))
                NastavIndexObrazkuJazyka(registr.ReadInteger(HodnotaIndexObrazku));
            if (registr.ValueExists(HodnotaMaximalni) &&
                registr.ReadInteger(HodnotaMaximalni) != 0) {
                setWindowState(windowState() | Qt::WindowMaximized);
            } else {
                if (registr.ValueExists(HodnotaVlevo))
                    okno.Vlevo = registr.ReadInteger(HodnotaVlevo);
                if (registr.ValueExists(HodnotaNahore))
                    okno.Nahore = registr.ReadInteger(HodnotaNahore);
                // Stored sizes are outer sizes; the frame is known only some time after the
                // window is shown, which then takes it off again.
                if (registr.ValueExists(HodnotaVyska)) {
                    okno.Vyska = std::max(VyskaMinimalni, registr.ReadInteger(HodnotaVyska));
                    ulozenaVelikost = true;
                }
                if (registr.ValueExists(HodnotaSirka)) {
                    okno.Sirka = std::max(SirkaMinimalni, registr.ReadInteger(HodnotaSirka));
                    ulozenaVelikost = true;
                }
            }
            registr.CloseKey();
        }
    } catch (const std::exception& vyjimka) {
        chyba = TextChybyNastaveni(Utf16(convar::rsNELZEZEREGISTRU), vyjimka);
    }
    // What was read before a failure stays applied.
    umistiNaObrazovku(okno, ulozenaVelikost);
    if (!chyba.isEmpty())
        sluzby_.Hlaseni.Zobraz(thChyba, chyba, Utf16(convar::rsCHYBA), 0);
}

// A placement that no screen can hold is corrected for this run; the stored values change only at
// the next close. The minimum grows with the text size as far as the screen allows.
void THlavniForm::umistiNaObrazovku(const TObdelnik& okno, bool ulozenaVelikost) {
    std::vector<TObdelnik> plochy;
    for (const QScreen* obrazovka : QGuiApplication::screens()) {
        const QRect p = obrazovka->availableGeometry();
        plochy.push_back({p.x(), p.y(), p.width(), p.height()});
    }
    const TUmisteni umisteni =
        UmisteniNaObrazovkach(okno, plochy, {SirkaMinimalni, VyskaMinimalni},
                              {Navrh(SirkaMinimalni, meritko_), Navrh(VyskaMinimalni, meritko_)});
    minimum_ = QSize(int(umisteni.Minimum.Sirka), int(umisteni.Minimum.Vyska));
    setMinimumSize(minimum_);
    const QSize velikost(int(umisteni.Okno.Sirka), int(umisteni.Okno.Vyska));
    if (ulozenaVelikost)
        vnejsiVelikost_ = velikost;
    resize(velikost);
    move(int(umisteni.Okno.Vlevo), int(umisteni.Okno.Nahore));
}

void THlavniForm::FormClose() {
    try {
        TRegistr registr;
        if (!registr.OpenKey(TRegistr::KlicVantrel, true))
            throw EChybaRegistru("Failed to set data for '" + std::string(HodnotaJazyk) + "'");
        registr.WriteString(HodnotaJazyk,
                            QString::fromStdU16String(sluzby_.Jazyk.KodJazyka).toStdString());
        registr.WriteInteger(HodnotaIndexObrazku, indexObrazkuJazyka_);
        if (isMaximized()) {
            registr.WriteInteger(HodnotaMaximalni, 1);
        } else {
            const QRect obrys = vnejsiObrys();
            registr.WriteInteger(HodnotaMaximalni, 0);
            // Where the platform does not tell the position, the stored one stays as it was.
            if (PoziceOknaZnama()) {
                registr.WriteInteger(HodnotaVlevo, obrys.left());
                registr.WriteInteger(HodnotaNahore, obrys.top());
            }
            registr.WriteInteger(HodnotaVyska, obrys.height());
            registr.WriteInteger(HodnotaSirka, obrys.width());
        }
        registr.CloseKey();
    } catch (const std::exception& chyba) {
        sluzby_.Hlaseni.Zobraz(thChyba, TextChybyNastaveni(Utf16(convar::rsNELZEDOREGISTRU), chyba),
                               Utf16(convar::rsCHYBA), 0);
    }
}

// --- Language -----------------------------------------------------------------------------

void THlavniForm::NastavJazyk() {
    QString cesta = cestaJazyka_;
    if (cesta.isEmpty()) {
        QString program = QString::fromStdU16String(platforma::CestaProgramu());
        if (program.isEmpty())
            program = QCoreApplication::applicationFilePath();
        cesta = QFileInfo(program).absolutePath() + QStringLiteral("/vtrl.xml");
    }
    xdcJazyk.NastavSoubor(cesta.toStdU16String());
    if (QFileInfo::exists(cesta)) {
        xdcJazyk.Otevri();
        sluzby_.Jazyk.Dokument = xdcJazyk.Dokument();
        for (const convar::TZpravovyText& text : convar::ZpravoveTexty)
            *text.text = sluzby_.Jazyk.Preklad(u"Obecne", text.klic, text.vychozi);
        prelozOkna();
        prelozPristupnost(true);
    } else {
        convar::NastavVychoziTexty();
    }
    ObnovPocet();
}

// The toolbar's captions and tooltips follow the actions' texts, also when the main window's
// translation stops half way.
void THlavniForm::prelozOkna() {
    try {
        PrelozFormular(sluzby_.Jazyk, *this);
    } catch (...) {
        obnovPopiskyAkci();
        throw;
    }
    obnovPopiskyAkci();
    if (oAplikaciForm_ != nullptr)
        PrelozFormular(sluzby_.Jazyk, *oAplikaciForm_);
    if (jazykForm_ != nullptr)
        PrelozFormular(sluzby_.Jazyk, *jazykForm_);
}

// The accessible names from the language file in its current language, or the built-in ones.
void THlavniForm::prelozPristupnost(bool zJazyka) {
    const auto text = [&](const TPristupnyText& t) {
        return zJazyka ? Preklad(sluzby_.Jazyk, "HlavniForm", t.klic, t.vychozi) : Utf8(t.vychozi);
    };
    livSoubory->setAccessibleName(text(NazevSeznamu));
    ActionToolBar1->setAccessibleName(text(NazevListy));
    statusBar()->setAccessibleName(text(NazevStavovehoRadku));
    for (int stav = 0; stav < 2; ++stav)
        popisyStavu_[stav] = text(PopisyStavu[stav]);
}

// The minimum and the stored size are outer sizes. A window manager's frame becomes known only
// after the window is shown (by a move or resize that it causes): from then on the frame comes
// off the client area, and the placement of the start is given once more without it.
void THlavniForm::prizpusobRameckuOkna() {
    const QWindow* okno = windowHandle();
    if (!zobrazeno_ || okno == nullptr || okno->frameMargins() == ramecek_)
        return;
    const bool prvniRamecek = ramecek_.isNull();
    ramecek_ = okno->frameMargins();
    const QSize ramecek(ramecek_.left() + ramecek_.right(), ramecek_.top() + ramecek_.bottom());
    setMinimumSize(minimum_ - ramecek);
    if (prvniRamecek && !isMaximized() && !isMinimized())
        resize(vnejsiVelikost_.isValid()
                   ? vnejsiVelikost_ - ramecek
                   : QSize(Navrh(SirkaNavrhu, meritko_), Navrh(VyskaNavrhu, meritko_))
                         .boundedTo(screen()->availableGeometry().size() - ramecek));
}

void THlavniForm::showEvent(QShowEvent* udalost) {
    QMainWindow::showEvent(udalost);
    if (zobrazeno_)
        return;
    zobrazeno_ = true;
    prizpusobRameckuOkna();
    // A frame drawn by the program itself (Wayland) is known only once the window is shown,
    // with no move or resize to tell.
    QMetaObject::invokeMethod(
        this, [this] { prizpusobRameckuOkna(); }, Qt::QueuedConnection);
    Chranene(sluzby_.Hlaseni, [this] { FormShow(); });
}

void THlavniForm::moveEvent(QMoveEvent* udalost) {
    QMainWindow::moveEvent(udalost);
    prizpusobRameckuOkna();
}

void THlavniForm::FormShow() {
    NastavJazyk();
    StatusPanel0->setText(TextPoctu());
}

void THlavniForm::closeEvent(QCloseEvent* udalost) {
    // A running join is never hidden: the window closes once the join has ended.
    if (spojuji_) {
        zavritPoSpojeni_ = true;
        udalost->ignore();
        return;
    }
    Chranene(sluzby_.Hlaseni, [this] { FormClose(); });
    udalost->accept();
}

// --- Actions ------------------------------------------------------------------------------

void THlavniForm::aKonecExecute() {
    close();
}

void THlavniForm::aOAplikaciExecute() {
    if (oAplikaciForm_ != nullptr)
        oAplikaciForm_->exec();
}

void THlavniForm::aJazykExecute() {
    if (jazykForm_ == nullptr)
        return;
    const std::optional<TVolbaJazyka> volba = jazykForm_->Vyber(sluzby_.Jazyk);
    if (!volba)
        return;
    sluzby_.Jazyk.KodJazyka = volba->Kod;
    NastavIndexObrazkuJazyka(volba->Pozice + omPrvniVlajka);
    NastavJazyk();
}

void THlavniForm::aPridatExecute() {
    if (!OpenTextFileDialog1->Execute())
        return;
    const TSouboroveInfo& info = sluzby_.SouboroveInfo;
    for (const QString& cesta : OpenTextFileDialog1->Files()) {
        auto* radek = new TRadekSouboru(popisyStavu_);
        radek->setText(0, CitelnaCesta(cesta));
        radek->setData(0, RoleCesta, cesta);
        const std::u16string soubor = cesta.toStdU16String();
        radek->setText(1, Utf16(TextVelikosti(info.VelikostSouboru(soubor))));
        radek->setText(2, Utf16(TextCasoveZnacky(info.DatumSouboru(soubor, 1))));
        radek->setText(3, Utf16(info.TypSouboru(soubor)));
        radek->setData(0, Qt::UserRole, static_cast<int>(StavCeka));
        radek->setIcon(0, imlSoubory.value(StavCeka));
        livSoubory->addTopLevelItem(radek);
    }
}

bool THlavniForm::PotvrdSmazani() {
    return sluzby_.Hlaseni.Zobraz(thVarovani, convar::rsSMAZATSOUBORY + u'?', convar::rsVAROVANI,
                                  YesNoVarovani) == IdYes;
}

void THlavniForm::aSmazatExecute() {
    const QList<QTreeWidgetItem*> vybrane = livSoubory->selectedItems();
    if (vybrane.isEmpty() || !PotvrdSmazani())
        return;
    // The list's own updates stay quiet while rows go; Remove keeps its state until the
    // selection next changes.
    odstranuji_ = true;
    qDeleteAll(vybrane);
    odstranuji_ = false;
    ObnovPocet();
    if (livSoubory->topLevelItemCount() == 0)
        zakazAkceSeznamu();
}

void THlavniForm::aSmazatVseExecute() {
    if (livSoubory->topLevelItemCount() == 0 || !PotvrdSmazani())
        return;
    odstranuji_ = true;
    livSoubory->clear();
    odstranuji_ = false;
    ObnovPocet();
    zakazAkceSeznamu();
}

void THlavniForm::zakazAkceSeznamu() {
    aSmazat->setEnabled(false);
    aSmazatVse->setEnabled(false);
    aSpojit->setEnabled(false);
}

void THlavniForm::aSpojitExecute() {
    if (!SaveTextFileDialog1->Execute())
        return;
    const QString vystup = SaveTextFileDialog1->FileName();
    TSpojeni spojeni;
    const int pocet = livSoubory->topLevelItemCount();
    for (int i = 0; i < pocet; ++i)
        spojeni.Vstupy.push_back(
            livSoubory->topLevelItem(i)->data(0, RoleCesta).toString().toStdU16String());
    spojeni.Vystup = vystup.toStdU16String();
    // The window never waits for a writer that may never come: it would freeze.
    spojeni.BezCekani = true;
    spojeni.PoSouboru = [this](std::size_t i) {
        NastavStavRadku(static_cast<int>(i), StavSpojen);
        QCoreApplication::processEvents();
    };
    // While a join runs the list stays as it is: the actions that change it, or start another
    // join, are off, and the list's updates leave them off; so are the dialogs, whose loop would
    // stall the join. Afterwards, also after a failure, the actions follow the list again.
    spojuji_ = true;
    for (QAction* akce : {aPridat, aSmazat, aSmazatVse, aSpojit, aJazyk, aOAplikaci})
        akce->setEnabled(false);
    struct TPoSpojeni {
        THlavniForm& okno;
        ~TPoSpojeni() {
            okno.spojuji_ = false;
            okno.aPridat->setEnabled(true);
            okno.aJazyk->setEnabled(true);
            okno.aOAplikaci->setEnabled(true);
            okno.povolAkceSeznamu();
            okno.livSouborySelectItem();
        }
    };
    {
        TPoSpojeni poSpojeni{*this};
        Spoj(spojeni);
    }
    const std::int64_t velikost = sluzby_.SouboroveInfo.VelikostSouboru(vystup.toStdU16String());
    StatusPanel1->NastavText(Utf16(convar::rsSPOJENO) + QStringLiteral(": "),
                             QFileInfo(CitelnaCesta(vystup)).fileName(),
                             u' ' + Utf16(TextVelikosti(velikost, true)));
    QApplication::beep();
}

// --- The list's own updates -------------------------------------------------------------

void THlavniForm::livSouboryChange() {
    if (odstranuji_)
        return;
    if (!spojuji_)
        povolAkceSeznamu();
    ObnovPocet();
}

void THlavniForm::povolAkceSeznamu() {
    const bool radky = livSoubory->topLevelItemCount() >= 1;
    aSmazatVse->setEnabled(radky);
    aSpojit->setEnabled(radky);
}

void THlavniForm::livSouborySelectItem() {
    if (odstranuji_ || spojuji_)
        return;
    aSmazat->setEnabled(!livSoubory->selectedItems().isEmpty());
}

} // namespace vantrel
