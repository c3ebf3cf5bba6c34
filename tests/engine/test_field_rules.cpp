#include "field_rules.h"
#include "json_edit.h"
#include "survey_command.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(SurveyField)
Q_DECLARE_METATYPE(Worksheet)

namespace {

QJsonObject loadingSample() {
    QFile file(QStringLiteral(SAMPLES_DIR "/loading-survey.json"));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

struct Run {
    int status;
    QString out;
    QString err;
};

Run compute(const QTemporaryDir& dir, const QJsonObject& survey) {
    const QString path = dir.filePath(QStringLiteral("survey.json"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(survey).toJson());
    file.close();
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = runSurveyCommand({QStringLiteral("compute"), QStringLiteral("--json"), path},
                                        outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

} // namespace

class TestFieldRules : public QObject {
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void gridCommit_data();
    void gridCommit();
    void surveyFileRefuses_data();
    void surveyFileRefuses();
    void surveyFileRoundsAsTheWorksheet_data();
    void surveyFileRoundsAsTheWorksheet();

private:
    QTemporaryDir m_dir;
};

// clang-format off
void TestFieldRules::rules_data() {
    QTest::addColumn<SurveyField>("field");
    QTest::addColumn<Worksheet>("worksheet");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");

    const auto L = Worksheet::Loading;
    const auto D = Worksheet::Discharging;
    const QString draftRange = QStringLiteral("Invalid value for Foward Port draft.\r\n\r\nPlease enter value greater than 0 and less than 100.");
    QTest::newRow("reading rounded half to even") << SurveyField::FwdPort << L << " 12.3465 " << "" << true << "12.346" << "" << "";
    QTest::newRow("reading rounds before its range test") << SurveyField::FwdPort << L << "99.9996" << "" << false << "" << draftRange << "Calvane Lt";
    QTest::newRow("reading 0 refused") << SurveyField::FwdPort << L << "0" << "" << false << "" << draftRange << "Calvane Lt";
    QTest::newRow("reading not a number") << SurveyField::AftStbd << D << "7,5" << "" << false << "" << "Invalid value for Aft Starboard draft.\r\n\r\nPlease enter numeric value." << "Calvane Lt";
    QTest::newRow("blank accepted") << SurveyField::Density << L << "   " << "" << true << "" << "" << "";
    QTest::newRow("density to 4 places") << SurveyField::Density << L << "1.02549" << "" << true << "1.0255" << "" << "";
    QTest::newRow("density 10, loading words") << SurveyField::Density << L << "10" << "" << false << "" << "Invalid density value.\r\n\r\nPlease enter values greater than 0 and less than 10." << "Calvane Lt";
    QTest::newRow("density 10, discharging words") << SurveyField::Density << D << "10" << "" << false << "" << "Invalid density value.\r\n\r\nPlease enter values greater than 0 and less 10." << "Calvane Lt";
    const QString aftXRange = QStringLiteral("Invalid value.\r\n\r\nValue of Aft-X can be  a number greater than -1000 and less than 1000.");
    QTest::newRow("mark distance rounding onto its bound refused") << SurveyField::AftX << L << "-999.99999" << "" << false << "" << aftXRange << "Calvane Lt";
    QTest::newRow("mark distance -1000 refused") << SurveyField::AftX << L << "-1000" << "" << false << "" << aftXRange << "Calvane Lt";
    QTest::newRow("density rounding to 0 refused") << SurveyField::Density << L << "0.00004" << "" << false << "" << "Invalid density value.\r\n\r\nPlease enter values greater than 0 and less than 10." << "Calvane Lt";
    QTest::newRow("density just above 0 once rounded") << SurveyField::Density << L << "0.00006" << "" << true << "0.0001" << "" << "";
    QTest::newRow("TPC rounding to 0 refused") << SurveyField::TPC << L << "0.0004" << "67.2" << false << "" << "Value of TPC can only be a positive number greater than 0 and less than 10000." << "Hydrostatic Data Table";
    QTest::newRow("hydrostatic draft rounding to 0 refused") << SurveyField::HydDraft << L << "0.000000001" << "6.4" << false << "6.4" << "Value of Hyd. Draft can only be a positive number greater than 0 and less than 100." << "Hydrostatic Data Table";
    QTest::newRow("mark distance one-part message") << SurveyField::MidX << L << "x" << "" << false << "" << "Invalid value. Only numbers are allowed." << "Calvane Lt";
    QTest::newRow("hydrostatic draft to 8 places") << SurveyField::HydDraft << L << "7.123456789" << "" << true << "7.12345679" << "" << "";
    QTest::newRow("displacement to 3 places") << SurveyField::Displacement << L << "12345.6789" << "" << true << "12345.679" << "" << "";
    QTest::newRow("TPC out of range empties") << SurveyField::TPC << L << "10000" << "67.2" << false << "" << "Value of TPC can only be a positive number greater than 0 and less than 10000." << "Hydrostatic Data Table";
    QTest::newRow("LCF out of range puts the cell back") << SurveyField::LCF << L << "10000" << "-3.1" << false << "-3.1" << "Value of LCF can only be a positive number greater than -10000 and less than 10000." << "Hydrostatic Data Table";
    QTest::newRow("displacement, discharging words") << SurveyField::Displacement << D << "0" << "5" << false << "5" << "Value of Displacement can only be a positive number greater than 0 and less 1000000." << "Hydrostatic Data Table";
    QTest::newRow("MCTC not a number puts the cell back") << SurveyField::MCTCMinus50 << L << "abc" << "892.8" << false << "892.8" << "Invalid value. Only numbers are allowed." << "Hydrostatic Data Table";
    QTest::newRow("deduction 0 accepted") << SurveyField::Deduction << L << "0" << "" << true << "0" << "" << "";
    QTest::newRow("deduction 100000 refused") << SurveyField::Deduction << L << "100000" << "" << false << "" << "Invalid value.\r\n\r\nValue of deduction can be a number greater than 0 and less than 100000." << "Calvane Lt";
    QTest::newRow("deduction, discharging words") << SurveyField::Deduction << D << "-1" << "" << false << "" << "Invalid value.\r\n\r\nValue of deduction can be greater than 0 and less than 100000." << "Calvane Lt";
}
// clang-format on

void TestFieldRules::rules() {
    QFETCH(SurveyField, field);
    QFETCH(Worksheet, worksheet);
    QFETCH(QString, typed);
    QFETCH(QString, previous);
    QFETCH(bool, accepted);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, title);
    const FieldVerdict verdict = checkField(field, worksheet, typed, previous);
    QCOMPARE(verdict.accepted, accepted);
    QCOMPARE(verdict.text, text);
    if (!accepted) {
        QCOMPARE(verdict.refusal.text, message);
        QCOMPARE(verdict.refusal.title, title);
        QCOMPARE(verdict.refusal.icon, MessageIcon::Exclamation);
    }
}

// clang-format off
void TestFieldRules::gridCommit_data() {
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("committed");
    QTest::newRow("rounded to 4 places") << "1.23456" << "" << "1.2346";
    QTest::newRow("trailing zeros dropped") << "2.50" << "" << "2.5";
    QTest::newRow("equal once trimmed") << " 5 " << "5" << "5";
    QTest::newRow("empty editor empties") << "" << "5" << "";
    QTest::newRow("no number keeps the cell") << "abc" << "5" << "5";
}
// clang-format on

void TestFieldRules::gridCommit() {
    QFETCH(QString, editor);
    QFETCH(QString, cell);
    QFETCH(QString, committed);
    QCOMPARE(committedCellText(editor, cell), committed);
}

// clang-format off
void TestFieldRules::surveyFileRefuses_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("reason");
    QTest::newRow("negative LBP") << "ship.particulars.lbp" << "-217" << "ship.particulars.lbp: LBP can only be a positive number greater than 0 and less than 1000.";
    QTest::newRow("density 0") << "initial.density" << "0" << "initial.density: Invalid density value. Please enter values greater than 0 and less than 10.";
    QTest::newRow("reading 0") << "final.readings.aftPort" << "0" << "final.readings.aftPort: Invalid value for Aft Port draft. Please enter value greater than 0 and less than 100.";
    QTest::newRow("negative reading") << "initial.readings.fwdStbd" << "-3" << "initial.readings.fwdStbd: Invalid value for Foward Starboard draft. Please enter value greater than 0 and less than 100.";
    QTest::newRow("negative deduction") << "initial.deductions.2" << "-1" << "initial.deductions.2: Invalid value. Value of deduction can be a number greater than 0 and less than 100000.";
    QTest::newRow("TPC out of range") << "final.hydrostatics.above.tpc" << "10000" << "final.hydrostatics.above.tpc: Value of TPC can only be a positive number greater than 0 and less than 10000.";
    QTest::newRow("MCTC 0") << "initial.mctc.minus50.below" << "0" << "initial.mctc.minus50.below: Value of MCTC-50 can only be a positive number greater than 0 and less than 100000.";
}
// clang-format on

void TestFieldRules::surveyFileRefuses() {
    QFETCH(QString, path);
    QFETCH(QString, value);
    QFETCH(QString, reason);
    const Run run = compute(m_dir, edited(loadingSample(), path.split(u'.'), value));
    QCOMPARE(run.status, 1);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err, QStringLiteral("calvane-survey: ") + reason + u'\n');
}

// clang-format off
void TestFieldRules::surveyFileRoundsAsTheWorksheet_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("reading to 3 places, half to even") << "initial.readings.fwdPort" << "5.1805" << "5.18";
    QTest::newRow("density to 4 places") << "final.density" << "1.02504" << "1.0250";
    QTest::newRow("displacement to 3 places") << "final.hydrostatics.below.displacement" << "89214.8004" << "89214.8";
    QTest::newRow("deduction to 4 places") << "initial.deductions.26" << "20350.80004" << "20350.8";
    QTest::newRow("hydrostatic draft as its cell shows it, 4 places") << "initial.hydrostatics.below.draft" << "5.990049" << "5.99";
}
// clang-format on

void TestFieldRules::surveyFileRoundsAsTheWorksheet() {
    QFETCH(QString, path);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    const QStringList keys = path.split(u'.');
    const Run asKept = compute(m_dir, edited(loadingSample(), keys, kept));
    const Run asTyped = compute(m_dir, edited(loadingSample(), keys, typed));
    QCOMPARE(asTyped.err, QString());
    QCOMPARE(asTyped.status, 0);
    // The inputs echoed back differ; every figure calculated must not.
    const auto results = [](const QString& json) {
        return QJsonDocument::fromJson(json.toUtf8()).object().value(QStringLiteral("initial"));
    };
    QCOMPARE(results(asTyped.out), results(asKept.out));
    const auto final = [](const QString& json) {
        return QJsonDocument::fromJson(json.toUtf8()).object().value(QStringLiteral("results"));
    };
    QCOMPARE(final(asTyped.out), final(asKept.out));
}

QTEST_GUILESS_MAIN(TestFieldRules)
#include "test_field_rules.moc"
