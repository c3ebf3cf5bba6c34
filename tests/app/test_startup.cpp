#include "frm_mdi.h"
#include "message_service.h"
#include "shell_fixture.h"
#include "startup.h"

#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The program's start, up to the event loop.
class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void aMissingDatabaseEndsWithOneMessageAndNoWindow();
    void continueShowsTheTipUnlessSwitchedOff_data();
    void continueShowsTheTipUnlessSwitchedOff();
    void closingTheAboutBoxWithoutContinueEnds();

private:
    static void answerAboutBox(bool continueOn);
    static QList<QWidget*> visibleWindows();
};

void TestStartup::answerAboutBox(bool continueOn) {
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
}

QList<QWidget*> TestStartup::visibleWindows() {
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            windows.append(widget);
    }
    return windows;
}

void TestStartup::aMissingDatabaseEndsWithOneMessageAndNoWindow() {
    ScopedMessageRecorder messages;
    ShellFolder folder;
    WindowRegistry registry;
    Startup startup(registry, folder.settings, folder.options());

    const std::optional<int> status = startup.Main();

    QVERIFY(status.has_value());
    QVERIFY(*status != 0);
    QVERIFY(gblnOpenFailed);
    QCOMPARE(messages.shown().size(), 1);
    QCOMPARE(messages.shown().first().icon, MessageIcon::Critical);
    QCOMPARE(
        messages.shown().first().text,
        QStringLiteral("An internal error has occured.\r\n\r\nPlease contact us with the error "
                       "no. mentioned on the titlebar of this dialog box"));
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!startup.frame());
}

void TestStartup::continueShowsTheTipUnlessSwitchedOff_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("children");

    QTest::newRow("never chosen") << QString() << 1;
    QTest::newRow("tips wanted") << "1" << 1;
    QTest::newRow("tips switched off") << "0" << 0;
    QTest::newRow("not a number counts as off") << "yes" << 0;
}

void TestStartup::continueShowsTheTipUnlessSwitchedOff() {
    QFETCH(QString, stored);
    QFETCH(int, children);

    ScopedMessageRecorder messages;
    ShellFolder folder;
    createDatabase(databaseFileIn(folder.path()));
    if (!stored.isNull())
        folder.storeShowTips(stored);
    WindowRegistry registry;
    Startup startup(registry, folder.settings, folder.options());

    answerAboutBox(true);
    QVERIFY(!startup.Main().has_value());

    QCOMPARE(visibleWindows(), QList<QWidget*>{startup.frame()});
    QCOMPARE(startup.frame()->mdiArea().subWindowList().size(), children);
    QVERIFY(messages.shown().isEmpty());
}

void TestStartup::closingTheAboutBoxWithoutContinueEnds() {
    ShellFolder folder;
    createDatabase(databaseFileIn(folder.path()));
    WindowRegistry registry;
    Startup startup(registry, folder.settings, folder.options());

    answerAboutBox(false);
    QCOMPARE(startup.Main(), std::optional<int>(0));
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!gcnnStore || !gcnnStore->isOpen());
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
