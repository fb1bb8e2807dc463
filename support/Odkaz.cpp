#include "support/Odkaz.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <cmath>

namespace vantrel {

namespace {

constexpr double KontrastCitelny = 4.5;

// Screen readers see a link that they can press, not a label.
class TPristupnyOdkaz : public QAccessibleWidget {
public:
    explicit TPristupnyOdkaz(TOdkaz* odkaz) : QAccessibleWidget(odkaz, QAccessible::Link) {}

    QString text(QAccessible::Text druh) const override {
        if (druh == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const TOdkaz*>(widget())->text();
        return QAccessibleWidget::text(druh);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& akce) override {
        if (akce == pressAction())
            emit static_cast<TOdkaz*>(widget())->Aktivovan();
        else
            QAccessibleWidget::doAction(akce);
    }
};

QAccessibleInterface* PristupnyOdkaz(const QString&, QObject* objekt) {
    if (auto* odkaz = qobject_cast<TOdkaz*>(objekt))
        return new TPristupnyOdkaz(odkaz);
    return nullptr;
}

// Relative luminance of an sRGB colour.
double Jas(const QColor& barva) {
    const auto slozka = [](double hodnota) {
        return hodnota <= 0.03928 ? hodnota / 12.92 : std::pow((hodnota + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * slozka(barva.redF()) + 0.7152 * slozka(barva.greenF()) +
           0.0722 * slozka(barva.blueF());
}

} // namespace

const QColor TOdkaz::Modra(0, 0, 255);

TOdkaz::TOdkaz(const QString& adresa, QWidget* rodic) : QLabel(adresa, rodic) {
    static const bool pristupny = (QAccessible::installFactory(PristupnyOdkaz), true);
    Q_UNUSED(pristupny);
    setTextFormat(Qt::PlainText);
    QFont podtrzene = font();
    podtrzene.setUnderline(true);
    setFont(podtrzene);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    obarvi();
}

double TOdkaz::Kontrast(const QColor& a, const QColor& b) {
    const double jasA = Jas(a), jasB = Jas(b);
    return (std::max(jasA, jasB) + 0.05) / (std::min(jasA, jasB) + 0.05);
}

QColor TOdkaz::BarvaOdkazu(const QColor& pozadi, const QColor& barvaPalety) {
    return Kontrast(Modra, pozadi) >= KontrastCitelny ? Modra : barvaPalety;
}

void TOdkaz::obarvi() {
    QPalette paleta = palette();
    const QColor barva = BarvaOdkazu(paleta.color(QPalette::Window), paleta.color(QPalette::Link));
    if (paleta.color(QPalette::WindowText) == barva)
        return;
    paleta.setColor(QPalette::WindowText, barva);
    obarvuji_ = true;
    setPalette(paleta);
    obarvuji_ = false;
}

void TOdkaz::changeEvent(QEvent* udalost) {
    QLabel::changeEvent(udalost);
    if (udalost->type() == QEvent::PaletteChange && !obarvuji_)
        obarvi();
}

void TOdkaz::mouseReleaseEvent(QMouseEvent* udalost) {
    // Pressed on the link but released beside it is no click.
    if (udalost->button() == Qt::LeftButton && rect().contains(udalost->position().toPoint())) {
        udalost->accept();
        emit Aktivovan();
        return;
    }
    QLabel::mouseReleaseEvent(udalost);
}

void TOdkaz::keyPressEvent(QKeyEvent* udalost) {
    switch (udalost->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        udalost->accept();
        emit Aktivovan();
        return;
    default:
        QLabel::keyPressEvent(udalost);
    }
}

void TOdkaz::paintEvent(QPaintEvent* udalost) {
    QLabel::paintEvent(udalost);
    if (!hasFocus())
        return;
    QStylePainter malir(this);
    QStyleOptionFocusRect volba;
    volba.initFrom(this);
    volba.backgroundColor = palette().color(QPalette::Window);
    malir.drawPrimitive(QStyle::PE_FrameFocusRect, volba);
}

} // namespace vantrel
