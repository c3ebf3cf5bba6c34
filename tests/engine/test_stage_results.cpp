#include "stage_results.h"
#include "text_list.h"

#include <QTest>

namespace {

Variant value(const QString& text) {
    return text.isEmpty() ? Variant(QString()) : Variant(Decimal::fromText(text));
}

// A shown value as "text" or "text red", "-" when the field is left alone.
QString describe(const std::optional<ShownValue>& shown) {
    if (!shown)
        return QStringLiteral("-");
    return shown->red ? shown->text + QStringLiteral(" red") : shown->text;
}

QString firstLines(const QList<Message>& messages) {
    QStringList lines;
    for (const Message& message : messages) {
        // Every one is a warning the window shows as it comes.
        if (message.icon != MessageIcon::Exclamation || message.title != applicationTitle())
            return QStringLiteral("not a warning: ") + message.text;
        lines.append(message.text.section(QStringLiteral("\r\n"), 0, 0));
    }
    return lines.join(u'|');
}

QList<Message> listed(const std::optional<Message>& message) {
    return message ? QList<Message>{*message} : QList<Message>();
}

} // namespace

class TestStageResults : public QObject {
    Q_OBJECT

private slots:
    void derives_data();
    void derives();
    void rowTitles();
    void calculateWarnings_data();
    void calculateWarnings();
    void entryRules_data();
    void entryRules();
};

// clang-format off
void TestStageResults::derives_data() {
    QTest::addColumn<int>("worksheet");
    QTest::addColumn<int>("stage");
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("lightShip");
    QTest::addColumn<QString>("initialNet");
    QTest::addColumn<QString>("typedInitialNet");
    QTest::addColumn<QString>("billOfLading");
    // row 10 ; row 11 ; constant ; cargo ; initial net box ; assumed constant ; messages
    QTest::addColumn<QStringList>("expected");

    const int L = int(Worksheet::Loading), D = int(Worksheet::Discharging);
    const int I = int(Stage::Initial), F = int(Stage::Final);
    QTest::newRow("loading initial: constant") << L << I << "6250.12345" << "5800" << "" << "" << "" << texts({"5800", "450.12345", "450.12345", "-", "-", "-", ""});
    QTest::newRow("loading initial: constant just under 100000") << L << I << "105799.99999" << "5800" << "" << "" << "" << texts({"5800", "99999.99999", "99999.99999", "-", "-", "-", ""});
    QTest::newRow("loading initial: constant of 100000 is red") << L << I << "105800" << "5800" << "" << "" << "" << texts({"5800", "100000 red", "100000 red", "-", "-", "-", ""});
    QTest::newRow("loading initial: negative constant is red") << L << I << "6250.12345" << "6300" << "" << "" << "" << texts({"6300", "-49.87655 red", "-49.87655 red", "-", "-", "-", ""});
    QTest::newRow("loading final: cargo, the constant left alone") << L << F << "36250.5" << "5800" << "6250.12345" << "" << "" << texts({"6250.12345", "30000.37655", "-", "30000.37655", "6250.12345", "-", ""});
    QTest::newRow("loading final: typed initial net when no Initial draft") << L << F << "6000" << "5800" << "" << "6250.5" << "" << texts({"0", "-250.5 red", "-", "-250.5 red", "-", "-", ""});
    QTest::newRow("discharging initial: cargo + constant, assumed constant") << D << I << "36250.5" << "5800" << "" << "" << "30000" << texts({"5800", "30450.5", "-", "-", "-", "450.5", ""});
    QTest::newRow("discharging initial: negative warns") << D << I << "5000" << "5800" << "" << "" << "" << texts({"5800", "-800 red", "-", "-", "-", "-", "Value of constant is invalid."});
    QTest::newRow("discharging final: cargo and constant") << D << F << "6250.12345" << "5800" << "36250.5" << "" << "" << texts({"36250.5", "30000.37655", "450.12345", "30000.37655", "36250.5", "-", ""});
    QTest::newRow("blank net leaves the rows empty") << L << F << "" << "5800" << "6250" << "" << "" << texts({"", "", "-", "-", "-", "-", ""});
}
// clang-format on

void TestStageResults::derives() {
    QFETCH(int, worksheet);
    QFETCH(int, stage);
    QFETCH(QString, net);
    QFETCH(QString, lightShip);
    QFETCH(QString, initialNet);
    QFETCH(QString, typedInitialNet);
    QFETCH(QString, billOfLading);
    QFETCH(QStringList, expected);
    StageInputs in;
    in.worksheet = Worksheet(worksheet);
    in.stage = Stage(stage);
    in.net = value(net);
    in.lightShip = value(lightShip);
    in.initialNet = value(initialNet);
    in.initialNetField = typedInitialNet;
    in.billOfLading = billOfLading;
    const StageResults out = deriveStage(in);
    const QStringList got{describe(out.reference),
                          describe(out.outcome),
                          describe(out.constant),
                          describe(out.cargo),
                          describe(out.initialNetField),
                          describe(out.assumedConstant),
                          firstLines(listed(out.warning))};
    QCOMPARE(got, expected);
}

void TestStageResults::rowTitles() {
    const auto titles = [](Worksheet w, Stage s) {
        StageInputs in;
        in.worksheet = w;
        in.stage = s;
        const StageResults out = deriveStage(in);
        return QStringList{out.netTitle, out.referenceTitle, out.outcomeTitle};
    };
    QCOMPARE(titles(Worksheet::Loading, Stage::Initial),
             texts({"Net Displacement", "LightShip", "Constant"}));
    QCOMPARE(titles(Worksheet::Loading, Stage::Final),
             texts({"Final Net Displacement", "Initial Net Displacement", "Total Cargo Loaded"}));
    QCOMPARE(titles(Worksheet::Discharging, Stage::Initial),
             texts({"Net Displacement", "LightShip", "Cargo + Constant"}));
    QCOMPARE(
        titles(Worksheet::Discharging, Stage::Final),
        texts({"Final Net Displacement", "Initial Net Displacement", "Total Cargo Discharged"}));
}

// clang-format off
void TestStageResults::calculateWarnings_data() {
    QTest::addColumn<int>("worksheet");
    QTest::addColumn<int>("stage");
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("cargo");
    QTest::addColumn<QString>("constant");
    QTest::addColumn<QString>("warnings");

    const int L = int(Worksheet::Loading), D = int(Worksheet::Discharging);
    const int I = int(Stage::Initial), F = int(Stage::Final);
    QTest::newRow("loading, all valid") << L << I << "6250" << "450" << "" << "" << "";
    QTest::newRow("loading, net just under a million") << L << I << "999999.99999" << "450" << "" << "" << "";
    QTest::newRow("loading, constant just under 100000") << L << I << "105799.99999" << "99999.99999" << "" << "" << "";
    QTest::newRow("loading, constant of 100000") << L << I << "105800" << "100000" << "" << "" << "Invalid constant value.";
    QTest::newRow("loading, net out of range") << L << I << "1000000" << "450" << "" << "" << "Invalid Net Displacement value.";
    QTest::newRow("loading, negative constant") << L << I << "6250" << "-49.8" << "" << "" << "Invalid constant value.";
    QTest::newRow("loading, blank net says nothing") << L << I << "" << "" << "" << "" << "";
    QTest::newRow("loading final, a Capesize cargo is no constant") << L << F << "190000" << "170000" << "" << "" << "";
    QTest::newRow("discharging, blank net") << D << I << "" << "" << "" << "" << "Invalid Net Displacement value.";
    QTest::newRow("discharging final, negatives") << D << F << "6250" << "" << "-5" << "-1" << "Current value for Total cargo discharged is invalid.|"
           "Current value for Constant is invalid.";
}
// clang-format on

void TestStageResults::calculateWarnings() {
    QFETCH(int, worksheet);
    QFETCH(int, stage);
    QFETCH(QString, net);
    QFETCH(QString, outcome);
    QFETCH(QString, cargo);
    QFETCH(QString, constant);
    QFETCH(QString, warnings);
    const CalculatedStageCheck check = checkCalculatedStage(
        {Worksheet(worksheet), Stage(stage), value(net), outcome, cargo, constant});
    QCOMPARE(firstLines(check.warnings), warnings);
}

// clang-format off
void TestStageResults::entryRules_data() {
    QTest::addColumn<bool>("billOfLading");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left"); // "!" before it: refused
    QTest::addColumn<QString>("message");

    QTest::newRow("net: blank") << false << "  " << "  " << "";
    QTest::newRow("net: rounded to 5 places") << false << "6250.123456" << "6250.12346" << "";
    QTest::newRow("net: zero") << false << "0" << "!" << "Invalid value.";
    QTest::newRow("net: a million") << false << "1000000" << "!" << "Invalid value.";
    QTest::newRow("net: rounds out of range") << false << "0.000004" << "!" << "Invalid value.";
    QTest::newRow("net: letters") << false << "62o0" << "!" << "Invalid quantity.";
    QTest::newRow("B/L: zero") << true << "0" << "0" << "";
    QTest::newRow("B/L: rounded") << true << "30000.123456" << "30000.12346" << "";
    QTest::newRow("B/L: negative") << true << "-1" << "!" << "Invalid value for Invalid value for Bill of Lading quantity.";
    QTest::newRow("B/L: thousands separator") << true << "30,000" << "!" << "Invalid value for Bill of Lading quantity.";
}
// clang-format on

void TestStageResults::entryRules() {
    QFETCH(bool, billOfLading);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    QFETCH(QString, message);
    const EntryVerdict verdict =
        billOfLading ? checkBillOfLading(typed) : checkInitialNetDisplacement(typed);
    QCOMPARE(verdict.accepted, left != QStringLiteral("!"));
    QCOMPARE(verdict.text, verdict.accepted ? left : QString());
    QCOMPARE(firstLines(verdict.accepted ? QList<Message>() : QList<Message>{verdict.refusal}),
             message);
    if (billOfLading && verdict.accepted) {
        const auto assumed = assumedConstantFor(verdict.text, QStringLiteral("30450.5"));
        QCOMPARE(describe(assumed),
                 typed == QStringLiteral("0") ? QStringLiteral("-") : QStringLiteral("450.37654"));
    }
}

QTEST_APPLESS_MAIN(TestStageResults)
#include "test_stage_results.moc"
