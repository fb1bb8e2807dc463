#pragma once

#include <QLabel>

namespace vantrel {

// A panel of the status bar, in plain text. A text too long for the panel is elided: in the
// middle of its file name where it has one, so the size after the name always shows; the whole
// text is the panel's tooltip. A panel with a designed width is that wide, or as wide as its
// text; one without takes the room it gets.
class TPanelStavu : public QLabel {
    Q_OBJECT

public:
    explicit TPanelStavu(QWidget* rodic, int navrzenaSirka = 0);

    // The panel's text, elided at its end where it does not fit. (These hide QLabel's own, which
    // would leave the tooltip behind.)
    void setText(const QString& text);
    void clear() { setText(QString()); }
    // A text of three parts, of which only `jmeno`, a file name, is elided; when even its
    // ellipsis leaves no room, `pred` gives way at its end. `po` is never cut.
    void NastavText(const QString& pred, const QString& jmeno, const QString& po);
    // The text as the panel shows it.
    QString ZobrazenyText() const;

    void NastavNavrzenouSirku(int sirka);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* udalost) override;

private:
    int navrzenaSirka_ = 0;
    QString pred_, jmeno_, po_;
};

} // namespace vantrel
