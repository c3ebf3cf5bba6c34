#include "child_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

ChildFrame::ChildFrame(std::unique_ptr<QWidget> child) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(child.release());
    // Ctrl+F4 is the File menu's Close, which asks the child the same way;
    // two owners of one shortcut would leave it dead.
    for (QAction* action : systemMenu()->actions()) {
        if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
            action->setShortcuts({});
    }
}

void ChildFrame::closeHolding(QWidget& child) {
    for (QWidget* ancestor = child.parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* frame = qobject_cast<ChildFrame*>(ancestor)) {
            frame->close();
            return;
        }
    }
    child.close();
}

void ChildFrame::closeEvent(QCloseEvent* event) {
    // The child may refuse (unsaved work); only an accepted close unloads it.
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        emit unloading();
}
