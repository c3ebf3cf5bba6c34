#include "form_center.h"

#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// The screen a window will show on: a dialog's is its owner's.
QScreen* screenOf(const QWidget& frm) {
    const QWidget* owner = frm.parentWidget() ? frm.parentWidget()->window() : &frm;
    return owner->screen();
}

} // namespace

bool FormCenter(QWidget& frm) {
    // Before its first show a window still has Qt's default size; what its
    // layout asks for is the size it will show with, unless a size was set.
    if (!frm.isVisible() && !frm.testAttribute(Qt::WA_Resized)) {
        if (frm.layout())
            frm.layout()->activate();
        frm.adjustSize();
    }
    const QRect area =
        frm.isWindow() ? screenOf(frm)->availableGeometry() : frm.parentWidget()->rect();
    const QSize size = frm.frameGeometry().size();
    // A window larger than the area keeps its title bar within reach.
    const int left = std::max(area.left(), area.left() + (area.width() - size.width()) / 2);
    const int top = std::max(area.top(), area.top() + (area.height() - size.height()) / 2);
    frm.move(left, top);
    return true;
}
