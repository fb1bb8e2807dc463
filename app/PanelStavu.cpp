#include "app/PanelStavu.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace vantrel {

TPanelStavu::TPanelStavu(QWidget* rodic, int navrzenaSirka) : QLabel(rodic) {
    // A file name or a translated text is never read as markup.
    setTextFormat(Qt::PlainText);
    NastavNavrzenouSirku(navrzenaSirka);
}

void TPanelStavu::NastavNavrzenouSirku(int sirka) {
    navrzenaSirka_ = sirka;
    setSizePolicy(sirka > 0 ? QSizePolicy::Fixed : QSizePolicy::Ignored, QSizePolicy::Preferred);
    updateGeometry();
}

void TPanelStavu::setText(const QString& text) {
    NastavText(text, QString(), QString());
}

void TPanelStavu::NastavText(const QString& pred, const QString& jmeno, const QString& po) {
    pred_ = pred;
    jmeno_ = jmeno;
    po_ = po;
    const QString cely = pred + jmeno + po;
    QLabel::setText(cely);
    setToolTip(cely);
}

QString TPanelStavu::ZobrazenyText() const {
    const QFontMetrics metrika = fontMetrics();
    const int sirka = contentsRect().width();
    const QString cely = text();
    if (metrika.horizontalAdvance(cely) <= sirka)
        return cely;
    const int zbyva = sirka - metrika.horizontalAdvance(po_);
    if (!jmeno_.isEmpty()) {
        const QString jmeno =
            metrika.elidedText(jmeno_, Qt::ElideMiddle, zbyva - metrika.horizontalAdvance(pred_));
        const QString text = pred_ + jmeno + po_;
        if (!jmeno.isEmpty() && metrika.horizontalAdvance(text) <= sirka)
            return text;
    }
    return metrika.elidedText(pred_ + jmeno_, Qt::ElideRight, std::max(0, zbyva)) + po_;
}

QSize TPanelStavu::sizeHint() const {
    const QSize textu = QLabel::sizeHint();
    return {std::max(navrzenaSirka_, textu.width()), textu.height()};
}

// A panel without a designed width never makes the window wider: it elides instead.
QSize TPanelStavu::minimumSizeHint() const {
    if (navrzenaSirka_ > 0)
        return sizeHint();
    return {fontMetrics().horizontalAdvance(QChar(0x2026)), QLabel::minimumSizeHint().height()};
}

void TPanelStavu::paintEvent(QPaintEvent*) {
    QPainter malir(this);
    drawFrame(&malir);
    style()->drawItemText(&malir, contentsRect(),
                          QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), ZobrazenyText(), foregroundRole());
}

} // namespace vantrel
