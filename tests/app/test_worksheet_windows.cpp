#include "shell_fixture.h"
#include "working_windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

// The Draft Survey menu opens the real worksheets, each with its mask, and
// the File menu's commands reach them.
class TestWorksheetWindows : public QObject {
    Q_OBJECT

private slots:
    void draftSurveyMenuOpensTheWorksheets_data();
    void draftSurveyMenuOpensTheWorksheets();
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

QTEST_MAIN(TestWorksheetWindows)
#include "test_worksheet_windows.moc"
