#include "survey_command.h"
#include "survey_file.h"
#include "survey_typing.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

Q_DECLARE_METATYPE(Worksheet)

namespace {

QString sample(const char* name) {
    return QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name);
}

// What calvane-survey prints as results for the same file.
QJsonObject commandResults(const QString& file) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    runSurveyCommand({QStringLiteral("compute"), QStringLiteral("--json"), file}, outStream,
                     errStream);
    outStream.flush();
    return QJsonDocument::fromJson(out.toUtf8())
        .object()
        .value(QStringLiteral("results"))
        .toObject();
}

// The rows calvane-survey prints for one draft, by their titles, as the
// worksheet's results grid shows them.
QMap<QString, QString> printedRows(const QString& file, const QString& heading) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    runSurveyCommand({QStringLiteral("compute"), file}, outStream, errStream);
    outStream.flush();
    QMap<QString, QString> rows;
    const QStringList lines = out.split(u'\n');
    for (qsizetype i = lines.indexOf(heading) + 1; i > 0 && i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            break;
        rows.insert(lines[i].left(33).trimmed(), lines[i].mid(33).trimmed());
    }
    return rows;
}

// Every row of the results grid the printout has, text for text: the
// places each figure is shown to included.
void compareResultsGrid(const WorksheetFixture& f, const QMap<QString, QString>& printed) {
    const auto* grid = f.find<QTableWidget>("fgrdFinalResult");
    int compared = 0;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QString title = f.cell("fgrdFinalResult", row, 0);
        if (!printed.contains(title))
            continue;
        QCOMPARE(f.cell("fgrdFinalResult", row, 1), printed.value(title));
        ++compared;
    }
    QVERIFY2(compared >= 9, qPrintable(QString::number(compared)));
}

bool sameNumber(const QString& shown, const QString& expected) {
    const std::optional<Decimal> a = Decimal::tryParse(shown);
    const std::optional<Decimal> b = Decimal::tryParse(expected);
    if (!a || !b || *a != *b)
        qWarning() << "shown" << shown << "expected" << expected;
    return a && b && *a == *b;
}

} // namespace

class TestWorksheetSurvey : public QObject {
    Q_OBJECT

private slots:
    void typedSurveyAgreesWithTheCommand_data();
    void typedSurveyAgreesWithTheCommand();
    void shipBreakingTheParticularsRulesIsRefused_data();
    void shipBreakingTheParticularsRulesIsRefused();
};

void TestWorksheetSurvey::typedSurveyAgreesWithTheCommand_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Worksheet>("kind");
    QTest::newRow("loading") << sample("loading-survey.json") << Worksheet::Loading;
    QTest::newRow("discharging") << sample("discharging-survey.json") << Worksheet::Discharging;
}

void TestWorksheetSurvey::typedSurveyAgreesWithTheCommand() {
    QFETCH(QString, file);
    QFETCH(Worksheet, kind);
    const SurveyFileResult read = readSurveyFile(file);
    QVERIFY2(read.document, qPrintable(read.error));
    const SurveyDocument& survey = *read.document;
    QCOMPARE(survey.particulars->lbp, QStringLiteral("217"));
    QCOMPARE(survey.particulars->lightShip, QStringLiteral("10800"));
    // The command runs before the worksheet: it ends the shared connection.
    const QJsonObject expected = commandResults(file);
    const QMap<QString, QString> initialRows = printedRows(file, QStringLiteral("INITIAL DRAFT"));
    const QMap<QString, QString> finalRows = printedRows(file, QStringLiteral("FINAL DRAFT"));
    WorksheetFixture f(kind);

    using namespace survey_typing;
    typeOpening(f, survey);
    typeDraft(f, survey, survey.initial);
    QCOMPARE(f.messages.texts(), QStringList());
    compareResultsGrid(f, initialRows);
    const auto result = [&](const char* name) {
        return expected.value(QString::fromLatin1(name)).toString();
    };
    if (kind == Worksheet::Loading) {
        QVERIFY(sameNumber(f.find("txtConstant")->text(), result("Constant")));
    } else {
        QVERIFY(sameNumber(f.cell("fgrdFinalResult", 11, 1), result("Cargo + Constant")));
        QVERIFY(sameNumber(f.find("txtAssumedConstant")->text(), result("Assumed Constant")));
    }

    QVERIFY(!f.find("txtDeflection")->text().isEmpty());
    enterFinalTab(f);
    // The Final draft is not taken yet: no deflection of the Initial one.
    QCOMPARE(f.find("txtDeflection")->text(), QString());
    QVERIFY(!f.find<QWidget>("lblHogSag")->isVisible());
    typeDraft(f, survey, survey.final);
    compareResultsGrid(f, finalRows);
    if (kind == Worksheet::Loading) {
        QVERIFY(sameNumber(f.find("txtTotCargoLoaded")->text(), result("Total Cargo Loaded")));
    } else {
        QVERIFY(sameNumber(f.find("txtFinTotCargoDis")->text(), result("Total Cargo Discharged")));
        QVERIFY(sameNumber(f.find("txtConstant")->text(), result("Constant")));
    }
    if (qEnvironmentVariableIsSet("CALVANE_SCREENSHOT"))
        f.worksheet->grab().save(qEnvironmentVariable("CALVANE_SCREENSHOT"));
}

// clang-format off
void TestWorksheetSurvey::shipBreakingTheParticularsRulesIsRefused_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("rule");
    const QString lbp = QStringLiteral("LBP can only be a positive number greater than 0 and less than 1000.");
    const QString lightShip = QStringLiteral("Value of Light Ship can only be a positive number greater than 0 and less than 1000000.");
    QTest::newRow("negative LBP") << "UPDATE Ship SET LBP = '-217'" << lbp;
    QTest::newRow("LBP 0") << "UPDATE Ship SET LBP = '0'" << lbp;
    QTest::newRow("negative light ship") << "UPDATE Ship SET LightShip = '-5'" << lightShip;
    QTest::newRow("no light ship") << "UPDATE Ship SET LightShip = NULL" << lightShip;
}
// clang-format on

void TestWorksheetSurvey::shipBreakingTheParticularsRulesIsRefused() {
    QFETCH(QString, damage);
    QFETCH(QString, rule);
    const SurveyFileResult read = readSurveyFile(sample("loading-survey.json"));
    QVERIFY2(read.document, qPrintable(read.error));
    WorksheetFixture f(Worksheet::Loading);
    gcnnStore->execute(damage);

    using namespace survey_typing;
    typeOpening(f, *read.document);
    typeDraft(f, *read.document, read.document->initial);
    // Said on Calculate, and only then: the drafts are not corrected
    // meanwhile.
    const QString refusal = QStringLiteral("Tasman Sample cannot be surveyed with its particulars "
                                           "in the ship register.\r\n\r\n") +
                            rule;
    QCOMPARE(f.messages.texts(), QStringList{refusal});
    QCOMPARE(f.find("txtConstant")->text(), QString());
}

QTEST_MAIN(TestWorksheetSurvey)
#include "test_worksheet_survey.moc"
