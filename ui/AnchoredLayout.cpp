// The anchored layout of the windows.
#include "ui/AnchoredLayout.h"

#include <QWidget>

#include "ui/Twips.h"

namespace tavri {

void AnchoredLayout::place(QWidget* widget, int left, int top, int width, int height,
                           unsigned anchors) {
    placements_.push_back({widget, QRect(left, top, width, height), anchors});
    widget->setGeometry(TwipsRect(left, top, width, height));
}

QSize AnchoredLayout::designSize() const {
    return {TwipsToPixels(designWidth_), TwipsToPixels(designHeight_)};
}

void AnchoredLayout::apply(QSize area) const {
    const int dx = area.width() - TwipsToPixels(designWidth_);
    const int dy = area.height() - TwipsToPixels(designHeight_);
    for (const Placement& p : placements_) {
        QRect r = TwipsRect(p.twips.x(), p.twips.y(), p.twips.width(), p.twips.height());
        if (p.anchors & GrowWidth) {
            r.setWidth(r.width() + dx);
        }
        if (p.anchors & GrowHeight) {
            r.setHeight(r.height() + dy);
        }
        if (p.anchors & FollowRight) {
            r.translate(dx, 0);
        }
        if (p.anchors & FollowBottom) {
            r.translate(0, dy);
        }
        if (p.anchors & Centre) {
            r.translate(dx / 2, dy / 2);
        }
        p.widget->setGeometry(r);
    }
}

}  // namespace tavri
