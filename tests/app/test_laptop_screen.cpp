#include "page_report_printer.h"
#include "report_preview.h"
#include "shell_fixture.h"
#include "survey_files.h"
#include "survey_worksheet.h"
#include "working_windows.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

QString sample(const char* name) {
    return QStringLiteral(SAMPLES_DIR "/") + QLatin1String(name);
}

QRect available() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Wholly inside the part of the sheet its window shows.
bool inView(const SurveyWorksheet& worksheet, const char* name) {
    const QWidget* viewport =
        worksheet.findChild<QScrollArea*>(QStringLiteral("scrollWorksheet"))->viewport();
    const QWidget* control = worksheet.findChild<QWidget*>(QLatin1String(name));
    return viewport->rect().contains(
        QRect(control->mapTo(viewport, QPoint(0, 0)), control->size()));
}

} // namespace

// The program on a laptop's screen (the offscreen platform set to it by the
// test's configuration).
class TestLaptopScreen : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowKeepsItsPlace();
    void worksheetTakesTheMainWindow();
};

void TestLaptopScreen::initTestCase() {
    QVERIFY2(available().height() <= 800, "the screen is not a laptop's");
}

void TestLaptopScreen::mainWindowKeepsItsPlace() {
    Shell shell;
    // The first time, the whole screen.
    shell.makeFrame().continueFromAbout(false);
    QVERIFY(shell.frame->isVisible());
    QVERIFY(shell.frame->isMaximized());
    QVERIFY(shell.frame->close());

    shell.makeFrame().continueFromAbout(false);
    QVERIFY(shell.frame->isMaximized());
    shell.frame->showNormal();
    const QRect placed(available().topLeft() + QPoint(40, 50), QSize(900, 600));
    shell.frame->setGeometry(placed);
    QVERIFY(shell.frame->close());

    shell.makeFrame().continueFromAbout(false);
    QVERIFY(!shell.frame->isMaximized());
    QCOMPARE(shell.frame->geometry(), placed);
}

void TestLaptopScreen::worksheetTakesTheMainWindow() {
    Shell shell;
    registerWorkingWindows(shell.registry);
    PageReportPrinter printer;
    ScopedReportPrinter installed(&printer);
    frmMDI& frame = shell.makeFrame();
    frame.continueFromAbout(false);
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));

    shell.find("mnuCalvane(5)")->trigger();
    QMdiSubWindow* child = frame.mdiArea().currentSubWindow();
    QVERIFY(child);
    QVERIFY(child->isMaximized());
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("dcbShip"));
    // Nothing was entered without a ship on the way.
    QCoreApplication::processEvents();
    QCOMPARE(shell.messages.texts(), QStringList());

    // A ship the register holds: the worksheet open takes the survey.
    QVERIFY(frame.surveyFiles().open(sample("loading-survey-stored-ship.json")));
    QCOMPARE(frame.mdiArea().currentSubWindow(), child);
    auto* worksheet = qobject_cast<SurveyWorksheet*>(child->widget());
    QVERIFY(worksheet);
    QVERIFY(!worksheet->findChild<QScrollArea*>(QStringLiteral("scrollWorksheet"))
                 ->horizontalScrollBar()
                 ->isVisible());
    // Calculate brings the figures it gives into sight with it.
    worksheet->findChild<QWidget*>(QStringLiteral("cmdCalculate"))->setFocus();
    QCoreApplication::processEvents();
    QVERIFY(inView(*worksheet, "cmdCalculate"));
    QVERIFY(inView(*worksheet, "fgrdFinalResult"));
    if (qEnvironmentVariableIsSet("CALVANE_SCREENSHOT")) {
        worksheet->findChild<QWidget*>(QStringLiteral("txtFwdPort"))->setFocus();
        QCoreApplication::processEvents();
        frame.grab().save(qEnvironmentVariable("CALVANE_SCREENSHOT"));
    }

    shell.find("mnuFile(12)")->trigger();
    QCOMPARE(printer.openPreviews().size(), 1);
    ReportPreview* preview = printer.openPreviews().first();
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    QVERIFY2(available().contains(preview->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(preview->frameGeometry().x())
                            .arg(preview->frameGeometry().y())
                            .arg(preview->frameGeometry().width())
                            .arg(preview->frameGeometry().height())));
    QCOMPARE(shell.messages.texts(), QStringList());
}

QTEST_MAIN(TestLaptopScreen)
#include "test_laptop_screen.moc"
