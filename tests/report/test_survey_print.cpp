#include "errors.h"
#include "message_service.h"
#include "report_printer.h"
#include "report_source.h"
#include "store_fixture.h"
#include "survey_file.h"
#include "survey_print.h"
#include "text_list.h"

#include <QtTest>

namespace {

// Keeps what it was asked to preview or print.
class RecordingPrinter : public ReportPrinter {
public:
    QString failure;
    QStringList calls;
    std::optional<ReportSource> last;

    void preview(const ReportSource& source) override { record(QStringLiteral("preview"), source); }
    void print(const ReportSource& source) override { record(QStringLiteral("print"), source); }

private:
    void record(const QString& call, const ReportSource& source) {
        if (!failure.isEmpty())
            throw ProgramError(ErrorCode::PrinterFailure, failure);
        calls.append(call);
        last = source;
    }
};

// RPrint's surroundings: a recording printer and a message recorder.
struct PrintRun {
    RecordingPrinter printer;
    ScopedReportPrinter installed{&printer};
    ScopedMessageRecorder recorder;
};

// A sample survey on the shipped database's ship (key 1), as a worksheet
// holds it.
SurveyDocument sample(Worksheet kind) {
    const SurveyFileResult read = readSurveyFile(
        kind == Worksheet::Loading ? QStringLiteral(SAMPLES_DIR "/loading-survey-stored-ship.json")
                                   : QStringLiteral(SAMPLES_DIR "/discharging-survey.json"));
    if (!read.document)
        qFatal("%s", qPrintable(read.error));
    SurveyDocument survey = *read.document;
    survey.particulars.reset();
    survey.shipID = 1;
    return survey;
}

// The survey with the changes a test row names, "+" between them.
SurveyDocument changed(SurveyDocument survey, const QString& changes) {
    for (const QString& change : changes.split(u'+', Qt::SkipEmptyParts)) {
        if (change == QStringLiteral("no ship"))
            survey.shipID.reset();
        else if (change == QStringLiteral("no port"))
            survey.port = QStringLiteral(" ");
        else if (change == QStringLiteral("initial incomplete"))
            survey.initial.density.clear();
        else if (change == QStringLiteral("no final"))
            survey.final = DraftEntry{};
        else if (change == QStringLiteral("arrival net typed")) {
            survey.initial = DraftEntry{};
            survey.typedInitialNetDisplacement = QStringLiteral("90000");
        } else
            qFatal("unknown change %s", qPrintable(change));
    }
    return survey;
}

QString firstLines(const QList<Message>& messages) {
    QStringList lines;
    for (const Message& message : messages)
        lines.append(message.text.section(QStringLiteral("\r\n"), 0, 0));
    return lines.join(u'|');
}

} // namespace

Q_DECLARE_METATYPE(Worksheet)

class TestSurveyPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_store = std::make_unique<StoreFixture>(); }
    void cleanupTestCase() { m_store.reset(); }

    // Each stopping message, the discard question and its answers, and
    // which columns reach the report ("I" Initial, "F" Final).
    void steps_data() {
        QTest::addColumn<Worksheet>("kind");
        QTest::addColumn<QString>("changes");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QString>("outcome"); // call and columns
        const Worksheet L = Worksheet::Loading;
        const Worksheet D = Worksheet::Discharging;
        // clang-format off
        QTest::newRow("no ship") << L << "no ship+no port" << true << true << "Please select ship name first." << "";
        QTest::newRow("no port") << L << "no port+initial incomplete" << true << true << "Please select port name first." << "";
        QTest::newRow("loading both columns") << L << "" << true << true << "" << "preview IF";
        QTest::newRow("printing") << L << "" << false << true << "" << "print IF";
        QTest::newRow("Initial incomplete, No") << L << "initial incomplete" << true << false << "Incomplete Initial draft...!" << "";
        QTest::newRow("Initial incomplete, Yes") << L << "initial incomplete" << true << true << "Incomplete Initial draft...!" << "preview F";
        QTest::newRow("Yes, then no Final") << L << "initial incomplete+no final" << true << true << "Incomplete Initial draft...!|Incomplete Final draft...!" << "";
        QTest::newRow("Initial only") << L << "no final" << true << true << "" << "preview I";
        QTest::newRow("discharging both columns") << D << "" << false << true << "" << "print IF";
        QTest::newRow("discharging, Final on the arrival net") << D << "arrival net typed" << true << true << "Incomplete Initial draft...!" << "preview F";
        QTest::newRow("discharging, Initial only") << D << "no final" << true << true << "" << "preview I";
        // clang-format on
    }
    void steps() {
        QFETCH(Worksheet, kind);
        QFETCH(QString, changes);
        QFETCH(bool, preview);
        QFETCH(bool, answerYes);
        QFETCH(QString, messages);
        QFETCH(QString, outcome);
        PrintRun run;
        run.recorder.queueAnswer(answerYes ? MessageAnswer::Yes : MessageAnswer::No);

        RPrint(changed(sample(kind), changes), preview);

        QCOMPARE(firstLines(run.recorder.shown()), messages);
        for (const Message& message : run.recorder.shown()) {
            QCOMPARE(message.title, QStringLiteral("Calvane Lt"));
            QCOMPARE(message.icon, MessageIcon::Exclamation);
        }
        const QString made =
            run.printer.last ? run.printer.calls.join(u' ') + u' ' +
                                   (run.printer.last->initial ? QStringLiteral("I") : QString()) +
                                   (run.printer.last->final ? QStringLiteral("F") : QString())
                             : QString();
        QCOMPARE(made, outcome);
    }

    void discardQuestionAsksYesOrNo() {
        PrintRun run;
        run.recorder.queueAnswer(MessageAnswer::No);
        RPrint(changed(sample(Worksheet::Loading), QStringLiteral("initial incomplete")));
        QCOMPARE(run.recorder.shown().size(), 1);
        QCOMPARE(run.recorder.shown()[0].buttons, MessageButtons::YesNo);
        QCOMPARE(run.recorder.shown()[0].text,
                 QStringLiteral("Incomplete Initial draft...!\r\n\r\nWould you like to discard "
                                "initial draft details and continue ?"));
    }

    // An error ends printing with a message naming what failed, titled by
    // the worksheet.
    void errorsNameWhatFailed_data() {
        QTest::addColumn<Worksheet>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("loading") << Worksheet::Loading << "Calvane Lt-10067";
        QTest::newRow("discharging") << Worksheet::Discharging << "Calvane Lt-10066";
    }
    void errorsNameWhatFailed() {
        QFETCH(Worksheet, kind);
        QFETCH(QString, title);
        PrintRun run;
        run.printer.failure = QStringLiteral("No printer is installed.");
        RPrint(sample(kind), false);
        QCOMPARE(run.recorder.shown().size(), 1);
        const Message& message = run.recorder.shown()[0];
        QCOMPARE(message.title, title);
        QCOMPARE(message.icon, MessageIcon::Critical);
        QCOMPARE(message.text, QStringLiteral("Error while printing the report.\r\n\r\nNo printer "
                                              "is installed."));
        QVERIFY(run.printer.calls.isEmpty());
    }

    // Nothing unexpected ends the program: it is shown like any failure.
    void unexpectedErrorIsShown() {
        class Jammed : public ReportPrinter {
            void preview(const ReportSource&) override { throw std::runtime_error("paper jam"); }
            void print(const ReportSource&) override {}
        } jammed;
        PrintRun run;
        const ScopedReportPrinter installed(&jammed);
        RPrint(sample(Worksheet::Loading));
        QCOMPARE(run.recorder.texts(),
                 QStringList{QStringLiteral("Error while printing the report.\r\n\r\npaper jam")});
    }

private:
    std::unique_ptr<StoreFixture> m_store;
};

QTEST_GUILESS_MAIN(TestSurveyPrint)
#include "test_survey_print.moc"
