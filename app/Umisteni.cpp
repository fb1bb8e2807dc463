#include "app/Umisteni.h"

#include <QPoint>
#include <algorithm>

namespace vantrel {

QRect UmisteniNaObrazovkach(const QRect& okno, const QList<QRect>& plochy, const QSize& minimum) {
    if (plochy.isEmpty())
        return okno;
    // The screen the window is on, or the one whose centre is nearest to the window's.
    const QRect* plocha = nullptr;
    qint64 nejmensiVzdalenost = 0;
    for (const QRect& p : plochy) {
        const QPoint rozdil = p.center() - okno.center();
        const qint64 vzdalenost =
            p.intersects(okno) ? -1
                               : qint64(rozdil.x()) * rozdil.x() + qint64(rozdil.y()) * rozdil.y();
        if (plocha == nullptr || vzdalenost < nejmensiVzdalenost) {
            plocha = &p;
            nejmensiVzdalenost = vzdalenost;
        }
    }
    QRect vysledek(okno.topLeft(), okno.size().boundedTo(plocha->size()).expandedTo(minimum));
    if (nejmensiVzdalenost >= 0) {
        vysledek.moveLeft(
            std::clamp(vysledek.left(), plocha->left(),
                       std::max(plocha->left(), plocha->right() - vysledek.width() + 1)));
        vysledek.moveTop(
            std::clamp(vysledek.top(), plocha->top(),
                       std::max(plocha->top(), plocha->bottom() - vysledek.height() + 1)));
    }
    return vysledek;
}

} // namespace vantrel
