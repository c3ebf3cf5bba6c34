#include "draft_correction.h"
#include "errors.h"
#include "text_list.h"

#include <QTest>

namespace {

DraftReadingTexts workedExample() {
    return {QStringLiteral("7.20"), QStringLiteral("7.30"), QStringLiteral("7.55"),
            QStringLiteral("7.65"), QStringLiteral("7.90"), QStringLiteral("8.00"),
            QStringLiteral("2.5"),  QStringLiteral("0"),    QStringLiteral("4.0")};
}

const Variant lbp180{Decimal(180)};

} // namespace

class TestDraftCorrection : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void blankDistancesAndReadingsCountAsZero();
    void badInputIsAnErrorNotACrash_data();
    void badInputIsAnErrorNotACrash();
    void hullDeflection_data();
    void hullDeflection();
};

void TestDraftCorrection::workedExample() {
    const CorrectedDrafts d = CorrectDrafts(::workedExample(), lbp180);
    const auto both = [](const QString& shown, const Decimal& working) {
        return shown + u' ' + working.toString();
    };
    const QStringList got{
        both(d.txtFwdMean, d.fwdMean),
        both(d.txtMidshipMean, d.midMean),
        both(d.txtAftMean, d.aftMean),
        both(d.txtApparentTrim, d.apparentTrim),
        both(d.txtLBM, d.lengthBetweenMarks),
        both(d.txtFwdCorrection, d.fwdCorrection),
        both(d.txtMidshipCorrection, d.midCorrection),
        both(d.txtAftCorrection, d.aftCorrection),
        both(d.txtFwdTrueDraft, d.fwdTrueDraft),
        both(d.txtMidshipTrueDraft, d.midTrueDraft),
        both(d.txtAftTrueDraft, d.aftTrueDraft),
        both(d.txtTrueTrim, d.trueTrim),
        both(d.txtTrueMeanDraft, d.trueMeanDraft),
    };
    QCOMPARE(
        got,
        texts({"7.25 7.25", "7.6 7.6", "7.95 7.95", "0.7 0.7", "178.5 178.5",
               "0.01 0.0098039215686274509803921569", "0 0", "0.016 0.015686274509803921568627451",
               "7.26 7.2598039215686274509803921569", "7.6 7.6",
               "7.966 7.965686274509803921568627451", "0.706 0.7058823529411764705882352941",
               "7.60318627 7.603186274509803921568627451"}));
}

void TestDraftCorrection::blankDistancesAndReadingsCountAsZero() {
    DraftReadingTexts readings = ::workedExample();
    readings.fwdX = QStringLiteral("  ");
    readings.aftX.clear();
    readings.fwdStbd.clear(); // one blank side halves the mean
    const CorrectedDrafts d = CorrectDrafts(readings, lbp180);
    QCOMPARE(d.fwdMean.toString(), QStringLiteral("3.6"));
    QCOMPARE(d.txtLBM, QStringLiteral("180"));
    QVERIFY(d.fwdCorrection.isZero());
    QVERIFY(d.aftCorrection.isZero());
}

// clang-format off
void TestDraftCorrection::badInputIsAnErrorNotACrash_data() {
    QTest::addColumn<QString>("fwdX");
    QTest::addColumn<QString>("midPort");
    QTest::addColumn<int>("error");

    QTest::newRow("zero length between marks") << "-176" << "7.55" << int(ErrorCode::DivisionByZero);
    QTest::newRow("text that is no number") << "2.5" << "7.5m" << int(ErrorCode::TypeMismatch);
}
// clang-format on

void TestDraftCorrection::badInputIsAnErrorNotACrash() {
    QFETCH(QString, fwdX);
    QFETCH(QString, midPort);
    QFETCH(int, error);
    DraftReadingTexts readings = ::workedExample();
    readings.fwdX = fwdX;
    readings.midPort = midPort;
    try {
        CorrectDrafts(readings, lbp180);
        QFAIL("no error");
    } catch (const ProgramError& e) {
        QCOMPARE(int(e.code()), error);
    }
}

// clang-format off
void TestDraftCorrection::hullDeflection_data() {
    QTest::addColumn<QString>("midships");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");

    QTest::newRow("sag") << "7.65" << "Sag" << "5";
    QTest::newRow("hog") << "7.55" << "Hog" << "5";
    QTest::newRow("straight") << "7.60" << "" << "0";
}
// clang-format on

void TestDraftCorrection::hullDeflection() {
    QFETCH(QString, midships);
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    DraftReadingTexts readings = ::workedExample();
    readings.fwdPort = readings.fwdStbd = QStringLiteral("7.25");
    readings.aftPort = readings.aftStbd = QStringLiteral("7.95");
    readings.midPort = readings.midStbd = midships;
    const HullDeflection deflection = ::hullDeflection(CorrectDrafts(readings, lbp180));
    QCOMPARE(deflection.caption, caption);
    QCOMPARE(deflection.text, shown);
}

QTEST_APPLESS_MAIN(TestDraftCorrection)
#include "test_draft_correction.moc"
