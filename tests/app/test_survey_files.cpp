#include "autosave.h"
#include "scripted_file_chooser.h"
#include "shell_fixture.h"
#include "survey_file.h"
#include "survey_files.h"
#include "survey_worksheet.h"
#include "working_windows.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

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

    SurveyShell() {
        registerWorkingWindows(shell.registry);
        ShellOptions options = shell.options();
        options.autosaveFolder = autosaved.path();
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
        return QDir(autosaved.path()).entryList({QStringLiteral("*.json")}, QDir::Files);
    }
};

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
};

void TestSurveyFiles::fileThatCannotBeReadOpensNothing_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a later version") << QByteArray(R"({"format": "calvane-survey", "version": 3})")
                                     << "version: 3 is newer than this program reads";
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
    QCOMPARE(worksheet->filePath(), file);
    QVERIFY(!worksheet->hasUnsavedChanges());
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
    QVERIFY(!QFile::exists(s.autosaved.filePath(QStringLiteral("left.json"))));
    QVERIFY(!note.exists());
    if (windows == 0)
        return;
    SurveyWorksheet* worksheet = s.active();
    QCOMPARE(worksheet->findChild<QLineEdit*>(QStringLiteral("txtVoyageID"))->text(),
             survey.voyage);
    // Restored to its file, not saved there yet.
    QVERIFY(worksheet->hasUnsavedChanges());
    QCOMPARE(worksheet->filePath(), original);
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
    QVERIFY(s.active()->hasUnsavedChanges());
    s.frame().autosave().writeNow();
    QCOMPARE(s.autosaveFiles().size(), 1);
    const SurveyFileResult written =
        readSurveyFile(s.autosaved.filePath(s.autosaveFiles().first()));
    QVERIFY2(written.document, qPrintable(written.error));
    QCOMPARE(written.document->voyage, QStringLiteral("CM-2407-B"));
    QCOMPARE(Autosave::fileOf(s.autosaved.filePath(s.autosaveFiles().first())),
             sample("loading-survey.json"));
    // A file this run writes is no crash's.
    QVERIFY(s.frame().autosave().leftBehind().isEmpty());

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

QTEST_MAIN(TestSurveyFiles)
#include "test_survey_files.moc"
