#include "report_fill.h"
#include "report_printer.h"
#include "survey_file.h"
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

QTEST_MAIN(TestWorksheetPrint)
#include "test_worksheet_print.moc"
