#include "rowset.h"
#include "survey_command.h"
#include "survey_file.h"
#include "worksheet_fixture.h"

#include <QJsonDocument>
#include <QJsonObject>

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

QString digits(const QString& text) {
    return QString(text).remove(u'-').remove(u':');
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

private:
    // Types one draft from the date on, through the Enter path, and
    // calculates it.
    static void typeDraft(WorksheetFixture& f, const SurveyDocument& survey, const DraftEntry& e);
};

void TestWorksheetSurvey::typeDraft(WorksheetFixture& f, const SurveyDocument& survey,
                                    const DraftEntry& e) {
    QCOMPARE(f.focused(), QStringLiteral("mbxDate"));
    for (const QString& text : {digits(e.date), digits(e.time), e.density, e.fwdPort, e.fwdStbd,
                                e.midPort, e.midStbd, e.aftPort, e.aftStbd, e.fwdX, e.midX})
        f.type(text);
    QCOMPARE(f.focused(), QStringLiteral("txtAftX"));
    f.type(e.aftX);
    QCOMPARE(f.focused(), QStringLiteral("txtHDTGridTextbox"));
    const HydrostaticLine lines[] = {e.below, e.above};
    for (int column = 0; column < 4; ++column) {
        for (const HydrostaticLine& line : lines) {
            const QString values[] = {line.draft, line.displacement, line.tpc, line.lcf};
            f.type(values[column]);
        }
    }
    QCOMPARE(f.focused(), QStringLiteral("txtMPGridTextbox"));
    for (const QString& text :
         {e.mctcPlus50Below, e.mctcPlus50Above, e.mctcMinus50Below, e.mctcMinus50Above})
        f.type(text);
    QCOMPARE(f.focused(), QStringLiteral("txtGridTextbox"));
    RowSet items;
    items.open(QStringLiteral("SELECT ItemID, ItemName FROM DeductionMaster"), *gcnnStore);
    for (items.moveFirst(); !items.atEnd(); items.moveNext())
        f.type(e.deductions.value(int(items.field(QStringLiteral("ItemID")).toWhole())));
    QCOMPARE(f.focused(), QStringLiteral("txtComments"));
    f.type(e.comments);
    if (f.focused() == QStringLiteral("txtBLQty"))
        f.type(survey.billOfLadingQuantity);
    if (f.focused() == QStringLiteral("txtFnlGrdTxtBox"))
        f.type(QString());
    QCOMPARE(f.focused(), QStringLiteral("cmdCalculate"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCoreApplication::processEvents();
}

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
    const QJsonObject expected = commandResults(file);
    WorksheetFixture f(kind);

    f.chooseShip();
    f.type(QString());
    f.type(survey.voyage);
    QCOMPARE(f.focused(), QStringLiteral("dcbPort"));
    f.type(survey.port);
    f.type(survey.cargo);
    typeDraft(f, survey, survey.initial);
    QCOMPARE(f.messages.texts(), QStringList());
    const auto result = [&](const char* name) {
        return expected.value(QString::fromLatin1(name)).toString();
    };
    if (kind == Worksheet::Loading) {
        QVERIFY(sameNumber(f.find("txtConstant")->text(), result("Constant")));
    } else {
        QVERIFY(sameNumber(f.cell("fgrdFinalResult", 11, 1), result("Cargo + Constant")));
        QVERIFY(sameNumber(f.find("txtAssumedConstant")->text(), result("Assumed Constant")));
    }

    f.find<QTabBar>("sstCalvane")->setCurrentIndex(2);
    QCOMPARE(f.focused(), QStringLiteral("txtVoyageID"));
    for (int field = 0; field < 3; ++field)
        f.type(QString());
    typeDraft(f, survey, survey.final);
    if (kind == Worksheet::Loading) {
        QVERIFY(sameNumber(f.find("txtTotCargoLoaded")->text(), result("Total Cargo Loaded")));
    } else {
        QVERIFY(sameNumber(f.find("txtFinTotCargoDis")->text(), result("Total Cargo Discharged")));
        QVERIFY(sameNumber(f.find("txtConstant")->text(), result("Constant")));
    }
    if (qEnvironmentVariableIsSet("CALVANE_SCREENSHOT"))
        f.worksheet->grab().save(qEnvironmentVariable("CALVANE_SCREENSHOT"));
}

QTEST_MAIN(TestWorksheetSurvey)
#include "test_worksheet_survey.moc"
