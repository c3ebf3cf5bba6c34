#include "draft_correction.h"
#include "errors.h"

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
    void workedExample_data();
    void workedExample();
    void blankDistancesAndReadingsCountAsZero();
    void zeroLengthBetweenMarksIsAnErrorNotACrash();
    void textThatIsNoNumberIsRefused();
    void hullDeflection_data();
    void hullDeflection();
};

void TestDraftCorrection::workedExample_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expectedShown");
    QTest::addColumn<QString>("working");
    QTest::addColumn<QString>("expectedWorking");

    const CorrectedDrafts d = CorrectDrafts(::workedExample(), lbp180);
    QTest::newRow("fwd mean") << d.txtFwdMean << "7.25" << d.fwdMean.toString() << "7.25";
    QTest::newRow("mid mean") << d.txtMidshipMean << "7.6" << d.midMean.toString() << "7.6";
    QTest::newRow("aft mean") << d.txtAftMean << "7.95" << d.aftMean.toString() << "7.95";
    QTest::newRow("apparent trim") << d.txtApparentTrim << "0.7" << d.apparentTrim.toString() << "0.7";
    QTest::newRow("length between marks") << d.txtLBM << "178.5" << d.lengthBetweenMarks.toString()
                                          << "178.5";
    QTest::newRow("fwd correction") << d.txtFwdCorrection << "0.01" << d.fwdCorrection.toString()
                                    << "0.0098039215686274509803921569";
    QTest::newRow("mid correction, distance 0") << d.txtMidshipCorrection << "0"
                                                << d.midCorrection.toString() << "0";
    QTest::newRow("aft correction") << d.txtAftCorrection << "0.016" << d.aftCorrection.toString()
                                    << "0.015686274509803921568627451";
    QTest::newRow("fwd true draft") << d.txtFwdTrueDraft << "7.26" << d.fwdTrueDraft.toString()
                                    << "7.2598039215686274509803921569";
    QTest::newRow("mid true draft") << d.txtMidshipTrueDraft << "7.6" << d.midTrueDraft.toString()
                                    << "7.6";
    QTest::newRow("aft true draft") << d.txtAftTrueDraft << "7.966" << d.aftTrueDraft.toString()
                                    << "7.965686274509803921568627451";
    QTest::newRow("true trim") << d.txtTrueTrim << "0.706" << d.trueTrim.toString()
                               << "0.7058823529411764705882352941";
    QTest::newRow("true mean draft") << d.txtTrueMeanDraft << "7.60318627"
                                     << d.trueMeanDraft.toString() << "7.603186274509803921568627451";
}

void TestDraftCorrection::workedExample() {
    QFETCH(QString, shown);
    QFETCH(QString, expectedShown);
    QFETCH(QString, working);
    QFETCH(QString, expectedWorking);
    QCOMPARE(shown, expectedShown);
    QCOMPARE(working, expectedWorking);
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

void TestDraftCorrection::zeroLengthBetweenMarksIsAnErrorNotACrash() {
    DraftReadingTexts readings = ::workedExample();
    readings.fwdX = QStringLiteral("-180");
    readings.aftX = QStringLiteral("0");
    try {
        CorrectDrafts(readings, lbp180);
        QFAIL("no error");
    } catch (const ProgramError& e) {
        QCOMPARE(e.code(), ErrorCode::DivisionByZero);
    }
}

void TestDraftCorrection::textThatIsNoNumberIsRefused() {
    DraftReadingTexts readings = ::workedExample();
    readings.midPort = QStringLiteral("7.5m");
    try {
        CorrectDrafts(readings, lbp180);
        QFAIL("no error");
    } catch (const ProgramError& e) {
        QCOMPARE(e.code(), ErrorCode::TypeMismatch);
    }
}

void TestDraftCorrection::hullDeflection_data() {
    QTest::addColumn<QString>("midships");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");

    QTest::newRow("sag") << "7.65" << "Sag" << "5";
    QTest::newRow("hog") << "7.55" << "Hog" << "5";
    QTest::newRow("straight") << "7.60" << "" << "0";
}

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
