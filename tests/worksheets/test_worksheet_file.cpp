#include "durable_file.h"
#include "full_disk.h"
#include "report_printer.h"
#include "report_source.h"
#include "rowset.h"
#include "scripted_file_chooser.h"
#include "survey_command.h"
#include "survey_file.h"
#include "survey_file_name.h"
#include "survey_particulars_dialog.h"
#include "survey_ship.h"
#include "worksheet_fixture.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>

Q_DECLARE_METATYPE(Worksheet)
Q_DECLARE_METATYPE(MessageAnswer)

namespace {

// The key of the ship the fixture adds to the register.
int fixtureShip() {
    RowSet ship;
    ship.open(QStringLiteral("SELECT ShipID FROM Ship WHERE ShipName = 'Tasman Sample'"),
              *gcnnStore);
    return int(ship.field(QStringLiteral("ShipID")).toWhole());
}

// The fixture's ship stands in for the sample's.
SurveyDocument sampleOnFixtureShip(const char* name) {
    SurveyDocument survey =
        readSurveyFile(QStringLiteral(SAMPLES_DIR "/") + QLatin1String(name)).document.value();
    survey.particulars.reset();
    survey.shipID = fixtureShip();
    return survey;
}

// Every text the worksheet shows, box by box and cell by cell.
QMap<QString, QString> shownTexts(const QWidget& worksheet) {
    QMap<QString, QString> texts;
    for (const QLineEdit* box : worksheet.findChildren<QLineEdit*>()) {
        const QWidget* owner = box->parentWidget();
        const bool inList = qobject_cast<const QComboBox*>(owner);
        texts.insert(inList ? owner->objectName() : box->objectName(), box->text());
    }
    for (const QTableWidget* grid : worksheet.findChildren<QTableWidget*>()) {
        for (int row = 0; row < grid->rowCount(); ++row) {
            for (int column = 0; column < grid->columnCount(); ++column) {
                const QTableWidgetItem* item = grid->item(row, column);
                texts.insert(
                    QStringLiteral("%1[%2,%3]").arg(grid->objectName()).arg(row).arg(column),
                    item ? item->text() : QString());
            }
        }
    }
    return texts;
}

std::unique_ptr<SurveyWorksheet> another(WorksheetFixture& f, Worksheet kind) {
    std::unique_ptr<SurveyWorksheet> worksheet = f.makeWorksheet(kind);
    worksheet->resize(1600, 760);
    worksheet->show();
    return worksheet;
}

void showOnFixtureShip(SurveyWorksheet& worksheet, const SurveyDocument& survey,
                       const QString& path = QString()) {
    worksheet.showSurvey(survey, fixtureShip(), path);
}

} // namespace

class TestWorksheetFile : public QObject {
    Q_OBJECT

private slots:
    void savedSurveyReopensAsShown_data();
    void savedSurveyReopensAsShown();
    void partlyTypedSurveyReopens();
    void closeAsksOnlyAfterTyping_data();
    void closeAsksOnlyAfterTyping();
    void secondSaveOfOneFileWarns_data();
    void secondSaveOfOneFileWarns();
    void failedSaveKeepsTheSurveyUnsaved();
    void finalDraftAloneKeepsTheTypedNetDisplacement();
    void saveOntoAFullDiskKeepsTheOldFile_data();
    void saveOntoAFullDiskKeepsTheOldFile();
    void shipOfTheFile_data();
    void shipOfTheFile();
    void firstSaveProposesANameAndFolder_data();
    void firstSaveProposesANameAndFolder();
    void surveyParticularsAreKept_data();
    void surveyParticularsAreKept();
};

void TestWorksheetFile::firstSaveProposesANameAndFolder_data() {
    QTest::addColumn<Worksheet>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("lastFolder");
    QTest::addColumn<QString>("name");
    const QString loading =
        QStringLiteral("Tasman Sample - Port Hedland - Loading - 2024-07-13.calvane");
    QTest::newRow("first time: documents")
        << Worksheet::Loading << "loading-survey.json" << QString() << loading;
    QTest::newRow("the folder last used") << Worksheet::Loading << "loading-survey.json"
                                          << "temporary" << loading;
    QTest::newRow("last folder gone: documents") << Worksheet::Loading << "loading-survey.json"
                                                 << "/no/such/folder" << loading;
    QTest::newRow("discharging") << Worksheet::Discharging << "discharging-survey.json" << QString()
                                 << "Tasman Sample - Qingdao - Discharging - 2024-08-05.calvane";
}

void TestWorksheetFile::firstSaveProposesANameAndFolder() {
    QFETCH(Worksheet, kind);
    QFETCH(QString, file);
    QFETCH(QString, lastFolder);
    QFETCH(QString, name);
    QTemporaryDir dir;
    WorksheetFixture f(kind);
    f.host.folder = lastFolder == QStringLiteral("temporary") ? dir.path() : lastFolder;
    showOnFixtureShip(*f.worksheet, sampleOnFixtureShip(file.toLatin1().constData()));
    ScriptedFileChooser chooser;
    QVERIFY(!f.worksheet->saveSurveyAs());
    const QString folder =
        lastFolder == QStringLiteral("temporary") ? dir.path() : documentsFolder();
    QCOMPARE(chooser.proposed, QDir(folder).filePath(name));
}

void TestWorksheetFile::savedSurveyReopensAsShown_data() {
    QTest::addColumn<Worksheet>("kind");
    QTest::addColumn<QString>("file");
    QTest::newRow("loading") << Worksheet::Loading << "loading-survey.json";
    QTest::newRow("discharging") << Worksheet::Discharging << "discharging-survey.json";
}

void TestWorksheetFile::savedSurveyReopensAsShown() {
    QFETCH(Worksheet, kind);
    QFETCH(QString, file);
    WorksheetFixture f(kind);
    const SurveyDocument survey = sampleOnFixtureShip(file.toLatin1().constData());
    showOnFixtureShip(*f.worksheet, survey);
    // Calculated again on opening: the Final draft's results are there.
    QVERIFY(!f.cell("fgrdFinalResult", NetDisplacementRow, 1).isEmpty());
    QVERIFY(!f.find("txtTrueMeanDraft")->text().isEmpty());
    const QMap<QString, QString> shown = shownTexts(*f.worksheet);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("survey.json"));
    ScriptedFileChooser chooser;
    chooser.answers = QStringList{path};
    QSignalSpy saved(&f.worksheet->survey(), &Survey::saved);
    QVERIFY(f.worksheet->saveSurveyAs());
    // Announced, so that the recent files and the autosave copy follow.
    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.first().first().toString(), path);
    QVERIFY(!f.worksheet->survey().isModified());
    QVERIFY(f.worksheet->windowTitle().endsWith(QStringLiteral(" - survey.json")));
    const SurveyFileResult read = readSurveyFile(path);
    QVERIFY2(read.document, qPrintable(read.error));
    // As the worksheet holds it: the checks have written each value as the
    // sheet keeps it ("1.0250" as 1.025).
    QVERIFY(*read.document == f.worksheet->surveyDocument());
    QCOMPARE(read.document->final.deductions.keys(), survey.final.deductions.keys());
    QCOMPARE(read.document->initial.fwdPort, survey.initial.fwdPort);
    // The Initial draft gives the net displacement; none is typed.
    QCOMPARE(read.document->typedInitialNetDisplacement, QString());

    const std::unique_ptr<SurveyWorksheet> reopened = another(f, kind);
    showOnFixtureShip(*reopened, *read.document, path);
    QCOMPARE(shownTexts(*reopened), shown);
    QVERIFY(!reopened->survey().isModified());
    QCOMPARE(f.messages.texts(), QStringList());
}

void TestWorksheetFile::partlyTypedSurveyReopens() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.type(QString());
    f.type(QStringLiteral("V-9"));
    f.find("txtDensity")->setFocus();
    f.type(QStringLiteral("1.025"));
    f.type(QStringLiteral("5.5"));
    QVERIFY(f.worksheet->survey().isModified());
    QVERIFY(f.worksheet->windowTitle().endsWith(QStringLiteral(" *")));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("partly.json"));
    ScriptedFileChooser chooser;
    chooser.answers = QStringList{path};
    f.worksheet->RSave();
    QCOMPARE(f.messages.texts(), QStringList());
    const SurveyFileResult read = readSurveyFile(path);
    QVERIFY2(read.document, qPrintable(read.error));
    QCOMPARE(read.document->initial.fwdPort, QStringLiteral("5.5"));

    const std::unique_ptr<SurveyWorksheet> reopened = another(f, Worksheet::Loading);
    showOnFixtureShip(*reopened, *read.document, path);
    QCOMPARE(shownTexts(*reopened), shownTexts(*f.worksheet));
    QCOMPARE(f.messages.texts(), QStringList());
}

void TestWorksheetFile::closeAsksOnlyAfterTyping_data() {
    QTest::addColumn<bool>("typed");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("chosenFile");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");
    QTest::newRow("nothing typed") << false << MessageAnswer::Cancel << "" << true << false;
    QTest::newRow("cancel keeps the window")
        << true << MessageAnswer::Cancel << "" << false << false;
    QTest::newRow("discard") << true << MessageAnswer::Discard << "" << true << false;
    QTest::newRow("save") << true << MessageAnswer::Save << "s.json" << true << true;
    QTest::newRow("save, file dialog cancelled")
        << true << MessageAnswer::Save << "" << false << false;
}

void TestWorksheetFile::closeAsksOnlyAfterTyping() {
    QFETCH(bool, typed);
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, chosenFile);
    QFETCH(bool, closes);
    QFETCH(bool, written);
    WorksheetFixture f(Worksheet::Discharging);
    if (typed) {
        f.chooseShip();
        f.type(QString());
    }
    QTemporaryDir dir;
    ScriptedFileChooser chooser;
    if (!chosenFile.isEmpty())
        chooser.answers = QStringList{dir.filePath(chosenFile)};
    f.messages.queueAnswer(answer);
    QCOMPARE(f.worksheet->close(), closes);
    QCOMPARE(f.messages.shown().size(), typed ? 1 : 0);
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("s.json"))), written);
}

void TestWorksheetFile::secondSaveOfOneFileWarns_data() {
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("voyageKept");
    QTest::newRow("keep the other's") << MessageAnswer::No << "first";
    QTest::newRow("replace") << MessageAnswer::Yes << "second";
}

void TestWorksheetFile::secondSaveOfOneFileWarns() {
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, voyageKept);
    WorksheetFixture f(Worksheet::Loading);
    SurveyDocument survey = sampleOnFixtureShip("loading-survey.json");
    survey.final = DraftEntry{};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shared.json"));
    QCOMPARE(writeSurveyFile(survey, path), QString());
    showOnFixtureShip(*f.worksheet, survey, path);
    const std::unique_ptr<SurveyWorksheet> second = another(f, Worksheet::Loading);
    showOnFixtureShip(*second, survey, path);

    auto* voyage = f.find("txtVoyageID");
    voyage->setText(QStringLiteral("first"));
    f.worksheet->RSave();
    second->findChild<QLineEdit*>(QStringLiteral("txtVoyageID"))->setText(QStringLiteral("second"));
    f.messages.queueAnswer(answer);
    second->RSave();
    QCOMPARE(f.messages.texts().size(), 1);
    QVERIFY(f.messages.texts().first().contains(QStringLiteral("changed on disk")));
    QCOMPARE(readSurveyFile(path).document->voyage, voyageKept);
}

void TestWorksheetFile::failedSaveKeepsTheSurveyUnsaved() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.type(QString());
    QTemporaryDir dir;
    ScriptedFileChooser chooser;
    chooser.answers = QStringList{dir.filePath(QStringLiteral("missing/folder/s.json"))};
    f.worksheet->RSave();
    QCOMPARE(f.messages.texts().size(), 1);
    QVERIFY(f.messages.texts().first().startsWith(QStringLiteral("The survey was not saved.")));
    QVERIFY(f.worksheet->survey().isModified());
    QVERIFY(f.worksheet->survey().filePath().isEmpty());
    QVERIFY(f.worksheet->isVisible());
}

namespace {

// Keeps what it is asked to preview.
class RecordingPrinter : public ReportPrinter {
public:
    std::optional<ReportSource> previewed;
    void preview(const ReportSource& source) override { previewed = source; }
    void print(const ReportSource&) override {}
};

} // namespace

// A discharge whose arrival draft was taken elsewhere: the Final draft and
// the arrival's net displacement typed on the Final tab.
void TestWorksheetFile::finalDraftAloneKeepsTheTypedNetDisplacement() {
    SurveyDocument asTyped =
        readSurveyFile(QStringLiteral(SAMPLES_DIR "/discharging-survey.json")).document.value();
    asTyped.initial = DraftEntry{};
    asTyped.typedInitialNetDisplacement = QStringLiteral("90000");
    // The command line first, as it ends the shared connection; the sample's
    // ship has the fixture ship's particulars.
    QTemporaryDir dir;
    const QString typedFile = dir.filePath(QStringLiteral("typed.json"));
    QCOMPARE(writeSurveyFile(asTyped, typedFile), QString());
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = runSurveyCommand(
        {QStringLiteral("compute"), QStringLiteral("--json"), typedFile}, outStream, errStream);
    outStream.flush();
    errStream.flush();
    QCOMPARE(err, QString());
    QCOMPARE(status, 0);
    const QString commandCargo = QJsonDocument::fromJson(out.toUtf8())
                                     .object()
                                     .value(QStringLiteral("results"))
                                     .toObject()
                                     .value(QStringLiteral("Total Cargo Discharged"))
                                     .toString();

    WorksheetFixture f(Worksheet::Discharging);
    SurveyDocument survey = asTyped;
    survey.particulars.reset();
    survey.shipID = fixtureShip();
    showOnFixtureShip(*f.worksheet, survey);
    QCOMPARE(f.messages.texts(), QStringList());
    QCOMPARE(f.find<QTabBar>("sstCalvane")->currentIndex(), 1);
    QCOMPARE(f.find("txtFwdPort")->text(), survey.final.fwdPort);
    QCOMPARE(f.find("txtFnlGrdTxtBox")->text(), QStringLiteral("90000"));
    QCOMPARE(Decimal::fromText(f.find("txtFinTotCargoDis")->text()),
             Decimal::fromText(commandCargo));

    const QString path = dir.filePath(QStringLiteral("final.json"));
    ScriptedFileChooser chooser;
    chooser.answers = QStringList{path};
    QVERIFY(f.worksheet->saveSurveyAs());
    const SurveyFileResult read = readSurveyFile(path);
    QVERIFY2(read.document, qPrintable(read.error));
    QVERIFY(read.document->initial == DraftEntry{});
    QCOMPARE(read.document->final.fwdPort, survey.final.fwdPort);
    QCOMPARE(read.document->typedInitialNetDisplacement, QStringLiteral("90000"));

    // Print Preview offers to leave the Initial column out.
    RecordingPrinter printer;
    const ScopedReportPrinter installed(&printer);
    f.messages.queueAnswer(MessageAnswer::Yes);
    f.worksheet->RPrint();
    QCOMPARE(f.messages.texts(),
             QStringList{twoPartText(QStringLiteral("Incomplete Initial draft...!"),
                                     QStringLiteral("Would you like to discard initial draft "
                                                    "details and continue ?"))});
    QVERIFY(printer.previewed);
    QVERIFY(!printer.previewed->initial);
    QVERIFY(printer.previewed->final);
}

void TestWorksheetFile::saveOntoAFullDiskKeepsTheOldFile_data() {
    QTest::addColumn<int>("step"); // -1: a real full file system
    QTest::newRow("a write fails") << int(DurableFile::Step::Write);
    QTest::newRow("the sync fails") << int(DurableFile::Step::Sync);
    QTest::newRow("the close fails") << int(DurableFile::Step::Close);
    QTest::newRow("the rename fails") << int(DurableFile::Step::Rename);
    QTest::newRow("a full file system") << -1;
}

void TestWorksheetFile::saveOntoAFullDiskKeepsTheOldFile() {
    QFETCH(int, step);
    const FullDisk disk;
    if (step < 0 && !disk.mounted())
        QSKIP("a small file system cannot be mounted here");
    const QTemporaryDir dir;
    const QString path = (step < 0 ? disk.filePath(QStringLiteral("survey.json"))
                                   : dir.filePath(QStringLiteral("survey.json")));
    const auto contents = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    WorksheetFixture f(Worksheet::Loading);
    SurveyDocument survey = sampleOnFixtureShip("loading-survey.json");
    survey.final = DraftEntry{};
    QCOMPARE(writeSurveyFile(survey, path), QString());
    const QByteArray old = contents();
    showOnFixtureShip(*f.worksheet, survey, path);
    f.find("txtVoyageID")->setFocus();
    f.type(QStringLiteral("changed"));
    QVERIFY(f.worksheet->survey().isModified());
    if (step < 0)
        QVERIFY(disk.fill());
    else
        DurableFile::failNextWriteAt(DurableFile::Step(step));

    f.worksheet->RSave();
    QCOMPARE(f.messages.texts().size(), 1);
    const QString said = f.messages.texts().first();
    QVERIFY2(said.startsWith(QStringLiteral("The survey was not saved.")) &&
                 said.contains(QStringLiteral("survey.json: No space left on device")),
             qPrintable(said));
    QVERIFY(f.worksheet->survey().isModified());
    QVERIFY(f.worksheet->windowTitle().endsWith(QStringLiteral(" *")));
    QCOMPARE(contents(), old);
    QVERIFY(!QDir(QFileInfo(path).path())
                 .entryList(QDir::Files | QDir::Hidden)
                 .filter(QLatin1String(DurableFile::temporarySuffix))
                 .size());
}

void TestWorksheetFile::shipOfTheFile_data() {
    QTest::addColumn<int>("shipID");
    QTest::addColumn<QString>("lbp");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("expected");
    // The file names the fixture's ship (LBP 217), one not in the register,
    // or none (0); it opens on the fixture's ship, a ship added, or nothing.
    QTest::newRow("same particulars") << 1 << "217.0" << MessageAnswer::Ok << 0 << "fixture";
    QTest::newRow("changed, the register's") << 1 << "218" << MessageAnswer::No << 1 << "fixture";
    QTest::newRow("changed, the file's") << 1 << "218" << MessageAnswer::Yes << 1 << "added";
    QTest::newRow("changed, cancelled") << 1 << "218" << MessageAnswer::Cancel << 1 << "nothing";
    QTest::newRow("missing, added") << 999 << "217" << MessageAnswer::Ok << 1 << "added";
    QTest::newRow("inline, found") << 0 << "217" << MessageAnswer::Ok << 0 << "fixture";
    QTest::newRow("inline, added") << 0 << "216" << MessageAnswer::Ok << 1 << "added";
}

void TestWorksheetFile::shipOfTheFile() {
    QFETCH(int, shipID);
    QFETCH(QString, lbp);
    QFETCH(MessageAnswer, answer);
    QFETCH(int, questions);
    QFETCH(QString, expected);
    WorksheetFixture f(Worksheet::Loading);
    SurveyDocument survey;
    if (shipID == 1)
        survey.shipID = fixtureShip();
    else if (shipID > 0)
        survey.shipID = shipID;
    survey.particulars =
        ShipParticulars{QStringLiteral("Tasman Sample"), lbp, QStringLiteral("10800")};
    f.messages.queueAnswer(answer);
    const std::optional<int> chosen = shipForSurvey(survey);
    QCOMPARE(f.messages.shown().size(), questions);
    if (expected == QStringLiteral("nothing"))
        QVERIFY(!chosen);
    else if (expected == QStringLiteral("fixture"))
        QCOMPARE(chosen.value_or(0), fixtureShip());
    else
        QVERIFY(chosen.value_or(0) > fixtureShip());
}

// The particulars are edited in their dialog, count as a change only when
// accepted with something new, and come back with the survey.
void TestWorksheetFile::surveyParticularsAreKept_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDialogButtonBox::StandardButton>("button");
    QTest::addColumn<QString>("kept");
    QTest::newRow("accepted") << "Berth 3" << QDialogButtonBox::Ok << "Berth 3";
    QTest::newRow("cancelled") << "Berth 3" << QDialogButtonBox::Cancel << "";
    QTest::newRow("nothing new") << "" << QDialogButtonBox::Ok << "";
}

void TestWorksheetFile::surveyParticularsAreKept() {
    QFETCH(QString, typed);
    QFETCH(QDialogButtonBox::StandardButton, button);
    QFETCH(QString, kept);
    WorksheetFixture f(Worksheet::Loading);
    showOnFixtureShip(*f.worksheet, sampleOnFixtureShip("loading-survey.json"));
    QVERIFY(!f.worksheet->survey().isModified());

    f.find<QPushButton>("cmdSurveyParticulars")->click();
    auto* dialog = f.worksheet->findChild<SurveyParticularsDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtPlace")), typed);
    dialog->findChild<QDialogButtonBox*>()->button(button)->click();
    QCOMPARE(f.worksheet->survey().isModified(), !kept.isEmpty());
    const SurveyDocument shown = f.worksheet->surveyDocument();
    QCOMPARE(shown.surveyParticulars.place, kept);

    const std::unique_ptr<SurveyWorksheet> reopened = another(f, Worksheet::Loading);
    showOnFixtureShip(*reopened, shown);
    reopened->findChild<QPushButton*>(QStringLiteral("cmdSurveyParticulars"))->click();
    auto* again = reopened->findChild<SurveyParticularsDialog*>();
    QVERIFY(again);
    QCOMPARE(again->findChild<QLineEdit*>(QStringLiteral("txtPlace"))->text(), kept);
}

QTEST_MAIN(TestWorksheetFile)
#include "test_worksheet_file.moc"
