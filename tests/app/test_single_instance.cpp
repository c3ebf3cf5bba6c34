#include "shell_fixture.h"
#include "single_instance.h"
#include "startup.h"
#include "survey.h"
#include "survey_worksheet.h"
#include "working_windows.h"

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

// A double click on a survey file while the program runs.
class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void theRunningProgramTakesTheFile_data();
    void theRunningProgramTakesTheFile();
    void withNoProgramRunningNothingIsTaken();
    void aSocketLeftByACrashIsCleared();
    void aSecondProgramStandsBack();
    void aSecondStartOfTheProgramHandsItsFileOver();
    void handedOverFilesOpenAsTheCommandLinesFile();

private:
    QTemporaryDir m_runtime;
};

namespace {

QString sample(const char* name) {
    return QStringLiteral(SAMPLES_DIR "/") + QLatin1String(name);
}

// Hands the file over from a thread of its own, as a second program would:
// the answer needs this thread's event loop.
QStringList handOverFromAnotherThread(SingleInstance& running, const QString& file, bool& taken) {
    QSignalSpy received(&running, &SingleInstance::fileReceived);
    std::atomic<bool> done{false};
    std::thread second([&] {
        taken = SingleInstance::handOver(SingleInstance::serverName(), file, 5000);
        done = true;
    });
    // Joined in any case: the thread gives up after its own timeout.
    const bool answered = QTest::qWaitFor([&] { return done.load(); }, 10000);
    second.join();
    if (!answered)
        taken = false;
    QStringList files;
    for (const QList<QVariant>& signal : received)
        files << signal.first().toString();
    return files;
}

} // namespace

void TestSingleInstance::initTestCase() {
    // The server's name lies in the runtime folder: one of the test's own.
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    QVERIFY(SingleInstance::serverName().startsWith(m_runtime.path()));
}

void TestSingleInstance::theRunningProgramTakesTheFile_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("received");
    QTest::newRow("absolute") << "/surveys/loading.calvane"
                              << "/surveys/loading.calvane";
    QTest::newRow("relative to the second start's folder")
        << "voyage 12/loading.json"
        << QDir::current().absoluteFilePath(QStringLiteral("voyage 12/loading.json"));
    QTest::newRow("blanks and accents") << "/surveys/Pt Hedland \u00e9t\u00e9.calvane"
                                        << "/surveys/Pt Hedland \u00e9t\u00e9.calvane";
}

void TestSingleInstance::theRunningProgramTakesTheFile() {
    QFETCH(QString, given);
    QFETCH(QString, received);
    SingleInstance running(SingleInstance::serverName());
    QVERIFY(running.listen());
    bool taken = false;
    QCOMPARE(handOverFromAnotherThread(running, given, taken), QStringList{received});
    QVERIFY(taken);
}

void TestSingleInstance::withNoProgramRunningNothingIsTaken() {
    QVERIFY(!SingleInstance::handOver(SingleInstance::serverName(), QStringLiteral("/a.calvane"),
                                      1000));
}

void TestSingleInstance::aSocketLeftByACrashIsCleared() {
    QFile left(SingleInstance::serverName());
    QVERIFY(left.open(QIODevice::WriteOnly));
    left.close();
    SingleInstance running(SingleInstance::serverName());
    QVERIFY(running.listen());
    bool taken = false;
    QCOMPARE(handOverFromAnotherThread(running, QStringLiteral("/a.calvane"), taken).size(), 1);
    QVERIFY(taken);
}

void TestSingleInstance::aSecondProgramStandsBack() {
    SingleInstance first(SingleInstance::serverName());
    QVERIFY(first.listen());
    SingleInstance second(SingleInstance::serverName());
    QVERIFY(!second.listen());
    // The first keeps its name: files still reach it.
    bool taken = false;
    QCOMPARE(handOverFromAnotherThread(first, QStringLiteral("/a.calvane"), taken).size(), 1);
    QVERIFY(taken);
}

void TestSingleInstance::aSecondStartOfTheProgramHandsItsFileOver() {
    SingleInstance running(SingleInstance::serverName());
    QVERIFY(running.listen());
    QSignalSpy received(&running, &SingleInstance::fileReceived);
    QTemporaryDir folder;
    QProcess second;
    second.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(CALVANE_PROGRAM), {QStringLiteral("loading.calvane")});
    QVERIFY(second.waitForStarted());

    // The second start ends by itself, without a window or a database.
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 10000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(received.first().first().toString(),
             QDir(folder.path()).absoluteFilePath(QStringLiteral("loading.calvane")));
}

void TestSingleInstance::handedOverFilesOpenAsTheCommandLinesFile() {
    Shell shell(false);
    createDatabase(databaseFileIn(shell.path()));
    registerWorkingWindows(shell.registry);
    Startup startup(shell.registry, shell.settings, shell.options());
    // Each sample's ship joins the empty register.
    shell.messages.queueAnswer(MessageAnswer::Ok);
    shell.messages.queueAnswer(MessageAnswer::Ok);
    // Handed over while the About box is up: kept until the start is over.
    startup.openHandedOver(sample("loading-survey.json"));
    QTimer::singleShot(0, [] {
        QWidget* about = QApplication::activeModalWidget();
        QVERIFY(about);
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdContinue")),
                          Qt::LeftButton);
    });
    QVERIFY(!startup.Main());
    startup.openHandedOver(sample("discharging-survey.json"));

    QStringList opened;
    for (QMdiSubWindow* window : startup.frame()->mdiArea().subWindowList())
        if (auto* worksheet = qobject_cast<SurveyWorksheet*>(window->widget()))
            opened << worksheet->survey().filePath();
    QCOMPARE(opened,
             (QStringList{sample("loading-survey.json"), sample("discharging-survey.json")}));
    QCOMPARE(shell.settings.recentSurveys(),
             (QStringList{sample("discharging-survey.json"), sample("loading-survey.json")}));
    startup.frame()->close();
}

QTEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
