#include "survey_command.h"
#include "survey_file.h"
#include "survey_typing.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QScrollBar>

Q_DECLARE_METATYPE(Worksheet)
Q_DECLARE_METATYPE(Qt::Key)

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
};

void TestWorksheetSurvey::typedSurveyAgreesWithTheCommand_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Worksheet>("kind");
    QTest::addColumn<Qt::Key>("next");
    // The worksheet's room in the main window maximized on the screen
    // named, below the desktop's panel and the window's title, menus,
    // toolbar and status bar; none: as large as the sheet wants.
    QTest::addColumn<QSize>("room");
    const QString loading = sample("loading-survey.json");
    const QString discharging = sample("discharging-survey.json");
    QTest::newRow("loading, Enter") << loading << Worksheet::Loading << Qt::Key_Return << QSize();
    QTest::newRow("discharging, Enter")
        << discharging << Worksheet::Discharging << Qt::Key_Return << QSize();
    QTest::newRow("loading, Tab, 1366x768")
        << loading << Worksheet::Loading << Qt::Key_Tab << QSize(1366, 768 - 210);
    QTest::newRow("loading, Tab, 1280x800")
        << loading << Worksheet::Loading << Qt::Key_Tab << QSize(1280, 800 - 210);
    QTest::newRow("discharging, Tab, 1366x768")
        << discharging << Worksheet::Discharging << Qt::Key_Tab << QSize(1366, 768 - 210);
}

void TestWorksheetSurvey::typedSurveyAgreesWithTheCommand() {
    QFETCH(QString, file);
    QFETCH(Worksheet, kind);
    QFETCH(Qt::Key, next);
    QFETCH(QSize, room);
    const SurveyFileResult read = readSurveyFile(file);
    QVERIFY2(read.document, qPrintable(read.error));
    const SurveyDocument& survey = *read.document;
    QCOMPARE(survey.particulars->lbp, QStringLiteral("217"));
    QCOMPARE(survey.particulars->lightShip, QStringLiteral("10800"));
    const QJsonObject expected = commandResults(file);
    WorksheetFixture f(kind);
    if (room.isValid()) {
        f.worksheet->resize(room);
        QCoreApplication::processEvents();
        // The sheet scrolls up and down only, so the results stand beside
        // Calculate.
        QCOMPARE(f.find<QScrollArea>("scrollWorksheet")->horizontalScrollBar()->isVisible(), false);
        f.watchView = true;
    }
    QCOMPARE(f.focused(), QStringLiteral("dcbShip"));

    using namespace survey_typing;
    typeOpening(f, survey, next);
    typeDraft(f, survey, survey.initial, next);
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

    enterFinalTab(f, next);
    typeDraft(f, survey, survey.final, next);
    QCOMPARE(f.outOfView, QStringList());
    QCOMPARE(f.messages.texts(), QStringList());
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
