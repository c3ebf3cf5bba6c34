#include "draft.h"
#include "errors.h"
#include "message_service.h"
#include "report_printer.h"
#include "store_fixture.h"
#include "survey_print.h"
#include "text_list.h"

#include <QtTest>

namespace {

// A worksheet whose fields a test sets directly.
class FakeWorksheet : public PrintableWorksheet {
public:
    Worksheet kind = Worksheet::Loading;
    QString ship = QStringLiteral("Coral Meridian");
    QString port = QStringLiteral("Port Hedland");
    QString constant = QStringLiteral("262.5047");
    QString cargo = QStringLiteral("76126.85586");
    QString row9 = QStringLiteral("11062.5047");
    std::optional<Stage> stage = Stage::Final;
    bool portMissing = false;
    clsDraft drafts[2];
    QList<Stage> saved;

    FakeWorksheet() {
        drafts[0].set(DraftProperty::FwdMean, Variant(Decimal::fromText(u"5.2")));
        drafts[1].set(DraftProperty::FwdMean, Variant(Decimal::fromText(u"13.9")));
    }

    Worksheet worksheetKind() const override { return kind; }
    QString shipComboText() const override { return ship; }
    QString portComboText() const override { return port; }
    QString chosenPort() override {
        if (portMissing)
            throw ProgramError(ErrorCode::NoCurrentRecord,
                               QStringLiteral("Port 7 is not among the ports."));
        return port + QStringLiteral(", Australia");
    }
    ReportShip reportShip() override {
        ReportShip block;
        block.name = ship;
        return block;
    }
    ReportTexts reportTexts() const override { return {}; }
    QString constantText() const override { return constant; }
    QString cargoResultText() const override { return cargo; }
    bool initialCalculated() const override { return !row9.isEmpty(); }
    QString initialNetDisplacement() const override { return QStringLiteral("11062.5047"); }
    std::optional<Stage> shownStage() const override { return stage; }
    void saveShownTab(Stage stage) override { saved.append(stage); }
    const clsDraft& draft(Stage stage) const override { return drafts[int(stage)]; }
};

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

QString firstLines(const QList<Message>& messages) {
    QStringList lines;
    for (const Message& message : messages)
        lines.append(message.text.section(QStringLiteral("\r\n"), 0, 0));
    return lines.join(u'|');
}

QString fwdMean(const std::optional<ReportColumn>& column) {
    return column ? column->value(DraftProperty::FwdMean).toText() : QStringLiteral("-");
}

} // namespace

Q_DECLARE_METATYPE(Worksheet)

class TestSurveyPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_store = std::make_unique<StoreFixture>(); }
    void cleanupTestCase() { m_store.reset(); }

    // Each stopping message, the discard question and its answers, and
    // which columns reach the report. The Initial draft's forward mean is
    // 5.2, the Final one's 13.9 ("-" for a column left out).
    void steps_data() {
        QTest::addColumn<Worksheet>("kind");
        QTest::addColumn<QStringList>("fields");  // ship, port, constant, cargo, row 9
        QTest::addColumn<QString>("validDrafts"); // "IF": Initial and Final ToSave
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QString>("outcome"); // call, INITIAL column, FINAL column
        const Worksheet L = Worksheet::Loading;
        const Worksheet D = Worksheet::Discharging;
        const QString full = QStringLiteral("IF");
        // clang-format off
        QTest::newRow("no ship") << L << texts({"", "Port Hedland", "262.5", "76126.8", ""}) << full << true << true << "Please select ship name first." << "";
        QTest::newRow("no port") << L << texts({"Coral", "", "262.5", "76126.8", ""}) << full << true << true << "Please select port name first." << "";
        QTest::newRow("loading both columns") << L << texts({"Coral", "Hedland", "262.5", "76126.8", ""}) << full << true << true << "" << "preview 5.2 13.9";
        QTest::newRow("printing") << L << texts({"Coral", "Hedland", "262.5", "76126.8", ""}) << full << false << true << "" << "print 5.2 13.9";
        QTest::newRow("blank constant, No") << L << texts({"Coral", "Hedland", "  ", "76126.8", ""}) << full << true << false << "Incomplete Initial draft...!" << "";
        QTest::newRow("blank constant, Yes") << L << texts({"Coral", "Hedland", "  ", "76126.8", ""}) << full << true << true << "Incomplete Initial draft...!" << "preview - 13.9";
        QTest::newRow("Yes, then no cargo") << L << texts({"Coral", "Hedland", "", "", ""}) << full << true << true << "Incomplete Initial draft...!|Incomplete Final draft...!" << "";
        QTest::newRow("Initial not valid, preview") << L << texts({"Coral", "Hedland", "262.5", "76126.8", ""}) << "F" << true << true << "No valid draft for preview." << "";
        QTest::newRow("Initial not valid, print") << L << texts({"Coral", "Hedland", "262.5", "76126.8", ""}) << "F" << false << true << "No valid draft for printing." << "";
        QTest::newRow("Initial only") << L << texts({"Coral", "Hedland", "262.5", "", ""}) << full << true << true << "" << "preview 5.2 -";
        QTest::newRow("Final not valid") << L << texts({"Coral", "Hedland", "262.5", "76126.8", ""}) << "I" << true << true << "" << "preview 5.2 -";
        QTest::newRow("discharging both columns") << D << texts({"Coral", "Hedland", "450.5", "30000.4", "36250.5"}) << full << false << true << "" << "print 5.2 13.9";
        QTest::newRow("discharging, row 9 blank") << D << texts({"Coral", "Hedland", "450.5", "30000.4", ""}) << full << true << false << "Incomplete Initial draft...!" << "";
        QTest::newRow("discharging, constant gates Final") << D << texts({"Coral", "Hedland", " ", "30000.4", "36250.5"}) << full << true << true << "" << "preview 5.2 -";
        // clang-format on
    }
    void steps() {
        QFETCH(Worksheet, kind);
        QFETCH(QStringList, fields);
        QFETCH(QString, validDrafts);
        QFETCH(bool, preview);
        QFETCH(bool, answerYes);
        QFETCH(QString, messages);
        QFETCH(QString, outcome);
        FakeWorksheet sheet;
        sheet.kind = kind;
        sheet.ship = fields[0];
        sheet.port = fields[1];
        sheet.constant = fields[2];
        sheet.cargo = fields[3];
        sheet.row9 = fields[4];
        sheet.drafts[0].setToSave(validDrafts.contains(u'I'));
        sheet.drafts[1].setToSave(false);
        sheet.drafts[1].setHasRecord(validDrafts.contains(u'F'));
        PrintRun run;
        run.recorder.queueAnswer(answerYes ? MessageAnswer::Yes : MessageAnswer::No);

        RPrint(sheet, preview);

        QCOMPARE(firstLines(run.recorder.shown()), messages);
        for (const Message& message : run.recorder.shown()) {
            QCOMPARE(message.title, QStringLiteral("Calvane Lt"));
            QCOMPARE(message.icon, MessageIcon::Exclamation);
        }
        const QString made = run.printer.last ? run.printer.calls.join(u' ') + u' ' +
                                                    fwdMean(run.printer.last->initial) + u' ' +
                                                    fwdMean(run.printer.last->final)
                                              : QString();
        QCOMPARE(made, outcome);
    }

    void discardQuestionAsksYesOrNo() {
        FakeWorksheet sheet;
        sheet.constant.clear();
        PrintRun run;
        run.recorder.queueAnswer(MessageAnswer::No);
        RPrint(sheet);
        QCOMPARE(run.recorder.shown().size(), 1);
        QCOMPARE(run.recorder.shown()[0].buttons, MessageButtons::YesNo);
        QCOMPARE(run.recorder.shown()[0].text,
                 QStringLiteral("Incomplete Initial draft...!\r\n\r\nWould you like to discard "
                                "initial draft details and continue ?"));
    }

    // The shown tab goes into its own draft before the Initial draft is read.
    void copiesShownTab_data() {
        QTest::addColumn<int>("shown"); // -1: a tab of no stage
        QTest::addColumn<QString>("constant");
        QTest::addColumn<int>("saved"); // -1: none
        QTest::newRow("Initial tab") << int(Stage::Initial) << "262.5" << int(Stage::Initial);
        QTest::newRow("Final tab") << int(Stage::Final) << "262.5" << int(Stage::Final);
        QTest::newRow("other tab") << -1 << "262.5" << -1;
        QTest::newRow("Initial discarded") << int(Stage::Final) << "" << -1;
    }
    void copiesShownTab() {
        QFETCH(int, shown);
        QFETCH(QString, constant);
        QFETCH(int, saved);
        FakeWorksheet sheet;
        sheet.stage = shown < 0 ? std::nullopt : std::optional<Stage>(Stage(shown));
        sheet.constant = constant;
        sheet.drafts[0].setToSave(true);
        PrintRun run;
        run.recorder.queueAnswer(MessageAnswer::Yes);
        RPrint(sheet);
        QCOMPARE(sheet.saved, saved < 0 ? QList<Stage>() : QList<Stage>{Stage(saved)});
    }

    // An error ends printing with a message naming what failed, titled by
    // the worksheet.
    void errorsNameWhatFailed_data() {
        QTest::addColumn<Worksheet>("kind");
        QTest::addColumn<bool>("portMissing");
        QTest::addColumn<QString>("printerFailure");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("cause");
        // clang-format off
        QTest::newRow("loading, port") << Worksheet::Loading << true << "" << "Calvane Lt-10067" << "Port 7 is not among the ports.";
        QTest::newRow("discharging, port") << Worksheet::Discharging << true << "" << "Calvane Lt-10066" << "Port 7 is not among the ports.";
        QTest::newRow("printer") << Worksheet::Loading << false << "No printer is installed." << "Calvane Lt-10067" << "No printer is installed.";
        // clang-format on
    }
    void errorsNameWhatFailed() {
        QFETCH(Worksheet, kind);
        QFETCH(bool, portMissing);
        QFETCH(QString, printerFailure);
        QFETCH(QString, title);
        QFETCH(QString, cause);
        FakeWorksheet sheet;
        sheet.kind = kind;
        sheet.portMissing = portMissing;
        sheet.drafts[0].setToSave(true);
        PrintRun run;
        run.printer.failure = printerFailure;
        RPrint(sheet, false);
        QCOMPARE(run.recorder.shown().size(), 1);
        const Message& message = run.recorder.shown()[0];
        QCOMPARE(message.title, title);
        QCOMPARE(message.icon, MessageIcon::Critical);
        QCOMPARE(message.text, QStringLiteral("Error while printing the report.\r\n\r\n") + cause);
        QVERIFY(run.printer.calls.isEmpty());
    }

    // Nothing unexpected ends the program: it is shown like any failure.
    void unexpectedErrorIsShown() {
        class Jammed : public ReportPrinter {
            void preview(const ReportSource&) override { throw std::runtime_error("paper jam"); }
            void print(const ReportSource&) override {}
        } jammed;
        FakeWorksheet sheet;
        sheet.drafts[0].setToSave(true);
        PrintRun run;
        const ScopedReportPrinter installed(&jammed);
        RPrint(sheet);
        QCOMPARE(run.recorder.texts(),
                 QStringList{QStringLiteral("Error while printing the report.\r\n\r\npaper jam")});
    }

private:
    std::unique_ptr<StoreFixture> m_store;
};

QTEST_GUILESS_MAIN(TestSurveyPrint)
#include "test_survey_print.moc"
