#include "frame_toolbar.h"

#include "shell_icons.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QToolBar>

namespace {

QAction* addButton(QToolBar& toolbar, const QString& tag, const QString& toolTip) {
    QAction* button = toolbar.addAction(shellIcon(tag), toolTip);
    button->setObjectName(tag);
    button->setData(tag);
    button->setToolTip(toolTip);
    return button;
}

} // namespace

FrameToolbar buildFrameToolbar(QWidget& parent) {
    FrameToolbar bar{};
    bar.coolBar = new QFrame(&parent);
    bar.coolBar->setObjectName(QStringLiteral("cbMDI"));
    bar.coolBar->setFrameShape(QFrame::StyledPanel);
    bar.coolBar->setFrameShadow(QFrame::Raised);

    bar.toolbar = new QToolBar(bar.coolBar);
    bar.toolbar->setObjectName(QStringLiteral("tbrMDI"));
    bar.toolbar->setFloatable(false);
    bar.toolbar->setMovable(false);
    bar.newRecord = addButton(*bar.toolbar, QStringLiteral("New"), QStringLiteral("New"));
    bar.save = addButton(*bar.toolbar, QStringLiteral("Save"), QStringLiteral("Save"));
    bar.toolbar->addSeparator();
    bar.print = addButton(*bar.toolbar, QStringLiteral("Print"), QStringLiteral("Print"));
    bar.printPreview =
        addButton(*bar.toolbar, QStringLiteral("PrintPreview"), QStringLiteral("Print Preview"));
    bar.toolbar->addSeparator();
    bar.deleteRecord = addButton(*bar.toolbar, QStringLiteral("Delete"), QStringLiteral("Delete"));
    bar.toolbar->addSeparator();
    bar.close = addButton(*bar.toolbar, QStringLiteral("Close"), QStringLiteral("Close"));

    auto* bands = new QHBoxLayout(bar.coolBar);
    bands->setContentsMargins(2, 2, 2, 2);
    bands->addWidget(bar.toolbar);
    bands->addStretch();
    return bar;
}
