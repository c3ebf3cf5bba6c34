#include "message_service.h"
#include "stage_results.h"

#include "text_list.h"

#include <QTest>

namespace {

Variant number(const char* text) {
    return Variant(Decimal::fromText(QString::fromLatin1(text)));
}

StageInputs inputs(Worksheet worksheet, Stage stage, const char* net, const char* lightShip) {
    StageInputs in;
    in.worksheet = worksheet;
    in.stage = stage;
    in.net = number(net);
    in.lightShip = number(lightShip);
    return in;
}

ShownValue black(const char* text) {
    return {QString::fromLatin1(text), false};
}

ShownValue red(const char* text) {
    return {QString::fromLatin1(text), true};
}

} // namespace

Q_DECLARE_METATYPE(ShownValue)

class TestStageResults : public QObject {
    Q_OBJECT

private slots:
    void loadingInitialConstant_data();
    void loadingInitialConstant();
    void loadingFinalCargo();
    void loadingFinalUsesTypedInitialWhenNoInitialDraft();
    void dischargingFinalCargoAndConstant();
    void dischargingInitialWithBillOfLading();
    void dischargingInitialNegativeWarns();
    void blankNetLeavesRowsEmpty();
    void rowTitles();
    void calculateWarnings_data();
    void calculateWarnings();
    void initialNetEntry_data();
    void initialNetEntry();
    void billOfLadingEntry_data();
    void billOfLadingEntry();
};

void TestStageResults::loadingInitialConstant_data() {
    QTest::addColumn<QString>("lightShip");
    QTest::addColumn<ShownValue>("constant");
    QTest::newRow("positive constant") << "5800" << black("450.12345");
    QTest::newRow("negative constant is red") << "6300" << red("-49.87655");
}

void TestStageResults::loadingInitialConstant() {
    QFETCH(QString, lightShip);
    QFETCH(ShownValue, constant);
    ScopedMessageRecorder messages;
    StageInputs in = inputs(Worksheet::Loading, Stage::Initial, "6250.12345", "0");
    in.lightShip = Variant(Decimal::fromText(lightShip));
    const StageResults out = deriveStage(in);
    QCOMPARE(out.row10, black(lightShip.toLatin1().constData()));
    QCOMPARE(out.row11, constant);
    QCOMPARE(*out.constant, constant);
    QCOMPARE(*out.initNetDisp, black("6250.12345"));
    QCOMPARE(out.constantValue->toString(), constant.text);
    QVERIFY(messages.shown().isEmpty());
}

void TestStageResults::loadingFinalCargo() {
    StageInputs in = inputs(Worksheet::Loading, Stage::Final, "36250.5", "5800");
    in.initialNet = number("6250.12345");
    const StageResults out = deriveStage(in);
    QCOMPARE(out.row10, black("6250.12345"));
    QCOMPARE(*out.initialNetField, black("6250.12345"));
    QCOMPARE(out.row11, black("30000.37655"));
    QCOMPARE(*out.cargo, black("30000.37655"));
    QCOMPARE(*out.finalNetDisp, black("36250.5"));
    // Row 11 holds the cargo here: the constant is not touched.
    QVERIFY(!out.constant);
    QVERIFY(!out.constantValue);
}

void TestStageResults::loadingFinalUsesTypedInitialWhenNoInitialDraft() {
    StageInputs in = inputs(Worksheet::Loading, Stage::Final, "6000", "5800");
    in.initialNet = Variant(QString());
    in.initialNetField = QStringLiteral("6250.5");
    const StageResults out = deriveStage(in);
    QVERIFY(!out.initialNetField);
    QCOMPARE(out.row11, red("-250.5"));
}

void TestStageResults::dischargingFinalCargoAndConstant() {
    StageInputs in = inputs(Worksheet::Discharging, Stage::Final, "6250.12345", "5800");
    in.initialNet = number("36250.5");
    const StageResults out = deriveStage(in);
    QCOMPARE(out.row11, black("30000.37655"));
    QCOMPARE(*out.cargo, black("30000.37655"));
    QCOMPARE(*out.constant, black("450.12345"));
}

void TestStageResults::dischargingInitialWithBillOfLading() {
    ScopedMessageRecorder messages;
    StageInputs in = inputs(Worksheet::Discharging, Stage::Initial, "36250.5", "5800");
    in.billOfLading = QStringLiteral("30000");
    const StageResults out = deriveStage(in);
    QCOMPARE(out.row10, black("5800"));
    QCOMPARE(out.row11, black("30450.5"));
    QCOMPARE(*out.assumedConstant, black("450.5"));
    QVERIFY(messages.shown().isEmpty());
}

void TestStageResults::dischargingInitialNegativeWarns() {
    ScopedMessageRecorder messages;
    const StageResults out =
        deriveStage(inputs(Worksheet::Discharging, Stage::Initial, "5000", "5800"));
    QCOMPARE(out.row11, red("-800"));
    QCOMPARE(messages.texts(),
             QStringList{QStringLiteral("Value of constant is invalid.\r\n\r\nPlease check your "
                                        "input values.")});
    QCOMPARE(messages.shown().first().icon, MessageIcon::Exclamation);
}

void TestStageResults::blankNetLeavesRowsEmpty() {
    for (Worksheet worksheet : {Worksheet::Loading, Worksheet::Discharging}) {
        for (Stage stage : {Stage::Initial, Stage::Final}) {
            StageInputs in = inputs(worksheet, stage, "0", "5800");
            in.net = Variant(QString());
            in.initialNet = number("6250");
            const StageResults out = deriveStage(in);
            QCOMPARE(out.row10.text, QString());
            QCOMPARE(out.row11.text, QString());
            QVERIFY(!out.cargo && !out.constant && !out.initialNetField);
        }
    }
}

void TestStageResults::rowTitles() {
    const auto titles = [](Worksheet w, Stage s) {
        const StageResults out = deriveStage(inputs(w, s, "0", "0"));
        return QStringList{out.row9Title, out.row10Title, out.row11Title};
    };
    QCOMPARE(titles(Worksheet::Loading, Stage::Initial),
             texts({"Net Displacement", "LightShip", "Constant"}));
    QCOMPARE(titles(Worksheet::Loading, Stage::Final),
             texts({"Final Net Displacement", "Initial Net Displacement", "Total Cargo Loaded"}));
    QCOMPARE(titles(Worksheet::Discharging, Stage::Initial),
             texts({"Net Displacement", "LightShip", "Cargo + Constant"}));
    QCOMPARE(titles(Worksheet::Discharging, Stage::Final),
             texts({"Final Net Displacement", "Initial Net Displacement",
                          "Total Cargo Discharged"}));
}

void TestStageResults::calculateWarnings_data() {
    QTest::addColumn<int>("worksheet");
    QTest::addColumn<int>("stage");
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("row11");
    QTest::addColumn<QString>("cargo");
    QTest::addColumn<QString>("constant");
    QTest::addColumn<QStringList>("warnings");

    const QString badNet = QStringLiteral("Invalid Net Displacement value.");
    const QString badConstant = QStringLiteral("Invalid constant value.");
    const int L = int(Worksheet::Loading), D = int(Worksheet::Discharging);
    const int I = int(Stage::Initial), F = int(Stage::Final);
    QTest::newRow("loading, all valid") << L << I << "6250" << "450" << "" << "" << QStringList{};
    QTest::newRow("loading, net out of range") << L << I << "1000000" << "450" << "" << ""
                                               << QStringList{badNet};
    QTest::newRow("loading, negative constant") << L << I << "6250" << "-49.8" << "" << ""
                                                << QStringList{badConstant};
    QTest::newRow("loading, blank net says nothing") << L << I << "" << "" << "" << "" << QStringList{};
    QTest::newRow("loading final, Capesize cargo is no constant")
        << L << F << "190000" << "170000" << "" << "" << QStringList{};
    QTest::newRow("discharging, blank net") << D << I << "" << "" << "" << "" << QStringList{badNet};
    QTest::newRow("discharging final, negatives")
        << D << F << "6250" << "" << "-5" << "-1" << QStringList{
               QStringLiteral("Current value for Total cargo discharged is invalid."),
               QStringLiteral("Current value for Constant is invalid.")};
}

void TestStageResults::calculateWarnings() {
    QFETCH(int, worksheet);
    QFETCH(int, stage);
    QFETCH(QString, net);
    QFETCH(QString, row11);
    QFETCH(QString, cargo);
    QFETCH(QString, constant);
    QFETCH(QStringList, warnings);
    ScopedMessageRecorder messages;
    CalculatedStage c;
    c.worksheet = Worksheet(worksheet);
    c.stage = Stage(stage);
    c.net = net.isEmpty() ? Variant(QString()) : Variant(Decimal::fromText(net));
    c.row11 = row11;
    c.cargoField = cargo;
    c.constantField = constant;
    const auto constantRead = warnAfterCalculate(c);
    QStringList firstParts;
    for (const QString& text : messages.texts())
        firstParts.append(text.section(QStringLiteral("\r\n"), 0, 0));
    QCOMPARE(firstParts, warnings);
    QCOMPARE(constantRead.has_value(), c.worksheet == Worksheet::Loading &&
                                           c.stage == Stage::Initial && warnings != QStringList{
                                               QStringLiteral("Invalid Net Displacement value.")});
}

void TestStageResults::initialNetEntry_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("message");

    QTest::newRow("blank") << "  " << true << "  " << "";
    QTest::newRow("rounded to 5 places") << "6250.123456" << true << "6250.12346" << "";
    QTest::newRow("zero") << "0" << false << "" << "Invalid value.";
    QTest::newRow("a million") << "1000000" << false << "" << "Invalid value.";
    QTest::newRow("rounds into range") << "999999.999994" << true << "999999.99999" << "";
    QTest::newRow("rounds out of range") << "0.000004" << false << "" << "Invalid value.";
    QTest::newRow("letters") << "62o0" << false << "" << "Invalid quantity.";
}

void TestStageResults::initialNetEntry() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, left);
    QFETCH(QString, message);
    ScopedMessageRecorder messages;
    const EntryVerdict verdict = checkInitialNetDisplacement(typed);
    QCOMPARE(verdict.accepted, accepted);
    QCOMPARE(verdict.text, left);
    QCOMPARE(messages.texts().join(QString()).section(QStringLiteral("\r\n"), 0, 0), message);
}

void TestStageResults::billOfLadingEntry_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("assumed");

    QTest::newRow("blank") << "" << true << "" << "none";
    QTest::newRow("zero leaves the assumed constant alone") << "0" << true << "0" << "none";
    QTest::newRow("quantity") << "30000.123456" << true << "30000.12346" << "450.37654";
    QTest::newRow("negative") << "-1" << false << "" << "none";
    QTest::newRow("a million") << "1000000" << false << "" << "none";
    QTest::newRow("letters") << "30,000" << false << "" << "none";
}

void TestStageResults::billOfLadingEntry() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, left);
    QFETCH(QString, assumed);
    ScopedMessageRecorder messages;
    const EntryVerdict verdict = checkBillOfLading(typed);
    QCOMPARE(verdict.accepted, accepted);
    QCOMPARE(verdict.text, left);
    QCOMPARE(messages.shown().isEmpty(), accepted);
    const auto constant = assumedConstantFor(verdict.text, QStringLiteral("30450.5"));
    QCOMPARE(constant ? constant->text : QStringLiteral("none"), assumed);
}

QTEST_APPLESS_MAIN(TestStageResults)
#include "test_stage_results.moc"
