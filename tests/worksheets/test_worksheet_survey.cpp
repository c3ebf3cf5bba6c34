#include "input_grid.h"
#include "register.h"
#include "survey_command.h"
#include "survey_file.h"
#include "survey_typing.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QScrollBar>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(Worksheet)
Q_DECLARE_METATYPE(Qt::Key)

namespace {

QString sample(const char* name) {
    return QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name);
}

// What calvane-survey prints as JSON for the same file.
QJsonObject commandJson(const QString& file) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    runSurveyCommand({QStringLiteral("compute"), QStringLiteral("--json"), file}, outStream,
                     errStream);
    outStream.flush();
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    void rowsComeFromTheShipsTable();
    void rowsLeftToTheTableAreFilledAndStayMarked();
    void checksShowWhileTyping();

private:
    QTemporaryDir m_dir;
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
    // A misread aft mark: the Checks panel says so, the figures still agree.
    QByteArray twisted = readFileBytes(loading);
    twisted.replace("\"aftStbd\": \"6.83\"", "\"aftStbd\": \"6.90\"");
    const QString twistedFile = m_dir.filePath(QStringLiteral("twisted.json"));
    QFile out(twistedFile);
    out.open(QIODevice::WriteOnly);
    out.write(twisted);
    out.close();
    QTest::newRow("loading, twisted")
        << twistedFile << Worksheet::Loading << Qt::Key_Return << QSize();
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
    // The command runs before the worksheet: it ends the shared connection.
    const QJsonObject printed = commandJson(file);
    const QJsonObject expected = printed.value(QStringLiteral("results")).toObject();
    const QString uncertainty = printed.value(QStringLiteral("uncertainty"))
                                    .toObject()
                                    .value(QStringLiteral("text"))
                                    .toString();
    const QMap<QString, QString> initialRows = printedRows(file, QStringLiteral("INITIAL DRAFT"));
    const QMap<QString, QString> finalRows = printedRows(file, QStringLiteral("FINAL DRAFT"));
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
    enterFinalTab(f, next);
    // The Final draft is not taken yet: no deflection of the Initial one.
    QCOMPARE(f.find("txtDeflection")->text(), QString());
    QVERIFY(!f.find<QWidget>("lblHogSag")->isVisible());
    typeDraft(f, survey, survey.final, next);
    compareResultsGrid(f, finalRows);
    QCOMPARE(f.outOfView, QStringList());
    QCOMPARE(f.messages.texts(), QStringList());
    if (kind == Worksheet::Loading) {
        QVERIFY(sameNumber(f.find("txtTotCargoLoaded")->text(), result("Total Cargo Loaded")));
    } else {
        QVERIFY(sameNumber(f.find("txtFinTotCargoDis")->text(), result("Total Cargo Discharged")));
        QVERIFY(sameNumber(f.find("txtConstant")->text(), result("Constant")));
    }
    QVERIFY(!uncertainty.isEmpty());
    QVERIFY2(
        f.find<QLabel>("lblCargoUncertainty")
            ->text()
            .startsWith(QStringLiteral("Cargo ") + uncertainty + QStringLiteral("\nworst case ± ")),
        qPrintable(f.find<QLabel>("lblCargoUncertainty")->text()));
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

// The sample ship's table from 13 m to 15 m, its figures straight in the
// draft: displacement 6000 t a metre, TPC 60, LCF 1.5, MCTC 1000 + 10 a metre.
void storeStraightTable() {
    const Register records(*gcnnStore);
    ShipTable table;
    table.shipID = int(records.shipsNamed(QStringLiteral("Tasman Sample")).first().id);
    table.declaration.source = QStringLiteral("Booklet p. 12");
    for (Decimal draft = 13; draft <= Decimal(15); draft = draft + Decimal::fromText(u"0.01")) {
        TableRow row;
        row[TableColumn::Draft] = draft;
        row[TableColumn::Displacement] = draft * Decimal(6000);
        row[TableColumn::TPC] = Decimal(60);
        row[TableColumn::LCF] = Decimal::fromText(u"1.5");
        row[TableColumn::MCTC] = Decimal(1000) + draft * Decimal(10);
        table.rows.append(row);
    }
    records.insertShipTable(table);
}

void TestWorksheetSurvey::rowsComeFromTheShipsTable() {
    const SurveyFileResult read = readSurveyFile(sample("loading-survey.json"));
    QVERIFY2(read.document, qPrintable(read.error));
    const DraftEntry& e = read.document->final;
    WorksheetFixture f(Worksheet::Loading);
    storeStraightTable();
    using namespace survey_typing;
    typeOpening(f, *read.document);
    for (const QString& text : {digits(e.date), digits(e.time), e.density, e.fwdPort, e.fwdStbd,
                                e.midPort, e.midStbd, e.aftPort, e.aftStbd, e.fwdX, e.midX, e.aftX})
        f.type(text);
    // True mean draft 14.0377...: the rows 14.03 and 14.04, the MCTC half a
    // metre above and below each.
    const auto hdt = [&f](int row, int column) { return f.cell("fgrdHDT", row - 1, column - 1); };
    QCOMPARE((QStringList{hdt(1, 1), hdt(1, 2), hdt(1, 3), hdt(1, 4), hdt(2, 1), hdt(2, 2)}),
             QString::fromLatin1("14.03 84180 60 1.5 14.04 84240").split(u' '));
    QCOMPARE((QStringList{f.cell("fgrdMCTCP50", 0, 0), f.cell("fgrdMCTCP50", 0, 1),
                          f.cell("fgrdMCTCM50", 1, 0), f.cell("fgrdMCTCM50", 1, 1)}),
             QString::fromLatin1("14.53 1145.3 13.54 1135.4").split(u' '));
    const QTableWidgetItem& filled = *f.find<QTableWidget>("fgrdHDT")->item(0, 1);
    QCOMPARE(filled.background().color(), InputGrid::filledColour());
    QCOMPARE(filled.toolTip(), QStringLiteral("From the ship's hydrostatic table: Booklet p. 12"));
    QCOMPARE(f.messages.texts(), QStringList());
    if (qEnvironmentVariableIsSet("CALVANE_SCREENSHOT"))
        f.worksheet->grab().save(qEnvironmentVariable("CALVANE_SCREENSHOT"));

    // The surveyor's own TPC stays when the draft moves on; the rest follows.
    QCOMPARE(f.focused(), QStringLiteral("txtHDTGridTextbox"));
    for (int cell = 0; cell < 4; ++cell)
        f.type(QString());
    f.type(QStringLiteral("61"));
    f.find("txtFwdPort")->setFocus();
    f.type(QStringLiteral("13.98"));
    QCOMPARE((QStringList{hdt(1, 1), hdt(1, 3), hdt(2, 3)}),
             QString::fromLatin1("14.04 61 60").split(u' '));
    QVERIFY(f.find<QTableWidget>("fgrdHDT")->item(0, 2)->toolTip().isEmpty());

    // Half a metre above the rows is off the table: the MCTC is left to be
    // typed. Off the table altogether: said once, and nothing of the table
    // is left but what the surveyor typed.
    for (const char* reading : {"txtFwdPort", "txtFwdStbd"}) {
        f.find(reading)->setFocus();
        f.type(QStringLiteral("17.9"));
    }
    QCOMPARE((QStringList{hdt(1, 1), f.cell("fgrdMCTCP50", 0, 1), f.cell("fgrdMCTCM50", 0, 1)}),
             QString::fromLatin1("14.53 - -")
                 .split(u' ')
                 .replaceInStrings(QStringLiteral("-"), QString()));
    for (const char* reading : {"txtMidShipPort", "txtMidshipStbd"}) {
        f.find(reading)->setFocus();
        f.type(QStringLiteral("17.9"));
    }
    QCOMPARE(f.messages.texts(),
             (QStringList{QStringLiteral("The ship's table gives no MCTC at 15.03 m: type the "
                                         "MCTC rows."),
                          QStringLiteral("The true mean draft 15.98116025 m is outside the "
                                         "ship's table (13 m to 15 m): type the hydrostatic "
                                         "rows.")}));
    QCOMPARE((QStringList{hdt(1, 1), hdt(1, 2), hdt(1, 3), f.cell("fgrdMCTCM50", 0, 1)}),
             QString::fromLatin1("- - 61 -")
                 .split(u' ')
                 .replaceInStrings(QStringLiteral("-"), QString()));
}

void TestWorksheetSurvey::rowsLeftToTheTableAreFilledAndStayMarked() {
    const SurveyFileResult read = readSurveyFile(sample("loading-survey.json"));
    QVERIFY2(read.document, qPrintable(read.error));
    SurveyDocument survey = *read.document;
    // A file that leaves the Final draft's rows to the ship's table, as the
    // command reads it.
    DraftEntry& e = survey.final;
    e.below = e.above = HydrostaticLine{};
    e.mctcPlus50Below = e.mctcPlus50Above = e.mctcMinus50Below = e.mctcMinus50Above = QString();
    WorksheetFixture f(Worksheet::Loading);
    storeStraightTable();
    const Register records(*gcnnStore);
    f.worksheet->showSurvey(
        survey, int(records.shipsNamed(QStringLiteral("Tasman Sample")).first().id), QString());
    const auto marked = [&f] {
        QStringList cells;
        for (const char* name : {"fgrdHDT", "fgrdMCTCP50", "fgrdMCTCM50"}) {
            const QTableWidget& grid = *f.find<QTableWidget>(name);
            for (int row = 0; row < grid.rowCount(); ++row)
                for (int column = 0; column < grid.columnCount(); ++column)
                    if (grid.item(row, column)->background().color() == InputGrid::filledColour())
                        cells << grid.item(row, column)->text();
        }
        return cells;
    };
    const QStringList fromTable =
        QString::fromLatin1("14.03 84180 60 1.5 14.04 84240 60 1.5 1145.3 1145.4 1135.3 1135.4")
            .split(u' ');
    QCOMPARE(f.find<QTabBar>("sstCalvane")->currentIndex(), 1);
    QCOMPARE(marked(), fromTable);
    QVERIFY(!f.find("txtTotCargoLoaded")->text().isEmpty());
    QCOMPARE(f.messages.texts(), QStringList());

    // The typed Initial rows are the surveyor's; the Final's stay the
    // table's when shown again.
    f.find<QTabBar>("sstCalvane")->setCurrentIndex(0);
    QCOMPARE(marked(), QStringList());
    f.find<QTabBar>("sstCalvane")->setCurrentIndex(1);
    QCOMPARE(marked(), fromTable);
    QCOMPARE(f.messages.texts(), QStringList());
}

// A twisted hull shows in the Checks panel once the readings are typed,
// before Calculate, and no message box asks about it.
void TestWorksheetSurvey::checksShowWhileTyping() {
    const SurveyFileResult read = readSurveyFile(sample("loading-survey.json"));
    QVERIFY2(read.document, qPrintable(read.error));
    const DraftEntry& e = read.document->initial;
    WorksheetFixture f(Worksheet::Loading);
    using namespace survey_typing;
    typeOpening(f, *read.document);
    const auto* checks = f.find<QListWidget>("lstChecks");
    for (const QString& text : {digits(e.date), digits(e.time), e.density, e.fwdPort, e.fwdStbd,
                                e.midPort, e.midStbd, e.aftPort, QStringLiteral("6.90")})
        f.type(text);
    QTRY_VERIFY(checks->count() > 0 &&
                checks->item(0)->data(Qt::UserRole).toString() == QStringLiteral("hull-twist"));
    QCOMPARE(checks->item(0)->text(),
             QStringLiteral("Initial draft: port less starboard is -0.04 m forward but -0.11 m "
                            "aft: a twisted hull or a misread mark"));
    QCOMPARE(f.messages.texts(), QStringList());
    QCOMPARE(f.find<QLabel>("lblCargoUncertainty")->text(), QString());
}

QTEST_MAIN(TestWorksheetSurvey)
#include "test_worksheet_survey.moc"
