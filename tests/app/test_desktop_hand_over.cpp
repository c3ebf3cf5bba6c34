#include "frm_about.h"
#include "frm_mdi.h"
#include "maker_addresses.h"
#include "message_service.h"
#include "shell_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

// What the Tools and Help menus and the About box hand to the desktop.
class TestDesktopHandOver : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theFirstInstalledProgramStarts_data();
    void theFirstInstalledProgramStarts();
    void helpContentsOpensTheShippedGuide();
    void aboutLinksOpenTheirPages();

private:
    QAction* item(const char* name) const {
        return m_frame->findChild<QAction*>(QString::fromLatin1(name));
    }
    // A program on the search path that leaves a file named after itself.
    void installFakeProgram(const QString& name) const;
    QString marker(const QString& name) const {
        return m_bin->filePath(name + QStringLiteral(".ran"));
    }

    QByteArray m_path;
    std::unique_ptr<QTemporaryDir> m_bin;
    std::unique_ptr<ScopedMessageRecorder> m_messages;
    std::unique_ptr<ShellFolder> m_folder;
    WindowRegistry m_registry;
    std::unique_ptr<frmMDI> m_frame;
};

void TestDesktopHandOver::init() {
    m_path = qgetenv("PATH");
    m_bin = std::make_unique<QTemporaryDir>();
    qputenv("PATH", QFile::encodeName(m_bin->path()));
    m_messages = std::make_unique<ScopedMessageRecorder>();
    m_folder = std::make_unique<ShellFolder>();
    m_frame = std::make_unique<frmMDI>(m_registry, m_folder->settings, m_folder->options());
}

void TestDesktopHandOver::cleanup() {
    m_frame.reset();
    m_folder.reset();
    m_messages.reset();
    qputenv("PATH", m_path);
}

void TestDesktopHandOver::installFakeProgram(const QString& name) const {
    QFile program(m_bin->filePath(name));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\necho ran > \"" + QFile::encodeName(marker(name)) + "\"\n");
    program.close();
    program.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                           QFileDevice::ExeOwner);
}

void TestDesktopHandOver::theFirstInstalledProgramStarts_data() {
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QStringList>("installed");
    // Empty when none is installed and the user is told so.
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("warning");

    QTest::newRow("calculator") << "mnuTools(5)"
                                << QStringList{QStringLiteral("xcalc"),
                                               QStringLiteral("galculator")}
                                << "galculator" << QString();
    QTest::newRow("notepad") << "mnuTools(10)"
                             << QStringList{QStringLiteral("featherpad"), QStringLiteral("kate")}
                             << "kate" << QString();
    QTest::newRow("no calculator") << "mnuTools(5)" << QStringList{} << QString()
                                   << "No calculator program was found on this computer.\r\n\r\n"
                                      "Please install one, for example gnome-calculator or kcalc.";
    QTest::newRow("no notepad") << "mnuTools(10)" << QStringList{} << QString()
                                << "No text editor was found on this computer.\r\n\r\n"
                                   "Please install one, for example gedit or mousepad.";
}

void TestDesktopHandOver::theFirstInstalledProgramStarts() {
    QFETCH(QString, menuItem);
    QFETCH(QStringList, installed);
    QFETCH(QString, started);
    QFETCH(QString, warning);

    for (const QString& name : installed)
        installFakeProgram(name);
    m_frame->findChild<QAction*>(menuItem)->trigger();

    if (!started.isEmpty())
        QTRY_VERIFY(QFile::exists(marker(started)));
    for (const QString& name : installed)
        QCOMPARE(QFile::exists(marker(name)), name == started);
    const QList<Message> expected{{MessageIcon::Exclamation, QStringLiteral("Calvane Lt"), warning,
                                   MessageButtons::Ok, MessageAnswer::Ok}};
    QCOMPARE(m_messages->shown(), warning.isEmpty() ? QList<Message>{} : expected);
}

void TestDesktopHandOver::helpContentsOpensTheShippedGuide() {
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("help")));
    const QString guide = m_folder->path() + QStringLiteral("/help/index.html");
    QFile(guide).open(QIODevice::WriteOnly);
    AddressCatcher catcher;

    item("mnuHelp(6)")->trigger();

    QCOMPARE(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(guide)});
    QVERIFY(m_messages->shown().isEmpty());
}

void TestDesktopHandOver::aboutLinksOpenTheirPages() {
    AddressCatcher catcher;
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    for (const char* name : {"Label1", "Label3"}) {
        auto* link = about.findChild<QLabel*>(QString::fromLatin1(name));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        const QPoint onText(link->fontMetrics().averageCharWidth() * 3, link->height() / 2);
        QTest::mouseClick(link, Qt::LeftButton, {}, onText);
    }
    QCOMPARE(catcher.opened, (QList<QUrl>{productDownloadPage(), makerHomePage()}));
}

QTEST_MAIN(TestDesktopHandOver)
#include "test_desktop_hand_over.moc"
