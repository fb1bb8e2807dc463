#include "support/fOAplikaci.h"

#include "support/SoubUtility.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
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
    return popisek;
}

// Right edge of lblVerze and lblURL, and the description's band inside Bevel1.
constexpr int PravyOkrajVerze = 369;
constexpr int PravyOkrajURL = 368;
constexpr int PopisX = 24, PopisY = 68, PopisSirka = 329, PopisVyska = 13;

} // namespace

TOAplikaciForm::TOAplikaciForm(QWidget* rodic, const QString& cestaProgramu)
    : QDialog(rodic, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("OAplikaciForm"));
    setWindowTitle(QStringLiteral("O aplikaci"));
    setFixedSize(376, 153);
    OznacKPrekladu(this);
    VytvorPopisky();
    FormCreate(cestaProgramu.isEmpty() ? QCoreApplication::applicationFilePath() : cestaProgramu);
    UmistiPopisky();
}

void TOAplikaciForm::VytvorPopisky() {
    m_Label1 = Popisek(this, "Label1", QStringLiteral("Vantrel 3"));
    QFont nazev = m_Label1->font();
    nazev.setBold(true);
    nazev.setPixelSize(30);
    m_Label1->setFont(nazev);
    QPalette zelena = m_Label1->palette();
    zelena.setColor(QPalette::WindowText, QColor(0, 128, 0));
    m_Label1->setPalette(zelena);
    m_Label1->setGeometry(8, 8, 254, 45);
    m_Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_lblVerze = Popisek(this, "lblVerze", QString());
    m_lblVerze->setAlignment(Qt::AlignRight | Qt::AlignTop);

    m_Bevel1 = new QFrame(this);
    m_Bevel1->setObjectName(QStringLiteral("Bevel1"));
    m_Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_Bevel1->setGeometry(8, 59, 361, 30);

    m_lblPopis =
        Popisek(this, "lblPopis", QStringLiteral("Spojování textových souborů do jednoho"));
    QFont tucne = m_lblPopis->font();
    tucne.setBold(true);
    m_lblPopis->setFont(tucne);
    m_lblPopis->setAlignment(Qt::AlignCenter);
    OznacKPrekladu(m_lblPopis);

    m_Label2 = Popisek(this, "Label2", QStringLiteral("© 2026 Tarsk"));

    m_lblURL = Popisek(this, "lblURL", QStringLiteral("https://tarsk.example.com/vantrel"));
    QPalette modra = m_lblURL->palette();
    modra.setColor(QPalette::WindowText, QColor(0, 0, 255));
    m_lblURL->setPalette(modra);
    QFont podtrzene = m_lblURL->font();
    podtrzene.setUnderline(true);
    m_lblURL->setFont(podtrzene);
    m_lblURL->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_lblURL->setCursor(Qt::PointingHandCursor);
    m_lblURL->installEventFilter(this);

    m_btnZavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    m_btnZavrit->setObjectName(QStringLiteral("btnZavrit"));
    m_btnZavrit->setGeometry(293, 120, 75, 25);
    m_btnZavrit->setDefault(true);
    OznacKPrekladu(m_btnZavrit);
    // Esc rejects the dialog as well (QDialog), so the button is also the cancel button.
    connect(m_btnZavrit, &QPushButton::clicked, this, &QDialog::reject);
    m_btnZavrit->setFocus();
}

void TOAplikaciForm::FormCreate(const QString& cestaProgramu) {
    m_lblVerze->setText(TSouboroveInfo().VerzeSouboru(cestaProgramu, 3));
}

void TOAplikaciForm::UmistiPopisky() {
    m_lblVerze->adjustSize();
    m_lblVerze->move(PravyOkrajVerze - m_lblVerze->width(), 40);
    m_Label2->adjustSize();
    m_Label2->move(8, 95);
    m_lblURL->adjustSize();
    m_lblURL->move(PravyOkrajURL - m_lblURL->width(), 95);

    // The band keeps its centre; it grows only to fit the font or a longer translation, and
    // never beyond the inside of the frame.
    const QFontMetrics metrika(m_lblPopis->font());
    const QRect vnitrek = m_Bevel1->geometry().adjusted(2, 2, -2, -2);
    const int vyska = std::min(std::max(PopisVyska, metrika.height()), vnitrek.height());
    const int sirka = std::min(std::max(PopisSirka, metrika.horizontalAdvance(m_lblPopis->text())),
                               vnitrek.width());
    const QPoint stred(PopisX + PopisSirka / 2, PopisY + PopisVyska / 2);
    m_lblPopis->setGeometry(stred.x() - sirka / 2, stred.y() - vyska / 2, sirka, vyska);
}

void TOAplikaciForm::lblURLClick() {
    QDesktopServices::openUrl(QUrl(m_lblURL->text()));
}

bool TOAplikaciForm::eventFilter(QObject* objekt, QEvent* udalost) {
    if (objekt == m_lblURL && udalost->type() == QEvent::MouseButtonRelease) {
        const auto* mys = static_cast<QMouseEvent*>(udalost);
        if (mys->button() == Qt::LeftButton &&
            m_lblURL->rect().contains(mys->position().toPoint())) {
            lblURLClick();
            return true;
        }
    }
    return QDialog::eventFilter(objekt, udalost);
}

void TOAplikaciForm::setVisible(bool viditelny) {
    if (viditelny && !isVisible()) {
        UmistiPopisky();
        // Centred over the parent on every show, not only until the first move.
        setAttribute(Qt::WA_Moved, false);
        m_btnZavrit->setFocus();
    }
    QDialog::setVisible(viditelny);
}

} // namespace vantrel
