#include "support/fOAplikaci.h"

#include "support/MeritkoQt.h"
#include "support/SoubUtility.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

namespace vantrel {

namespace {

// The translation mark that the language engine looks for (lang/Znacky.h); support/ cannot
// include lang/, so the property is set by name.
void OznacKPrekladu(QObject* objekt) {
    objekt->setProperty("Tag", -1);
}

QLabel* Popisek(QWidget* rodic, const char* jmeno, const QString& text) {
    auto* popisek = new QLabel(text, rodic);
    popisek->setObjectName(QLatin1String(jmeno));
    popisek->setTextFormat(Qt::PlainText);
    return popisek;
}

// The design, in pixels at 96 dpi: the client area, the margins, and the parts' places and sizes.
constexpr int SirkaNavrhu = 376;
constexpr int Okraj = 8, PravyOkraj = 7; // to Bevel1's and lblVerze's right edge
constexpr int VyskaNazvu = 45, SirkaNazvu = 254, PismoNazvu = 30;
constexpr int VerzeNahore = 40;
constexpr int RamecekNahore = 59, SirkaRamecku = 361, VyskaRamecku = 30;
constexpr int SirkaPopisu = 329, VyskaPopisu = 13;
constexpr int OkrajPopisu = 16, NadPopisem = 8; // around the description inside the frame
constexpr int Mezera = 6;                       // from the frame to the copyright line
constexpr int RadekTlacitka = 25;               // from the copyright line to the button
constexpr int SirkaZavrit = 75, VyskaTlacitka = 25;

} // namespace

TOAplikaciForm::TOAplikaciForm(QWidget* rodic, const QString& cestaProgramu)
    : QDialog(rodic, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      meritko_(MeritkoNavrhu(font())) {
    setObjectName(QStringLiteral("OAplikaciForm"));
    setWindowTitle(QStringLiteral("O aplikaci"));
    OznacKPrekladu(this);
    VytvorPopisky();
    FormCreate(cestaProgramu.isEmpty() ? QCoreApplication::applicationFilePath() : cestaProgramu);
    Rozmisti();
}

void TOAplikaciForm::VytvorPopisky() {
    m_Label1 = Popisek(this, "Label1", QStringLiteral("Vantrel 3"));
    QFont nazev = m_Label1->font();
    nazev.setBold(true);
    nazev.setPixelSize(Navrh(PismoNazvu, meritko_));
    m_Label1->setFont(nazev);
    QPalette zelena = m_Label1->palette();
    zelena.setColor(QPalette::WindowText, QColor(0, 128, 0));
    m_Label1->setPalette(zelena);
    m_Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_lblVerze = Popisek(this, "lblVerze", QString());
    m_lblVerze->setAlignment(Qt::AlignRight | Qt::AlignTop);

    m_Bevel1 = new QFrame(this);
    m_Bevel1->setObjectName(QStringLiteral("Bevel1"));
    m_Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    m_lblPopis =
        Popisek(this, "lblPopis", QStringLiteral("Spojování textových souborů do jednoho"));
    QFont tucne = m_lblPopis->font();
    tucne.setBold(true);
    m_lblPopis->setFont(tucne);
    m_lblPopis->setAlignment(Qt::AlignCenter);
    OznacKPrekladu(m_lblPopis);

    m_Label2 = Popisek(this, "Label2", QStringLiteral("© 2026 Tarsk"));

    m_lblURL = new TOdkaz(QStringLiteral("https://tarsk.example.com/vantrel"), this);
    m_lblURL->setObjectName(QStringLiteral("lblURL"));
    m_lblURL->setAlignment(Qt::AlignRight | Qt::AlignTop);
    connect(m_lblURL, &TOdkaz::Aktivovan, this, &TOAplikaciForm::lblURLClick);

    m_btnZavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    m_btnZavrit->setObjectName(QStringLiteral("btnZavrit"));
    m_btnZavrit->setDefault(true);
    OznacKPrekladu(m_btnZavrit);
    // Esc rejects the dialog as well (QDialog), so the button is also the cancel button.
    connect(m_btnZavrit, &QPushButton::clicked, this, &QDialog::reject);
    m_btnZavrit->setFocus();
    // Tab goes between the button and the link.
    setTabOrder(m_btnZavrit, m_lblURL);
}

void TOAplikaciForm::FormCreate(const QString& cestaProgramu) {
    m_lblVerze->setText(QString::fromStdU16String(
        TSouboroveInfo().VerzeSouboru(cestaProgramu.toStdU16String(), 3)));
}

// Every part keeps its designed place and size, grown with the text size; where a text needs
// more, its part grows and the parts below or beside it move, and the dialog with them.
void TOAplikaciForm::Rozmisti() {
    const auto n = [this](int delka) { return Navrh(delka, meritko_); };
    for (QWidget* w : {static_cast<QWidget*>(m_Label1), static_cast<QWidget*>(m_lblVerze),
                       static_cast<QWidget*>(m_lblPopis), static_cast<QWidget*>(m_Label2),
                       static_cast<QWidget*>(m_lblURL)})
        w->adjustSize();
    const QSize nazev(std::max(n(SirkaNazvu), m_Label1->width()),
                      std::max(n(VyskaNazvu), m_Label1->height()));
    const int pridano = nazev.height() - n(VyskaNazvu);
    const QSize popis(std::max(n(SirkaPopisu), m_lblPopis->width()),
                      std::max(n(VyskaPopisu), m_lblPopis->height()));
    const QSize ramecek(std::max(n(SirkaRamecku), popis.width() + 2 * n(OkrajPopisu)),
                        std::max(n(VyskaRamecku), popis.height() + 2 * n(NadPopisem)));
    const QSize tlacitko(SirkaTlacitka(*m_btnZavrit, n(SirkaZavrit)),
                         std::max(n(VyskaTlacitka), m_btnZavrit->sizeHint().height()));
    const int sirka = std::max(
        {n(SirkaNavrhu), n(Okraj) + nazev.width() + n(Okraj) + m_lblVerze->width() + n(PravyOkraj),
         n(Okraj) + ramecek.width() + n(PravyOkraj),
         n(Okraj) + m_Label2->width() + 2 * n(Okraj) + m_lblURL->width() + n(Okraj),
         n(Okraj) + tlacitko.width() + n(Okraj)});

    m_Label1->setGeometry(QRect(QPoint(n(Okraj), n(Okraj)), nazev));
    m_lblVerze->move(sirka - n(PravyOkraj) - m_lblVerze->width(), n(VerzeNahore) + pridano);
    const QRect ramecekMisto(QPoint(n(Okraj), n(RamecekNahore) + pridano), ramecek);
    m_Bevel1->setGeometry(ramecekMisto);
    m_lblPopis->setGeometry(
        QRect(QPoint(), popis).translated(ramecekMisto.center() - QRect(QPoint(), popis).center()));
    const int radek = ramecekMisto.bottom() + 1 + n(Mezera);
    m_Label2->move(n(Okraj), radek);
    m_lblURL->move(sirka - n(Okraj) - m_lblURL->width(), radek);
    const int vyskaRadku = std::max(m_Label2->height(), m_lblURL->height());
    const int tlacitkoNahore = radek + std::max(n(RadekTlacitka), vyskaRadku + n(Mezera));
    m_btnZavrit->setGeometry(
        QRect(QPoint(sirka - n(Okraj) - tlacitko.width(), tlacitkoNahore), tlacitko));
    setFixedSize(sirka, tlacitkoNahore + tlacitko.height() + n(Okraj));
}

void TOAplikaciForm::lblURLClick() {
    QDesktopServices::openUrl(QUrl(m_lblURL->text()));
}

void TOAplikaciForm::changeEvent(QEvent* udalost) {
    QDialog::changeEvent(udalost);
    if (udalost->type() == QEvent::FontChange)
        Rozmisti();
}

void TOAplikaciForm::setVisible(bool viditelny) {
    if (viditelny && !isVisible()) {
        Rozmisti();
        // Centred over the parent on every show, not only until the first move.
        setAttribute(Qt::WA_Moved, false);
        m_btnZavrit->setFocus();
    }
    QDialog::setVisible(viditelny);
}

} // namespace vantrel
