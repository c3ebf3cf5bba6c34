#include "form_center.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

bool FormCenter(QWidget& frm) {
    const QRect area =
        frm.isWindow() ? frm.screen()->availableGeometry() : frm.parentWidget()->rect();
    const QSize size = frm.frameGeometry().size();
    // A window larger than the area keeps its title bar within reach.
    const int left = std::max(area.left(), area.left() + (area.width() - size.width()) / 2);
    const int top = std::max(area.top(), area.top() + (area.height() - size.height()) / 2);
    frm.move(left, top);
    return true;
}
