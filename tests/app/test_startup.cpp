#include "shell_fixture.h"
#include "frm_about.h"
#include "startup.h"
#include "working_windows.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QList<QWidget*> visibleWindows() {
    QList<QWidget*> windows = QApplication::topLevelWidgets();
    windows.removeIf([](const QWidget* window) { return !window->isVisible(); });
    return windows;
}

} // namespace

// The program's start, up to the event loop.
class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void aMissingDatabaseEndsWithOneMessageAndNoWindow();
    void theAboutBoxLeadsOnOrEnds_data();
    void theAboutBoxLeadsOnOrEnds();
    void theAboutBoxNamesTheRegisterInUse();
};

void TestStartup::aMissingDatabaseEndsWithOneMessageAndNoWindow() {
    Shell shell(false);
    Startup startup(shell.registry, shell.settings, shell.options());

    const std::optional<int> status = startup.Main();

    QVERIFY(status.has_value());
    QVERIFY(*status != 0);
    QVERIFY(gblnOpenFailed);
    QCOMPARE(shell.messages.shown().size(), 1);
    QCOMPARE(shell.messages.shown().first().icon, MessageIcon::Critical);
    QVERIFY(shell.messages.shown().first().text.startsWith(
        QStringLiteral("An internal error has occured.\r\n\r\nPlease contact us with the error "
                       "no. mentioned on the titlebar of this dialog box\r\n\r\n")));
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!startup.frame());
}

// clang-format off
void TestStartup::theAboutBoxLeadsOnOrEnds_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("continueOn");
    QTest::addColumn<QString>("surveyFile");
    QTest::addColumn<QStringList>("windows");
    const QStringList tip{QStringLiteral("frmTipOfDay")};
    const QString survey = QStringLiteral(SAMPLES_DIR "/loading-survey-stored-ship.json");

    QTest::newRow("never chosen") << QString() << true << QString() << tip;
    QTest::newRow("tips wanted") << "1" << true << QString() << tip;
    QTest::newRow("tips switched off") << "0" << true << QString() << QStringList();
    QTest::newRow("not a number counts as off") << "yes" << true << QString() << QStringList();
    QTest::newRow("closed without Continue") << "1" << false << QString() << QStringList();
    // The tip would open behind the survey.
    QTest::newRow("survey named") << "1" << true << survey << QStringList{QStringLiteral("frmCalvane")};
}
// clang-format on

void TestStartup::theAboutBoxLeadsOnOrEnds() {
    QFETCH(QString, stored);
    QFETCH(bool, continueOn);
    QFETCH(QString, surveyFile);
    QFETCH(QStringList, windows);

    Shell shell(false);
    createDatabase(databaseFileIn(shell.path()));
    if (!stored.isNull())
        shell.storeShowTips(stored);
    registerWorkingWindows(shell.registry);
    ShellOptions options = shell.options();
    options.surveyFile = surveyFile;
    Startup startup(shell.registry, shell.settings, options);
    QTimer::singleShot(0, [continueOn] {
        auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(about);
        QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
        if (continueOn)
            QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdContinue")),
                              Qt::LeftButton);
        else
            about->close();
    });

    const std::optional<int> status = startup.Main();

    QVERIFY(shell.messages.shown().isEmpty());
    if (!continueOn) {
        QCOMPARE(status, std::optional<int>(0));
        QVERIFY(visibleWindows().isEmpty());
        QVERIFY(!gcnnStore || !gcnnStore->isOpen());
        return;
    }
    QVERIFY(!status.has_value());
    QCOMPARE(visibleWindows(), QList<QWidget*>{startup.frame()});
    QStringList shown;
    for (const QMdiSubWindow* child : startup.frame()->mdiArea().subWindowList())
        shown.append(child->widget()->objectName());
    QCOMPARE(shown, windows);
}

void TestStartup::theAboutBoxNamesTheRegisterInUse() {
    Shell shell;
    frmAbout about;
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblRegister"))->text(),
             QStringLiteral("Register: ") + databaseFileIn(shell.path()));
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
