#include "autosave.h"
#include "durable_file.h"
#include "scripted_file_chooser.h"
#include "shell_fixture.h"
#include "survey.h"
#include "survey_file.h"
#include "survey_files.h"
#include "survey_worksheet.h"
#include "working_windows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <csignal>

Q_DECLARE_METATYPE(MessageAnswer)

namespace {

QString sample(const char* name) {
    return QStringLiteral(SAMPLES_DIR "/") + QLatin1String(name);
}

// A main window with the worksheets, its unsaved surveys written into a
// folder of the test's own.
struct SurveyShell {
    Shell shell;
    QTemporaryDir autosaved;
    QString folder;

    // `autosaveFolder` empty: a folder of its own.
    explicit SurveyShell(const QString& autosaveFolder = QString())
        : folder(autosaveFolder.isEmpty() ? autosaved.path() : autosaveFolder) {
        registerWorkingWindows(shell.registry);
        ShellOptions options = shell.options();
        options.autosaveFolder = folder;
        shell.frame = std::make_unique<frmMDI>(shell.registry, shell.settings, options);
        shell.frame->show();
    }
    frmMDI& frame() const { return *shell.frame; }
    QList<QMdiSubWindow*> windows() const { return frame().mdiArea().subWindowList(); }
    SurveyWorksheet* active() const {
        QMdiSubWindow* window = frame().mdiArea().currentSubWindow();
        return window ? qobject_cast<SurveyWorksheet*>(window->widget()) : nullptr;
    }
    QStringList autosaveFiles() const {
        return QDir(folder).entryList({QStringLiteral("*.json")}, QDir::Files);
    }
    QString autosaveFile(const char* name) const {
        return QDir(folder).filePath(QLatin1String(name));
    }
    // Opens the sample survey and types into it.
    SurveyWorksheet* typeIntoSample(const QString& typed) {
        shell.messages.queueAnswer(MessageAnswer::Ok);
        if (!frame().surveyFiles().open(sample("loading-survey.json")))
            return nullptr;
        QLineEdit* voyage = active()->findChild<QLineEdit*>(QStringLiteral("txtVoyageID"));
        voyage->setFocus();
        QTest::keyClicks(voyage, typed);
        return active();
    }
};

// A survey copy as a crash leaves it: the survey, and the note of its file.
void leaveCopy(const QString& copy, const QString& surveyFile) {
    const SurveyDocument survey =
        readSurveyFile(sample("discharging-survey.json")).document.value();
    QCOMPARE(writeSurveyFile(survey, copy), QString());
    QFile note(copy.chopped(int(qstrlen(".json"))) + QStringLiteral(".file"));
    QVERIFY(note.open(QIODevice::WriteOnly));
    note.write(surveyFile.toUtf8());
}

QString voyageIn(const QString& file) {
    const SurveyFileResult read = readSurveyFile(file);
    return read.document ? read.document->voyage : read.error;
}

// Another running copy of the program: it claims what it finds left
// behind in the folder and holds it until killed.
constexpr char holdCopiesOption[] = "--hold-copies-in";

int holdCopies(const QString& folder) {
    Autosave autosave(folder);
    QTextStream(stdout) << autosave.claimLeftBehind().size() << Qt::endl;
    return QCoreApplication::exec();
}

} // namespace

class TestSurveyFiles : public QObject {
    Q_OBJECT

private slots:
    void fileThatCannotBeReadOpensNothing_data();
    void fileThatCannotBeReadOpensNothing();
    void openSurveyOpensTheWorksheetOfItsKind_data();
    void openSurveyOpensTheWorksheetOfItsKind();
    void surveyLeftByACrashIsOffered_data();
    void surveyLeftByACrashIsOffered();
    void unsavedSurveyIsWrittenAsideUntilClosed();
    void closingTheMainWindowAsks();
    void recoveredSurveyKeepsItsCopy_data();
    void recoveredSurveyKeepsItsCopy();
    void copyOfARunningProgramIsNotOffered();
    void copyOfAnotherProcessIsOfferedOnlyOnceItIsGone();
    void autosaveOntoAFullDiskKeepsTheLastCopy();
    void startRemovesInterruptedSaves();
};

void TestSurveyFiles::fileThatCannotBeReadOpensNothing_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a later version") << QByteArray(R"({"format": "calvane-survey", "version": 4})")
                                     << "version: 4 is newer than this program reads";
    QTest::newRow("missing") << QByteArray() << "file: not found";
    QFile loading(sample("loading-survey.json"));
    QVERIFY(loading.open(QIODevice::ReadOnly));
    const QByteArray survey = loading.readAll();
    const auto withLBP = [&](const char* lbp) {
        return QByteArray(survey).replace(R"("lbp": "217")", QByteArray(R"("lbp": ")") + lbp + '"');
    };
    const QString lbpRule = QStringLiteral("ship.particulars.lbp: LBP can only be a positive "
                                           "number greater than 0 and less than 1000.");
    QTest::newRow("a negative LBP") << withLBP("-217") << lbpRule;
    QTest::newRow("an LBP of 0") << withLBP("0") << lbpRule;
    QTest::newRow("a density that rounds to 0")
        << QByteArray(survey).replace(R"("density": "1.0240")", R"("density": "0.00001")")
        << "initial.density: Invalid density value. Please enter values greater than 0 and less "
           "than 10.";
}

void TestSurveyFiles::fileThatCannotBeReadOpensNothing() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, reason);
    SurveyShell s;
    const QString path = s.autosaved.filePath(QStringLiteral("bad.txt"));
    if (!contents.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    ScriptedFileChooser chooser;
    chooser.answers = QStringList{path};
    s.shell.find("mnuFileOpenSurvey")->trigger();
    QCOMPARE(s.shell.messages.texts().size(), 1);
    QVERIFY2(s.shell.messages.texts().first().contains(reason),
             qPrintable(s.shell.messages.texts().first()));
    QVERIFY(s.windows().isEmpty());
    QVERIFY(s.shell.settings.recentSurveys().isEmpty());
}

void TestSurveyFiles::openSurveyOpensTheWorksheetOfItsKind_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("window");
    QTest::newRow("loading") << sample("loading-survey.json") << "frmCalvane";
    QTest::newRow("discharging") << sample("discharging-survey.json") << "frmDSDispatch";
}

void TestSurveyFiles::openSurveyOpensTheWorksheetOfItsKind() {
    QFETCH(QString, file);
    QFETCH(QString, window);
    SurveyShell s;
    ScriptedFileChooser chooser;
    chooser.answers = QStringList{file};
    // The sample's ship joins the empty register.
    s.shell.messages.queueAnswer(MessageAnswer::Ok);
    s.shell.find("mnuFileOpenSurvey")->trigger();
    SurveyWorksheet* worksheet = s.active();
    QVERIFY(worksheet);
    QCOMPARE(worksheet->objectName(), window);
    QCOMPARE(worksheet->survey().filePath(), file);
    QVERIFY(!worksheet->survey().isModified());
    QCOMPARE(s.shell.settings.recentSurveys(), QStringList{file});
    QVERIFY(s.shell.find("mnuFileSaveAs")->isEnabled());
    // Opened again from the recent list: a worksheet beside the first.
    emit s.shell.find<QMenu>("mnuFileRecent")->aboutToShow();
    s.shell.find<QMenu>("mnuFileRecent")->actions().first()->trigger();
    QCOMPARE(s.windows().size(), 2);
}

void TestSurveyFiles::surveyLeftByACrashIsOffered_data() {
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<int>("windows");
    QTest::newRow("reopen") << MessageAnswer::Yes << 1;
    QTest::newRow("discard") << MessageAnswer::No << 0;
}

void TestSurveyFiles::surveyLeftByACrashIsOffered() {
    QFETCH(MessageAnswer, answer);
    QFETCH(int, windows);
    SurveyShell s;
    const SurveyDocument survey =
        readSurveyFile(sample("discharging-survey.json")).document.value();
    QCOMPARE(writeSurveyFile(survey, s.autosaved.filePath(QStringLiteral("left.json"))), QString());
    // The worksheet that left it had a file of its own.
    const QString original = s.autosaved.filePath(QStringLiteral("original.json"));
    QFile note(s.autosaved.filePath(QStringLiteral("left.file")));
    QVERIFY(note.open(QIODevice::WriteOnly));
    note.write(original.toUtf8());
    note.close();
    s.shell.messages.queueAnswer(answer);
    s.shell.messages.queueAnswer(MessageAnswer::Ok);
    s.frame().openStartupSurveys();
    QCOMPARE(s.windows().size(), windows);
    // Reopened, the copy stays until the survey is saved.
    QCOMPARE(QFile::exists(s.autosaved.filePath(QStringLiteral("left.json"))), windows == 1);
    QCOMPARE(note.exists(), windows == 1);
    if (windows == 0)
        return;
    SurveyWorksheet* worksheet = s.active();
    QCOMPARE(worksheet->findChild<QLineEdit*>(QStringLiteral("txtVoyageID"))->text(),
             survey.voyage);
    // Restored to its file, not saved there yet.
    QVERIFY(worksheet->survey().isModified());
    QCOMPARE(worksheet->survey().filePath(), original);
}

void TestSurveyFiles::unsavedSurveyIsWrittenAsideUntilClosed() {
    SurveyShell s;
    s.frame().autosave().writeNow();
    QVERIFY(s.autosaveFiles().isEmpty());
    s.shell.messages.queueAnswer(MessageAnswer::Ok);
    QVERIFY(s.frame().surveyFiles().open(sample("loading-survey.json")));
    s.frame().autosave().writeNow();
    QVERIFY(s.autosaveFiles().isEmpty());

    QLineEdit* voyage = s.active()->findChild<QLineEdit*>(QStringLiteral("txtVoyageID"));
    voyage->setFocus();
    QTest::keyClicks(voyage, QStringLiteral("-B"));
    QVERIFY(s.active()->survey().isModified());
    s.frame().autosave().writeNow();
    QCOMPARE(s.autosaveFiles().size(), 1);
    const SurveyFileResult written =
        readSurveyFile(s.autosaved.filePath(s.autosaveFiles().first()));
    QVERIFY2(written.document, qPrintable(written.error));
    QCOMPARE(written.document->voyage, QStringLiteral("CM-2407-B"));
    QCOMPARE(Autosave::fileOf(s.autosaved.filePath(s.autosaveFiles().first())),
             sample("loading-survey.json"));
    // A file this run writes is no crash's.
    QVERIFY(s.frame().autosave().claimLeftBehind().isEmpty());

    s.shell.messages.queueAnswer(MessageAnswer::Discard);
    s.shell.find("mnuFile(6)")->trigger();
    QVERIFY(s.windows().isEmpty());
    QVERIFY(QDir(s.autosaved.path()).isEmpty());
}

void TestSurveyFiles::closingTheMainWindowAsks() {
    SurveyShell s;
    s.shell.messages.queueAnswer(MessageAnswer::Ok);
    QVERIFY(s.frame().surveyFiles().open(sample("loading-survey.json")));
    QLineEdit* voyage = s.active()->findChild<QLineEdit*>(QStringLiteral("txtVoyageID"));
    voyage->setFocus();
    QTest::keyClicks(voyage, QStringLiteral("x"));
    s.shell.messages.clear();
    s.shell.messages.queueAnswer(MessageAnswer::Cancel);
    QVERIFY(!s.frame().close());
    QCOMPARE(s.windows().size(), 1);
    QCOMPARE(s.shell.messages.shown().size(), 1);
    QCOMPARE(s.shell.messages.shown().first().buttons, MessageButtons::SaveDiscardCancel);
}

void TestSurveyFiles::recoveredSurveyKeepsItsCopy_data() {
    QTest::addColumn<QString>("then");
    QTest::addColumn<bool>("kept");
    QTest::newRow("still open") << "" << true;
    QTest::newRow("saved") << "save" << false;
    QTest::newRow("closed, discarded") << "discard" << false;
    QTest::newRow("closed, cancelled") << "cancel" << true;
}

void TestSurveyFiles::recoveredSurveyKeepsItsCopy() {
    QFETCH(QString, then);
    QFETCH(bool, kept);
    SurveyShell s;
    const QTemporaryDir surveys;
    const QString copy = s.autosaveFile("left.json");
    leaveCopy(copy, QDir(surveys.path()).filePath(QStringLiteral("original.json")));
    s.shell.messages.queueAnswer(MessageAnswer::Yes);
    s.shell.messages.queueAnswer(MessageAnswer::Ok);
    s.frame().openStartupSurveys();
    SurveyWorksheet* worksheet = s.active();
    QVERIFY(worksheet);
    // The copy is the worksheet's own now: written on, no second one made,
    // and no other program takes it for a crash's.
    QLineEdit* voyage = worksheet->findChild<QLineEdit*>(QStringLiteral("txtVoyageID"));
    voyage->setFocus();
    QTest::keyClicks(voyage, QStringLiteral("-R"));
    s.frame().autosave().writeNow();
    QCOMPARE(s.autosaveFiles(), QStringList{QStringLiteral("left.json")});
    QVERIFY(voyageIn(copy).endsWith(QStringLiteral("-R")));
    QVERIFY(Autosave(s.folder).claimLeftBehind().isEmpty());

    s.shell.messages.clear();
    if (then == QStringLiteral("save")) {
        worksheet->RSave();
        QVERIFY(!worksheet->survey().isModified());
    } else if (then == QStringLiteral("discard")) {
        s.shell.messages.queueAnswer(MessageAnswer::Discard);
        QVERIFY(s.windows().first()->close());
    } else if (then == QStringLiteral("cancel")) {
        s.shell.messages.queueAnswer(MessageAnswer::Cancel);
        QVERIFY(!s.windows().first()->close());
    }
    s.frame().autosave().writeNow();
    QCOMPARE(QFile::exists(copy), kept);
}

void TestSurveyFiles::copyOfARunningProgramIsNotOffered() {
    SurveyShell s;
    QVERIFY(s.typeIntoSample(QStringLiteral("-A")));
    s.frame().autosave().writeNow();
    QCOMPARE(s.autosaveFiles().size(), 1);
    const QString copy = QDir(s.folder).filePath(s.autosaveFiles().first());

    // A second copy of the program starting on the same folder.
    Autosave second(s.folder);
    QVERIFY(second.claimLeftBehind().isEmpty());
    QCOMPARE(voyageIn(copy), QStringLiteral("CM-2407-A"));
    // The first keeps writing on its copy.
    s.frame().autosave().writeNow();
    QVERIFY(QFile::exists(copy));
}

void TestSurveyFiles::copyOfAnotherProcessIsOfferedOnlyOnceItIsGone() {
    QTemporaryDir folder;
    leaveCopy(QDir(folder.path()).filePath(QStringLiteral("left.json")), QString());
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(holdCopiesOption), folder.path()});
    QVERIFY(other.waitForReadyRead(30000));
    QCOMPARE(other.readAllStandardOutput().trimmed(), QByteArray("1"));

    {
        SurveyShell s(folder.path());
        s.frame().openStartupSurveys();
        QVERIFY(s.shell.messages.shown().isEmpty());
        QCOMPARE(s.autosaveFiles(), QStringList{QStringLiteral("left.json")});
    }
    // The other program crashes: its copy is offered at the next start.
    ::kill(pid_t(other.processId()), SIGKILL);
    QVERIFY(other.waitForFinished(30000));
    SurveyShell s(folder.path());
    s.shell.messages.queueAnswer(MessageAnswer::No);
    s.frame().openStartupSurveys();
    QCOMPARE(s.shell.messages.shown().size(), 1);
    QVERIFY(s.autosaveFiles().isEmpty());
}

void TestSurveyFiles::autosaveOntoAFullDiskKeepsTheLastCopy() {
    SurveyShell s;
    SurveyWorksheet* worksheet = s.typeIntoSample(QStringLiteral("-A"));
    QVERIFY(worksheet);
    s.frame().autosave().writeNow();
    const QString copy = QDir(s.folder).filePath(s.autosaveFiles().first());
    QTest::keyClicks(worksheet->findChild<QLineEdit*>(QStringLiteral("txtVoyageID")),
                     QStringLiteral("B"));
    s.shell.messages.clear();
    for (int round = 0; round < 2; ++round) {
        DurableFile::failNextWriteAt(DurableFile::Step::Sync);
        s.frame().autosave().writeNow();
        QCOMPARE(voyageIn(copy), QStringLiteral("CM-2407-A"));
    }
    // Said once, with the cause, not every round.
    QCOMPARE(s.shell.messages.texts().size(), 1);
    QVERIFY2(s.shell.messages.texts().first().contains(QStringLiteral("No space left on device")),
             qPrintable(s.shell.messages.texts().first()));
    s.frame().autosave().writeNow();
    QCOMPARE(voyageIn(copy), QStringLiteral("CM-2407-AB"));
}

void TestSurveyFiles::startRemovesInterruptedSaves() {
    QTemporaryDir surveys;
    SurveyShell s;
    s.shell.settings.addRecentSurvey(QDir(surveys.path()).filePath(QStringLiteral("a.json")));
    const QString part = QLatin1String(DurableFile::temporarySuffix);
    const QStringList stale{s.autosaveFile(".x.json.01") + part,
                            QDir(surveys.path()).filePath(QStringLiteral(".a.json.02")) + part};
    const QString fresh = s.autosaveFile(".y.json.03") + part;
    for (const QString& file : stale + QStringList{fresh}) {
        QFile temporary(file);
        QVERIFY(temporary.open(QIODevice::WriteOnly));
        if (file != fresh)
            QVERIFY(temporary.setFileTime(QDateTime::currentDateTime().addSecs(-600),
                                          QFileDevice::FileModificationTime));
    }
    s.frame().openStartupSurveys();
    for (const QString& file : stale)
        QVERIFY2(!QFile::exists(file), qPrintable(file));
    // Another program may be writing it right now.
    QVERIFY(QFile::exists(fresh));
}

int main(int argc, char* argv[]) {
    if (argc == 3 && qstrcmp(argv[1], holdCopiesOption) == 0) {
        QCoreApplication application(argc, argv);
        return holdCopies(QString::fromLocal8Bit(argv[2]));
    }
    QApplication application(argc, argv);
    TestSurveyFiles test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_survey_files.moc"
