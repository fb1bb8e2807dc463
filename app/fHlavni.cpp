#include "app/fHlavni.h"

#include "app/ChybaAplikace.h"
#include "app/PanelStavu.h"
#include "app/RadekSouboru.h"
#include "app/Sluzby.h"
#include "app/TextoveDialogy.h"
#include "lang/FormularQt.h"
#include "lang/XmlDokument.h"
#include "lang/Znacky.h"
#include "lang/fJazyk.h"
#include "support/MeritkoQt.h"
#include "support/NavratFokusu.h"
#include "support/Obrazky.h"
#include "support/fOAplikaci.h"

#include <QApplication>
#include <QCloseEvent>
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

QString Utf16(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// Wayland tells a window neither where it is nor lets it choose.
bool PoziceOknaZnama() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QKeySequence Zkratka(const TZkratka& zkratka) {
    Qt::Key klavesa = Qt::Key_unknown;
    switch (zkratka.klavesa) {
    case TKlavesa::F1:
        klavesa = Qt::Key_F1;
        break;
    case TKlavesa::F4:
        klavesa = Qt::Key_F4;
        break;
    case TKlavesa::F9:
        klavesa = Qt::Key_F9;
        break;
    case TKlavesa::Insert:
        klavesa = Qt::Key_Insert;
        break;
    case TKlavesa::Delete:
        klavesa = Qt::Key_Delete;
        break;
    case TKlavesa::J:
        klavesa = Qt::Key_J;
        break;
    }
    Qt::KeyboardModifiers modifikatory;
    if (zkratka.shift)
        modifikatory |= Qt::ShiftModifier;
    if (zkratka.ctrl)
        modifikatory |= Qt::ControlModifier;
    return QKeySequence(QKeyCombination(modifikatory, klavesa));
}

} // namespace

THlavniForm::THlavniForm(TSluzby& sluzby, QWidget* parent)
    : QMainWindow(parent), xdcJazyk(ParserJazyka()), sluzby_(sluzby),
      pravidla_(*this, sluzby.Jazyk, sluzby.Hlaseni, xdcJazyk), meritko_(MeritkoNavrhu(font())) {
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
    NastavPristupneTexty(THlavniOkno::PristupneTexty(TJazykXML{}));
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

QAction*& THlavniForm::Akce(TAkce akce) {
    switch (akce) {
    case TAkce::Konec:
        return aKonec;
    case TAkce::Pridat:
        return aPridat;
    case TAkce::Smazat:
        return aSmazat;
    case TAkce::SmazatVse:
        return aSmazatVse;
    case TAkce::Spojit:
        return aSpojit;
    case TAkce::Jazyk:
        return aJazyk;
    case TAkce::OAplikaci:
        break;
    }
    return aOAplikaci;
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

    for (const TPopisAkce& popis : vantrel::Akce) {
        auto* akce = new QAction(this);
        Akce(popis.akce) = akce;
        akce->setObjectName(QString::fromLatin1(popis.jmeno));
        akce->setText(Utf16(popis.titulek));
        akce->setShortcut(Zkratka(popis.zkratka));
        akce->setEnabled(popis.povolena);
        akce->setIcon(imlMenu.value(popis.obrazek));
        NastavZnacku(akce, ZnackaPreklad);
        NastavHint(akce, Utf16(popis.hint));
        const TAkce co = popis.akce;
        connect(akce, &QAction::triggered, this, [this, co] {
            Chranene(sluzby_.Hlaseni, [&] { pravidla_.Proved(co); });
            pravidla_.PoAkci();
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
    for (const TPopisAkce& popis : vantrel::Akce) {
        QAction* akce = Akce(popis.akce);
        const QString kratky = KratkyHint(Hint(akce));
        const QString zkratka = akce->shortcut().toString(QKeySequence::PortableText);
        akce->setToolTip(
            TextTipu(zkratka.isEmpty() ? kratky : QStringLiteral("%1 (%2)").arg(kratky, zkratka)));
        akce->setStatusTip(DlouhyHint(Hint(akce)));
        akce->setIconText(akce->text() == Utf16(popis.titulek) ? Utf16(popis.naListe)
                                                               : akce->text());
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
    QStringList titulky;
    for (const TPopisSloupce& sloupec : SloupceSouboru)
        titulky.append(Utf16(sloupec.titulek));
    livSoubory->setHeaderLabels(titulky);
    // The date column is at least as wide as a whole time stamp in the font in use, which may
    // be wider than the one the widths were designed for.
    const int sirkaData = livSoubory->fontMetrics().horizontalAdvance(
                              Utf16(TextCasoveZnacky(HodnotaDatumu(2000, 12, 28, 23, 58, 58)))) +
                          2 * livSoubory->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    for (int sloupec = 0; sloupec < 4; ++sloupec) {
        const int sirka = Navrh(SloupceSouboru[sloupec].sirka, meritko_);
        livSoubory->setColumnWidth(sloupec, sloupec == 2 ? std::max(sirka, sirkaData) : sirka);
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

    auto zmena = [this] {
        if (!odstranuji_)
            Chranene(sluzby_.Hlaseni, [this] { pravidla_.livSouboryChange(); });
    };
    connect(livSoubory->model(), &QAbstractItemModel::rowsInserted, this, zmena);
    connect(livSoubory, &QTreeWidget::itemChanged, this, zmena);
    connect(livSoubory, &QTreeWidget::currentItemChanged, this, zmena);
    connect(livSoubory, &QTreeWidget::itemSelectionChanged, this, [this, zmena] {
        if (!odstranuji_)
            Chranene(sluzby_.Hlaseni, [this] { pravidla_.livSouborySelectItem(); });
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

// --- The view of the rules ----------------------------------------------------------------

int THlavniForm::PocetRadku() const {
    return livSoubory->topLevelItemCount();
}

std::u16string THlavniForm::CestaRadku(int radek) const {
    return livSoubory->topLevelItem(radek)->data(0, RoleCesta).toString().toStdU16String();
}

void THlavniForm::PridejRadek(const TPolozkaSouboru& polozka) {
    auto* radek = new TRadekSouboru(popisyStavu_);
    radek->setText(0, Utf16(polozka.titulek));
    radek->setData(0, RoleCesta, Utf16(polozka.cesta));
    radek->setText(1, Utf16(polozka.velikost));
    radek->setText(2, Utf16(polozka.datum));
    radek->setText(3, Utf16(polozka.typ));
    radek->setData(0, Qt::UserRole, static_cast<int>(StavCeka));
    radek->setIcon(0, imlSoubory.value(StavCeka));
    livSoubory->addTopLevelItem(radek);
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

bool THlavniForm::MaVybraneRadky() const {
    return !livSoubory->selectedItems().isEmpty();
}

void THlavniForm::OdstranVybraneRadky() {
    odstranuji_ = true;
    qDeleteAll(livSoubory->selectedItems());
    odstranuji_ = false;
}

void THlavniForm::OdstranVsechnyRadky() {
    odstranuji_ = true;
    livSoubory->clear();
    odstranuji_ = false;
}

void THlavniForm::PovolAkci(TAkce akce, bool povolena) {
    Akce(akce)->setEnabled(povolena);
}

void THlavniForm::NastavPocet(const std::u16string& text) {
    StatusPanel0->setText(Utf16(text));
}

void THlavniForm::NastavZpravu(const std::u16string& zacatek, const std::u16string& jmeno,
                               const std::u16string& konec) {
    if (zacatek.empty() && jmeno.empty() && konec.empty())
        StatusPanel1->clear();
    else
        StatusPanel1->NastavText(Utf16(zacatek), Utf16(jmeno), Utf16(konec));
}

bool THlavniForm::VyberVstupy(std::vector<std::u16string>& soubory) {
    if (!OpenTextFileDialog1->Execute())
        return false;
    for (const QString& cesta : OpenTextFileDialog1->Files())
        soubory.push_back(cesta.toStdU16String());
    return true;
}

bool THlavniForm::VyberVystup(std::u16string& soubor) {
    if (!SaveTextFileDialog1->Execute())
        return false;
    soubor = SaveTextFileDialog1->FileName().toStdU16String();
    return true;
}

bool THlavniForm::VyberJazyk(const TJazykXML& jazyk, std::u16string& kod, int& pozice) {
    if (jazykForm_ == nullptr)
        return false;
    const std::optional<TVolbaJazyka> volba = jazykForm_->Vyber(jazyk);
    if (!volba)
        return false;
    kod = volba->Kod;
    pozice = volba->Pozice;
    return true;
}

void THlavniForm::ZobrazOAplikaci() {
    if (oAplikaciForm_ != nullptr)
        oAplikaciForm_->exec();
}

void THlavniForm::NastavObrazekJazyka(int index) {
    // An index without an image (a seventh language) shows none.
    aJazyk->setIcon(imlMenu.value(index));
}

// The toolbar's captions and tooltips follow the actions' texts, also when the main window's
// translation stops half way.
void THlavniForm::PrelozOkna(const TJazykXML& jazyk) {
    try {
        PrelozFormular(jazyk, *this);
    } catch (...) {
        obnovPopiskyAkci();
        throw;
    }
    obnovPopiskyAkci();
    if (oAplikaciForm_ != nullptr)
        PrelozFormular(jazyk, *oAplikaciForm_);
    if (jazykForm_ != nullptr)
        PrelozFormular(jazyk, *jazykForm_);
}

void THlavniForm::NastavPristupneTexty(const TPristupneTexty& texty) {
    livSoubory->setAccessibleName(Utf16(texty.seznam));
    ActionToolBar1->setAccessibleName(Utf16(texty.lista));
    statusBar()->setAccessibleName(Utf16(texty.stavovyRadek));
    for (int stav = 0; stav < 2; ++stav)
        popisyStavu_[stav] = Utf16(texty.stavy[stav]);
}

void THlavniForm::Pipni() {
    QApplication::beep();
}

void THlavniForm::ZpracujUdalosti() {
    QCoreApplication::processEvents();
}

void THlavniForm::Zavri() {
    close();
}

QString THlavniForm::TextPoctu() const {
    return Utf16(pravidla_.TextPoctu());
}

// --- Settings -----------------------------------------------------------------------------

QRect THlavniForm::vnejsiObrys() const {
    // A minimised window is stored with the bounds it will have when restored.
    return isMinimized() ? normalGeometry().marginsAdded(ramecek_) : frameGeometry();
}

void THlavniForm::FormCreate() {
    TRegistr registr;
    pravidla_.NactiNastaveni(
        registr, [this](const TNastaveniOkna& nastaveni) { umistiNaObrazovku(nastaveni); });
}

// A placement that no screen can hold is corrected for this run; the stored values change only at
// the next close. The edges and sizes are placed as a whole, in 64 bits: an edge near the 32-bit
// limit plus the window's size would overflow a QRect. The minimum grows with the text size as
// far as the screen allows.
void THlavniForm::umistiNaObrazovku(const TNastaveniOkna& nastaveni) {
    if (nastaveni.maximalni)
        setWindowState(windowState() | Qt::WindowMaximized);
    bool ulozenaVelikost = false;
    const TObdelnik okno =
        UlozeneUmisteni(nastaveni, {x(), y(), width(), height()}, ulozenaVelikost);
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
    // Stored sizes are outer sizes; the frame is known only some time after the window is
    // shown, which then takes it off again.
    const QSize velikost(int(umisteni.Okno.Sirka), int(umisteni.Okno.Vyska));
    if (ulozenaVelikost)
        vnejsiVelikost_ = velikost;
    resize(velikost);
    move(int(umisteni.Okno.Vlevo), int(umisteni.Okno.Nahore));
}

void THlavniForm::FormClose() {
    TNastaveniOkna okno;
    okno.maximalni = isMaximized();
    if (!okno.maximalni) {
        const QRect obrys = vnejsiObrys();
        // Where the platform does not tell the position, the stored one stays as it was.
        if (PoziceOknaZnama()) {
            okno.vlevo = obrys.left();
            okno.nahore = obrys.top();
        }
        okno.vyska = obrys.height();
        okno.sirka = obrys.width();
    }
    TRegistr registr;
    pravidla_.UlozNastaveni(registr, okno);
}

// --- Language -----------------------------------------------------------------------------

std::u16string THlavniForm::CestaJazyka() const {
    if (!cestaJazyka_.isEmpty())
        return cestaJazyka_.toStdU16String();
    const std::u16string cesta = CestaJazykaUProgramu();
    if (!cesta.empty())
        return cesta;
    return (QCoreApplication::applicationDirPath() + QStringLiteral("/vtrl.xml")).toStdU16String();
}

void THlavniForm::NastavJazyk() {
    pravidla_.NastavJazyk(CestaJazyka());
}

// --- The window ---------------------------------------------------------------------------

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
    Chranene(sluzby_.Hlaseni, [this] { pravidla_.FormShow(CestaJazyka()); });
}

void THlavniForm::moveEvent(QMoveEvent* udalost) {
    QMainWindow::moveEvent(udalost);
    prizpusobRameckuOkna();
}

void THlavniForm::closeEvent(QCloseEvent* udalost) {
    if (!pravidla_.ZadostOZavreni()) {
        udalost->ignore();
        return;
    }
    Chranene(sluzby_.Hlaseni, [this] { FormClose(); });
    udalost->accept();
}

} // namespace vantrel
