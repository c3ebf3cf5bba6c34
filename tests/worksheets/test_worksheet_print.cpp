#include "report_fill.h"
#include "report_printer.h"
#include "report_source.h"
#include "scripted_file_chooser.h"
#include "survey_file.h"
#include "survey_file_report.h"
#include "survey_typing.h"

#include <QSqlQuery>
#include <QTabBar>
#include <optional>

Q_DECLARE_METATYPE(Worksheet)
Q_DECLARE_METATYPE(MessageAnswer)

namespace {

QString sample(const char* name) {
    return QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name);
}

class RecordingPrinter : public ReportPrinter {
public:
    std::optional<ReportSource> previewed, printed;
    void preview(const ReportSource& source) override { previewed = source; }
    void print(const ReportSource& source) override { printed = source; }
};

// The figure of a caption such as "1234.5 MT".
Decimal figure(const QString& caption) {
    const std::optional<Decimal> number = Decimal::tryParse(caption.section(u' ', 0, 0));
    if (!number)
        qWarning() << "not a figure:" << caption;
    return number.value_or(Decimal(-999999));
}

// Labels filled by printing that still show their design caption.
QStringList unwritten(const ReportPage& page) {
    const QStringList fixed = {QStringLiteral("lblCargoLD"), QStringLiteral("lblResult1"),
                               QStringLiteral("lblResult2")};
    QStringList names;
    for (const ReportLabel& label : page.layout().labels) {
        if (label.name.startsWith(QStringLiteral("Label")) || fixed.contains(label.name) ||
            label.designCaption.isEmpty())
            continue;
        if (page.caption(label.name) == label.designCaption)
            names.append(label.name);
    }
    return names;
}

// The report calvane-survey report makes of a survey file on the shared
// connection's register. The command closes the connection it calculates
// on, so the worksheet's is kept aside meanwhile.
std::optional<ReportSource> commandReport(const QString& file) {
    const QString database = gcnnStore->connectionText();
    std::unique_ptr<Connection> worksheets = std::move(gcnnStore);
    QString errors;
    QTextStream err(&errors);
    const SurveyFileReport report = reportOfSurveyFile(file, database, err);
    gcnnStore = std::move(worksheets);
    err.flush();
    if (!errors.isEmpty())
        qWarning() << errors;
    return report.source;
}

QString columns(const ReportSource& source) {
    return QString(source.initial ? QStringLiteral("I") : QString()) +
           (source.final ? QStringLiteral("F") : QString());
}

} // namespace

class TestWorksheetPrint : public QObject {
    Q_OBJECT

private slots:
    void previewShowsTheWorksheetsFigures_data();
    void previewShowsTheWorksheetsFigures();
    void printStopsWithAMessage_data();
    void printStopsWithAMessage();
    void printSendsThePageToThePrinter();
    void portMissingFromTheRegisterPrintsAsWritten();
    void worksheetAndCommandPrintTheSameReport_data();
    void worksheetAndCommandPrintTheSameReport();
};

void TestWorksheetPrint::previewShowsTheWorksheetsFigures_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Worksheet>("kind");
    QTest::addColumn<QString>("cargoField");
    QTest::addColumn<QStringList>("untouched");
    // The samples deduct nothing under the two miscellaneous items.
    const QStringList noMisc = {QStringLiteral("lblInitMisc1"), QStringLiteral("lblFinMisc1"),
                                QStringLiteral("lblInitMisc2"), QStringLiteral("lblFinMisc2")};
    QTest::newRow("loading") << sample("loading-survey.json") << Worksheet::Loading
                             << "txtTotCargoLoaded" << noMisc;
    QTest::newRow("discharging") << sample("discharging-survey.json") << Worksheet::Discharging
                                 << "txtFinTotCargoDis" << noMisc;
}

void TestWorksheetPrint::previewShowsTheWorksheetsFigures() {
    QFETCH(QString, file);
    QFETCH(Worksheet, kind);
    QFETCH(QString, cargoField);
    QFETCH(QStringList, untouched);
    const SurveyFileResult read = readSurveyFile(file);
    QVERIFY2(read.document, qPrintable(read.error));
    WorksheetFixture f(kind);
    survey_typing::typeSurvey(f, *read.document);
    QCOMPARE(f.messages.texts(), QStringList());

    RecordingPrinter printer;
    const ScopedReportPrinter installed(&printer);
    f.worksheet->RPrint();
    QCOMPARE(f.messages.texts(), QStringList());
    QVERIFY(printer.previewed);
    QVERIFY(!printer.printed);
    const ReportPage page = fillReport(*printer.previewed);

    QCOMPARE(page.caption(QStringLiteral("lblShipName")), QStringLiteral("TASMAN SAMPLE"));
    QCOMPARE(page.caption(QStringLiteral("lblCargo")), read.document->cargo);
    QCOMPARE(page.caption(QStringLiteral("lblVoyageID")), read.document->voyage);
    QCOMPARE(figure(page.caption(QStringLiteral("lblConstant"))),
             figure(f.find("txtConstant")->text()));
    QCOMPARE(figure(page.caption(QStringLiteral("lblTotCargoLoaded"))),
             figure(f.worksheet->findChild<QLineEdit*>(cargoField)->text()));
    QCOMPARE(unwritten(page), untouched);
    // Printing leaves the worksheet as it was: still on the Final tab.
    QCOMPARE(f.find<QTabBar>("sstCalvane")->currentIndex(), 1);
}

void TestWorksheetPrint::printStopsWithAMessage_data() {
    QTest::addColumn<bool>("ship");
    QTest::addColumn<bool>("port");
    QTest::addColumn<QList<MessageAnswer>>("answers");
    QTest::addColumn<QStringList>("messages");
    const QString discard = twoPartText(
        QStringLiteral("Incomplete Initial draft...!"),
        QStringLiteral("Would you like to discard initial draft details and continue ?"));
    const QString incompleteFinal =
        twoPartText(QStringLiteral("Incomplete Final draft...!"),
                    QStringLiteral("Please enter all the values and press Calculate button "
                                   "before printing/preview."));
    QTest::newRow("no ship") << false << false << QList<MessageAnswer>()
                             << QStringList{QStringLiteral("Please select ship name first.")};
    QTest::newRow("no port") << true << false << QList<MessageAnswer>()
                             << QStringList{QStringLiteral("Please select port name first.")};
    QTest::newRow("nothing calculated, keep it")
        << true << true << QList<MessageAnswer>{MessageAnswer::No} << QStringList{discard};
    QTest::newRow("nothing calculated, discard it")
        << true << true << QList<MessageAnswer>{MessageAnswer::Yes}
        << QStringList{discard, incompleteFinal};
}

void TestWorksheetPrint::printStopsWithAMessage() {
    QFETCH(bool, ship);
    QFETCH(bool, port);
    QFETCH(QList<MessageAnswer>, answers);
    QFETCH(QStringList, messages);
    for (Worksheet kind : {Worksheet::Loading, Worksheet::Discharging}) {
        WorksheetFixture f(kind);
        if (ship) {
            f.chooseShip();
            f.type(QString());
            f.type(QString());
        }
        if (port)
            f.type(QStringLiteral("qing"));
        QCOMPARE(f.messages.texts(), QStringList());
        for (MessageAnswer answer : answers)
            f.messages.queueAnswer(answer);
        RecordingPrinter printer;
        const ScopedReportPrinter installed(&printer);
        f.worksheet->RPrint(false);
        QCOMPARE(f.messages.texts(), messages);
        QVERIFY(!printer.printed && !printer.previewed);
    }
}

void TestWorksheetPrint::printSendsThePageToThePrinter() {
    const SurveyFileResult read = readSurveyFile(sample("loading-survey.json"));
    QVERIFY2(read.document, qPrintable(read.error));
    WorksheetFixture f(Worksheet::Loading);
    survey_typing::typeSurvey(f, *read.document);
    // What is typed after calculating is printed too.
    f.find("txtComments")->setFocus();
    f.type(QStringLiteral("Holds inspected"));
    RecordingPrinter printer;
    const ScopedReportPrinter installed(&printer);
    f.worksheet->RPrint(false);
    QCOMPARE(f.messages.texts(), QStringList());
    QVERIFY(printer.printed && !printer.previewed);
    QCOMPARE(printer.printed->port, QStringLiteral("Port Hedland, Australia"));
    QCOMPARE(fillReport(*printer.printed).caption(QStringLiteral("lblFinComments")),
             QStringLiteral("Holds inspected"));
}

// A survey file may name a port the register lacks; the worksheet prints
// it as written, as the command line does.
void TestWorksheetPrint::portMissingFromTheRegisterPrintsAsWritten() {
    SurveyFileResult read = readSurveyFile(sample("loading-survey.json"));
    QVERIFY2(read.document, qPrintable(read.error));
    read.document->port = QStringLiteral("Newcastle");
    WorksheetFixture f(Worksheet::Loading);
    QSqlQuery ship = gcnnStore->database().exec(
        QStringLiteral("SELECT ShipID FROM Ship WHERE ShipName = 'Tasman Sample'"));
    QVERIFY(ship.next());
    f.worksheet->showSurvey(*read.document, ship.value(0).toInt(), QString(), true);
    QCOMPARE(f.messages.texts(), QStringList());
    RecordingPrinter printer;
    const ScopedReportPrinter installed(&printer);
    f.worksheet->RPrint(false);
    QCOMPARE(f.messages.texts(), QStringList());
    QVERIFY(printer.printed);
    QCOMPARE(printer.printed->port, QStringLiteral("Newcastle"));
}

void TestWorksheetPrint::worksheetAndCommandPrintTheSameReport_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Worksheet>("kind");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("port");
    const QString loading = sample("loading-survey.json");
    const QString discharging = sample("discharging-survey.json");
    const Worksheet L = Worksheet::Loading;
    const Worksheet D = Worksheet::Discharging;
    // clang-format off
    QTest::newRow("loading") << loading << L << "" << "IF" << "Port Hedland, Australia";
    QTest::newRow("discharging") << discharging << D << "" << "IF" << "Qingdao";
    QTest::newRow("loading, Initial only") << loading << L << "no final" << "I" << "Port Hedland, Australia";
    QTest::newRow("discharging, Final on the arrival net") << discharging << D << "arrival net typed" << "F" << "Qingdao";
    QTest::newRow("a port of the register") << loading << L << "Newcastle" << "IF" << "Newcastle, Australia";
    // clang-format on
}

// The worksheet prints the report calvane-survey report makes of the
// survey it saves, label for label.
void TestWorksheetPrint::worksheetAndCommandPrintTheSameReport() {
    QFETCH(QString, file);
    QFETCH(Worksheet, kind);
    QFETCH(QString, change);
    QFETCH(QString, columns);
    QFETCH(QString, port);
    SurveyDocument survey = readSurveyFile(file).document.value();
    WorksheetFixture f(kind);
    RowSet ship;
    ship.open(QStringLiteral("SELECT ShipID FROM Ship WHERE ShipName = 'Tasman Sample'"),
              *gcnnStore);
    survey.particulars.reset();
    survey.shipID = int(ship.field(QStringLiteral("ShipID")).toWhole());
    if (change == QStringLiteral("no final"))
        survey.final = DraftEntry{};
    if (change == QStringLiteral("arrival net typed")) {
        survey.initial = DraftEntry{};
        survey.typedInitialNetDisplacement = QStringLiteral("90000");
        f.messages.queueAnswer(MessageAnswer::Yes);
    }
    if (change == QStringLiteral("Newcastle")) {
        gcnnStore->execute(
            QStringLiteral("INSERT INTO Port (PortName, City, Country) VALUES (?, ?, ?)"),
            {Variant(QStringLiteral("Newcastle")), Variant(QStringLiteral("Newcastle")),
             Variant(QStringLiteral("Australia"))});
        survey.port = QStringLiteral("Newcastle");
    }
    f.worksheet->showSurvey(survey, *survey.shipID, QString(), true);
    RecordingPrinter printer;
    const ScopedReportPrinter installed(&printer);
    f.worksheet->RPrint(false);
    QVERIFY(printer.printed);
    QCOMPARE(::columns(*printer.printed), columns);
    QCOMPARE(printer.printed->port, port);

    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("survey.calvane"));
    ScriptedFileChooser chooser;
    chooser.answers = QStringList{saved};
    QVERIFY(f.worksheet->saveSurveyAs());
    const std::optional<ReportSource> command = commandReport(saved);
    QVERIFY(command);
    const ReportPage worksheetPage = fillReport(*printer.printed);
    const ReportPage commandPage = fillReport(*command);
    for (const ReportLabel& label : worksheetPage.layout().labels)
        QCOMPARE(label.name + u'=' + worksheetPage.caption(label.name),
                 label.name + u'=' + commandPage.caption(label.name));
}

QTEST_MAIN(TestWorksheetPrint)
#include "test_worksheet_print.moc"
