#include "master_windows.h"
#include "shell_fixture.h"
#include "working_windows.h"

#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

// The menus open the real windows, each enabling its own commands, and the
// File menu's commands reach them.
class TestWorksheetWindows : public QObject {
    Q_OBJECT

private slots:
    void draftSurveyMenuOpensTheWorksheets_data();
    void draftSurveyMenuOpensTheWorksheets();
    void eachWindowEnablesItsCommands_data();
    void eachWindowEnablesItsCommands();
    void tablesButtonShowsTheShipsTables();
    void masterWindowsLeaveTheMenuKeysAlone();
};

void TestWorksheetWindows::draftSurveyMenuOpensTheWorksheets_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("loading") << "mnuCalvane(5)"
                             << "frmCalvane"
                             << "Draft Survey-[Loading]";
    QTest::newRow("discharging") << "mnuCalvane(10)"
                                 << "frmDSDispatch"
                                 << "Draft Survey-[Discharging]";
}

void TestWorksheetWindows::draftSurveyMenuOpensTheWorksheets() {
    QFETCH(QString, item);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    Shell shell;
    registerWorkingWindows(shell.registry);
    frmMDI& frame = shell.makeFrame();
    frame.show();
    QAction* open = shell.find(item.toLatin1().constData());
    QVERIFY(open->isEnabled());
    open->trigger();
    QMdiSubWindow* child = frame.mdiArea().currentSubWindow();
    QVERIFY(child);
    QCOMPARE(child->widget()->objectName(), window);
    QCOMPARE(child->windowTitle(), caption);
    QCOMPARE(frame.openChildren(), 1);
    QVERIFY(shell.find("mnuFile(14)")->isEnabled());
    QVERIFY(shell.find("mnuFile(4)")->isEnabled());
    // Print Preview and Print reach the worksheet's own printing.
    shell.find("mnuFile(12)")->trigger();
    shell.find("mnuFile(14)")->trigger();
    const QString noShip = QStringLiteral("Please select ship name first.");
    QCOMPARE(shell.messages.texts(), QStringList({noShip, noShip}));
    shell.messages.clear();
    shell.find("mnuFile(6)")->trigger();
    QCOMPARE(frame.openChildren(), 0);
    QVERIFY(!shell.find("mnuFile(14)")->isEnabled());
    QCOMPARE(shell.messages.texts(), QStringList());
}

void TestWorksheetWindows::eachWindowEnablesItsCommands_data() {
    QTest::addColumn<QString>("item");
    // The toolbar buttons enabled, in their order.
    QTest::addColumn<QString>("enabled");
    QTest::newRow("loading") << "mnuCalvane(5)"
                             << "Save Print PrintPreview Close";
    QTest::newRow("discharging") << "mnuCalvane(10)"
                                 << "Save Print PrintPreview Close";
    // Opened on the register's first ship.
    QTest::newRow("ship particulars") << "mnuShipData(5)"
                                      << "New Save Delete Close";
    // Opened on the first ship, which has no table.
    QTest::newRow("hydrostatic tables") << "mnuShipDataTables"
                                        << "Close";
    // Opened on a new entry.
    QTest::newRow("port") << "mnuShipData(20)"
                          << "Save Close";
}

void TestWorksheetWindows::eachWindowEnablesItsCommands() {
    QFETCH(QString, item);
    QFETCH(QString, enabled);
    Shell shell;
    registerWorkingWindows(shell.registry);
    registerMasterWindows(shell.registry);
    frmMDI& frame = shell.makeFrame();
    frame.show();
    shell.find(item.toLatin1().constData())->trigger();
    QCOMPARE(frame.openChildren(), 1);

    // Each button and its File menu items (Delete has none) go together.
    const std::pair<const char*, QStringList> commands[] = {
        {"New", {QStringLiteral("mnuFile(0)")}},
        {"Save", {QStringLiteral("mnuFile(4)"), QStringLiteral("mnuFileSaveAs")}},
        {"Print", {QStringLiteral("mnuFile(14)")}},
        {"PrintPreview", {QStringLiteral("mnuFile(12)")}},
        {"Delete", {}},
        {"Close", {QStringLiteral("mnuFile(6)")}},
    };
    auto* toolbar = shell.find<QToolBar>("tbrMDI");
    QStringList on;
    for (const auto& [tag, items] : commands) {
        const bool buttonOn = toolbar->findChild<QAction*>(QString::fromLatin1(tag))->isEnabled();
        if (buttonOn)
            on << QString::fromLatin1(tag);
        for (const QString& name : items)
            QVERIFY2(shell.find(name.toLatin1().constData())->isEnabled() == buttonOn,
                     qPrintable(name));
    }
    QCOMPARE(on.join(QLatin1Char(' ')), enabled);
}

// The button on Ship Particulars brings the tables window forward on the
// ship shown there, whatever ship it showed before.
void TestWorksheetWindows::tablesButtonShowsTheShipsTables() {
    Shell shell;
    registerMasterWindows(shell.registry);
    gcnnStore->execute(
        QStringLiteral("INSERT INTO Ship (ShipName, PortOfRegistry, LBP, LOA, Breadth, LightShip) "
                       "SELECT 'Aaron Star', PortOfRegistry, '90', '95', '15', '2000' FROM Ship"));
    frmMDI& frame = shell.makeFrame();
    frame.show();
    shell.find("mnuShipDataTables")->trigger();
    QWidget* tables = frame.mdiArea().currentSubWindow()->widget();
    QCOMPARE(tables->objectName(), QStringLiteral("frmShipTables"));
    QCOMPARE(frame.mdiArea().currentSubWindow()->windowTitle(),
             QStringLiteral("Hydrostatic Tables"));
    auto* ships = tables->findChild<QComboBox*>(QStringLiteral("cmbShip"));
    ships->setCurrentIndex(ships->findText(QStringLiteral("Coral Meridian")));

    shell.find("mnuShipData(5)")->trigger();
    QWidget* particulars = frame.mdiArea().currentSubWindow()->widget();
    particulars->findChild<QPushButton*>(QStringLiteral("cmdTables"))->click();
    QCOMPARE(frame.mdiArea().currentSubWindow()->widget(), tables);
    QCOMPARE(ships->currentText(), QStringLiteral("Aaron Star"));
    QCOMPARE(frame.openChildren(), 2);
    QVERIFY(shell.messages.shown().isEmpty());
}

namespace {

// The Alt key a caption gives ("&Tables" gives T); none without one.
QChar mnemonicOf(const QString& caption) {
    const QKeySequence key = QKeySequence::mnemonic(caption);
    return key.isEmpty() ? QChar() : QChar(key[0].key());
}

} // namespace

// The master windows sit inside the main window: an Alt key one of their
// buttons or labels takes from the menu bar leaves both the menu and the
// button only focused, never opened or clicked.
void TestWorksheetWindows::masterWindowsLeaveTheMenuKeysAlone() {
    Shell shell;
    registerMasterWindows(shell.registry);
    frmMDI& frame = shell.makeFrame();
    QSet<QChar> menuKeys;
    for (const QAction* menu : frame.menuBar()->actions())
        menuKeys.insert(mnemonicOf(menu->text()));
    for (const char* item : {"mnuShipData(5)", "mnuShipDataTables", "mnuShipData(20)"})
        shell.find(item)->trigger();
    QStringList clashes;
    for (const QWidget* part : frame.mdiArea().findChildren<QWidget*>()) {
        QString caption;
        if (const auto* button = qobject_cast<const QAbstractButton*>(part))
            caption = button->text();
        else if (const auto* label = qobject_cast<const QLabel*>(part); label && label->buddy())
            caption = label->text();
        const QChar key = mnemonicOf(caption);
        if (!key.isNull() && menuKeys.contains(key))
            clashes.append(part->objectName());
    }
    QCOMPARE(clashes, QStringList());
}

QTEST_MAIN(TestWorksheetWindows)
#include "test_worksheet_windows.moc"
