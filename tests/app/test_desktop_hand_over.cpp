#include "shell_fixture.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>

// What the Tools and Help menus hand to the desktop, or why they cannot.
class TestDesktopHandOver : public QObject {
    Q_OBJECT

private slots:
    void theFirstInstalledProgramStartsOrTheUserIsTold_data();
    void theFirstInstalledProgramStartsOrTheUserIsTold();
};

// clang-format off
void TestDesktopHandOver::theFirstInstalledProgramStartsOrTheUserIsTold_data() {
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("installed");
    // Empty when none is installed and the user is told so.
    QTest::addColumn<QString>("started");
    // "{folder}" stands for the application folder.
    QTest::addColumn<QString>("warning");

    const auto row = [](const char* name, const char* menuItem, const char* installed,
                        const char* started, const char* warning) {
        QTest::newRow(name) << QString::fromLatin1(menuItem) << QString::fromLatin1(installed) << QString::fromLatin1(started) << QString::fromLatin1(warning);
    };
    row("calculator", "mnuTools(5)", "xcalc galculator", "galculator", "");
    row("notepad", "mnuTools(10)", "featherpad kate", "kate", "");
    row("no calculator", "mnuTools(5)", "", "",
        "No calculator program was found on this computer.\r\n\r\n"
        "Please install one, for example gnome-calculator or kcalc.");
    row("no notepad", "mnuTools(10)", "", "",
        "No text editor was found on this computer.\r\n\r\n"
        "Please install one, for example gedit or mousepad.");
    row("no help document", "mnuHelp(6)", "", "",
        "The help document {folder}/help/index.html is missing.\r\n\r\n"
        "Please install Calvane Lt again.");
}
// clang-format on

void TestDesktopHandOver::theFirstInstalledProgramStartsOrTheUserIsTold() {
    QFETCH(QString, menuItem);
    QFETCH(QString, installed);
    QFETCH(QString, started);
    QFETCH(QString, warning);

    Shell shell(false);
    // Fake programs on a search path of their own, each leaving a file
    // named after itself.
    QTemporaryDir bin;
    const auto restorePath = qScopeGuard([path = qgetenv("PATH")] { qputenv("PATH", path); });
    qputenv("PATH", QFile::encodeName(bin.path()));
    const auto marker = [&bin](const QString& name) {
        return bin.filePath(name + QStringLiteral(".ran"));
    };
    const QStringList programs = installed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& name : programs) {
        QFile program(bin.filePath(name));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\necho ran > \"" + QFile::encodeName(marker(name)) + "\"\n");
        program.close();
        QVERIFY(program.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    shell.makeFrame().findChild<QAction*>(menuItem)->trigger();

    if (!started.isEmpty())
        QTRY_VERIFY(QFile::exists(marker(started)));
    for (const QString& name : programs)
        QCOMPARE(QFile::exists(marker(name)), name == started);
    warning.replace(QStringLiteral("{folder}"), shell.path());
    const QList<Message> expected{{MessageIcon::Exclamation, QStringLiteral("Calvane Lt"), warning,
                                   MessageButtons::Ok, MessageAnswer::Ok}};
    QCOMPARE(shell.messages.shown(), warning.isEmpty() ? QList<Message>{} : expected);
}

QTEST_MAIN(TestDesktopHandOver)
#include "test_desktop_hand_over.moc"
