#pragma once

#include <QColor>
#include <QLabel>

namespace vantrel {

// A web address shown as a link: underlined, in the designed blue where that reads against the
// window's background and in the palette's link colour where it does not (a dark palette). A
// click, or Enter or Space once Tab has brought the focus to it, activates it; screen readers
// see a link named by its address, which they can press.
class TOdkaz : public QLabel {
    Q_OBJECT

public:
    TOdkaz(const QString& adresa, QWidget* rodic);

    // The designed colour of a link.
    static const QColor Modra;
    // The colour in which the link is drawn against `pozadi` with `paleta`'s link colour.
    static QColor BarvaOdkazu(const QColor& pozadi, const QColor& barvaPalety);
    // How far apart two colours are in lightness, as the contrast ratio from 1 to 21 of the web's
    // accessibility guidelines; text reads from 4.5 on.
    static double Kontrast(const QColor& a, const QColor& b);

signals:
    void Aktivovan();

protected:
    void mouseReleaseEvent(QMouseEvent* udalost) override;
    void keyPressEvent(QKeyEvent* udalost) override;
    void paintEvent(QPaintEvent* udalost) override;
    void changeEvent(QEvent* udalost) override;

private:
    void obarvi();

    bool obarvuji_ = false;
};

} // namespace vantrel
