#include "frame_menus.h"

#include "maker_addresses.h"
#include "shell_icons.h"

#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* addMenu(QMenuBar& bar, const QString& name, const QString& caption) {
    QMenu* menu = bar.addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* addItem(QMenu& menu, const QString& name, const QString& caption,
                 const QString& iconKey = {}, const QKeySequence& shortcut = {}) {
    QAction* item = menu.addAction(caption);
    item->setObjectName(name);
    item->setShortcut(shortcut);
    if (!iconKey.isEmpty())
        item->setIcon(shellIcon(iconKey));
    return item;
}

void addSeparator(QMenu& menu, const QString& name) {
    menu.addSeparator()->setObjectName(name);
}

QString item(const char* menu, int index) {
    return QString::fromLatin1(menu) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

} // namespace

FrameMenus buildFrameMenus(QMenuBar& bar) {
    FrameMenus menus{};

    QMenu* file = addMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    menus.fileNew = addItem(*file, item("mnuFile", 0), QStringLiteral("&New"),
                            QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    menus.fileOpen = addItem(*file, item("mnuFile", 2), QStringLiteral("&Open"),
                             QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    menus.fileOpenSurvey =
        addItem(*file, QStringLiteral("mnuFileOpenSurvey"), QStringLiteral("Open S&urvey..."));
    menus.fileRecent = file->addMenu(QStringLiteral("Open &Recent"));
    menus.fileRecent->setObjectName(QStringLiteral("mnuFileRecent"));
    menus.fileRecent->menuAction()->setObjectName(QStringLiteral("mnuFileRecent"));
    menus.fileSave = addItem(*file, item("mnuFile", 4), QStringLiteral("&Save"),
                             QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    menus.fileSaveAs =
        addItem(*file, QStringLiteral("mnuFileSaveAs"), QStringLiteral("Save Survey &As..."));
    menus.fileClose = addItem(*file, item("mnuFile", 6), QStringLiteral("&Close"),
                              QStringLiteral("Close"), QKeySequence(Qt::CTRL | Qt::Key_F4));
    addSeparator(*file, item("mnuFile", 10));
    menus.filePrintPreview = addItem(*file, item("mnuFile", 12), QStringLiteral("Print Pre&view"),
                                     QStringLiteral("PrintPreview"));
    menus.filePrint = addItem(*file, item("mnuFile", 14), QStringLiteral("&Print"),
                              QStringLiteral("Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    addSeparator(*file, QStringLiteral("mnuFileReconnectBar"));
    menus.fileReconnect = addItem(*file, QStringLiteral("mnuFileReconnect"),
                                  QStringLiteral("Reco&nnect to the Register"));
    addSeparator(*file, item("mnuFile", 16));
    // Exit shows the Close image.
    menus.fileExit =
        addItem(*file, item("mnuFile", 18), QStringLiteral("E&xit"), QStringLiteral("Close"));

    QMenu* shipData = addMenu(bar, QStringLiteral("mnuShipData"), QStringLiteral("&Ship Data"));
    menus.shipParticulars =
        addItem(*shipData, item("mnuShipData", 5), QStringLiteral("&Ship Particulars"),
                QStringLiteral("ShipParticulars"));
    menus.hydrostaticTables = addItem(*shipData, QStringLiteral("mnuShipDataTables"),
                                      QStringLiteral("&Hydrostatic Tables"));
    menus.port = addItem(*shipData, item("mnuShipData", 20), QStringLiteral("&Port"),
                         QStringLiteral("PortMaster"));

    QMenu* survey = addMenu(bar, QStringLiteral("mnuCalvane"), QStringLiteral("&Draft Survey"));
    menus.loading = addItem(*survey, item("mnuCalvane", 5), QStringLiteral("&Loading"),
                            QStringLiteral("Loading"));
    menus.discharging = addItem(*survey, item("mnuCalvane", 10), QStringLiteral("Disch&arging"),
                                QStringLiteral("Discharging"));

    QMenu* tools = addMenu(bar, QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    menus.calculator = addItem(*tools, item("mnuTools", 5), QStringLiteral("&Calculator"),
                               QStringLiteral("Calculator"));
    menus.notepad = addItem(*tools, item("mnuTools", 10), QStringLiteral("&Notepad"),
                            QStringLiteral("Notepad"));

    menus.window = addMenu(bar, QStringLiteral("mnuWindow"), QStringLiteral("&Window"));

    QMenu* help = addMenu(bar, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    menus.dailyTips = addItem(*help, item("mnuHelp", 5), QStringLiteral("&Daily Tips"),
                              QStringLiteral("TipOfDay"));
    menus.contents = addItem(*help, item("mnuHelp", 6), QStringLiteral("&Contents"),
                             QStringLiteral("Help"), QKeySequence(Qt::Key_F1));
    addSeparator(*help, item("mnuHelp", 7));
    menus.technicalSupport =
        addItem(*help, item("mnuHelp", 10), QStringLiteral("&Technical Support"),
                QStringLiteral("TechSupport"));
    QMenu* links = help->addMenu(QStringLiteral("Calvane on the &Web"));
    links->setObjectName(QStringLiteral("mnuHelp2"));
    links->menuAction()->setObjectName(item("mnuHelp", 13));
    int linkIndex = 5;
    for (const WebLink& link : makerWebLinks()) {
        menus.webLinks.append(addItem(*links, item("mnuHelp2", linkIndex), link.caption));
        linkIndex += 5;
    }
    menus.submitBugs = addItem(*help, item("mnuHelp", 15), QStringLiteral("&Submit bugs"));
    addSeparator(*help, item("mnuHelp", 16));
    menus.about = addItem(*help, item("mnuHelp", 20), QStringLiteral("&About Calvane Lt...."));
    return menus;
}
