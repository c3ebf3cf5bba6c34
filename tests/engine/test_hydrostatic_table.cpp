#include "errors.h"
#include "hydrostatic_table.h"

#include <QTest>

namespace {

DraftEntry bracketing() {
    DraftEntry e;
    e.below = {QStringLiteral("7.50"), QStringLiteral("15000"), QStringLiteral("25.00"),
               QStringLiteral("2.500")};
    e.above = {QStringLiteral("7.60"), QStringLiteral("15250"), QStringLiteral("25.10"),
               QStringLiteral("2.400")};
    e.mctcPlus50Below = QStringLiteral("200.0");
    e.mctcPlus50Above = QStringLiteral("202.0");
    e.mctcMinus50Below = QStringLiteral("190.0");
    e.mctcMinus50Above = QStringLiteral("191.0");
    return e;
}

} // namespace

class TestHydrostaticTable : public QObject {
    Q_OBJECT

private slots:
    void mctcDraftsFollowTheHydrostaticDraft_data();
    void mctcDraftsFollowTheHydrostaticDraft();
    void differencesAreUnroundedText();
    void zeroDifferences_data();
    void zeroDifferences();
    void valuesAreWhatTheDraftMakesOfTheTexts_data();
    void valuesAreWhatTheDraftMakesOfTheTexts();
    void firstBadCellDecidesTheError_data();
    void firstBadCellDecidesTheError();
};

// clang-format off
void TestHydrostaticTable::mctcDraftsFollowTheHydrostaticDraft_data() {
    QTest::addColumn<QString>("draft");
    QTest::addColumn<QString>("plus");
    QTest::addColumn<QString>("minus");
    QTest::newRow("no residue") << "7.3" << "7.8" << "6.8";
    QTest::newRow("all places kept") << "7.12345" << "7.62345" << "6.62345";
    QTest::newRow("blank") << " " << "" << "";
    QTest::newRow("below half a metre") << "0.2" << "0.7" << "-0.3";
}
// clang-format on

void TestHydrostaticTable::mctcDraftsFollowTheHydrostaticDraft() {
    QFETCH(QString, draft);
    QFETCH(QString, plus);
    QFETCH(QString, minus);
    QCOMPARE(mctcDraftText(draft, true), plus);
    QCOMPARE(mctcDraftText(draft, false), minus);
}

void TestHydrostaticTable::differencesAreUnroundedText() {
    HydrostaticTexts grids = hydrostaticTexts(bracketing());
    fillDifferences(grids);
    QCOMPARE(grids.hdt[Difference].mid(0, 4),
             (QStringList{QStringLiteral("0.1"), QStringLiteral("250"), QStringLiteral("0.1"),
                          QStringLiteral("-0.1")}));
    QCOMPARE(grids.mctcPlus50[Below][0], QStringLiteral("8"));
    QCOMPARE(grids.mctcPlus50[Difference],
             (QStringList{QStringLiteral("0.1"), QStringLiteral("2")}));
    QCOMPARE(grids.mctcMinus50[Difference],
             (QStringList{QStringLiteral("0.1"), QStringLiteral("1")}));
}

// clang-format off
void TestHydrostaticTable::zeroDifferences_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("usable");
    // Printed tables at 1 cm steps repeat TPC, LCF and MCTC: still a survey.
    QTest::newRow("TPC repeats") << "tpc" << true;
    QTest::newRow("LCF repeats") << "lcf" << true;
    QTest::newRow("MCTC repeats") << "mctc" << true;
    QTest::newRow("same draft twice") << "draft" << false;
    QTest::newRow("same displacement twice") << "displacement" << false;
}
// clang-format on

void TestHydrostaticTable::zeroDifferences() {
    QFETCH(QString, column);
    QFETCH(bool, usable);
    DraftEntry e = bracketing();
    if (column == QStringLiteral("tpc"))
        e.above.tpc = e.below.tpc;
    else if (column == QStringLiteral("lcf"))
        e.above.lcf = QStringLiteral("2.5");
    else if (column == QStringLiteral("mctc"))
        e.mctcPlus50Above = e.mctcPlus50Below;
    else if (column == QStringLiteral("draft"))
        e.above.draft = QStringLiteral("7.5");
    else
        e.above.displacement = e.below.displacement;
    HydrostaticTexts grids = hydrostaticTexts(e);
    const std::optional<Message> refusal = unusableDifferences(fillDifferences(grids));
    QCOMPARE(!refusal, usable);
    if (refusal)
        QCOMPARE(*refusal, warningMessage(QStringLiteral("Invalid hydrostatic details...!"),
                                          QStringLiteral("Difference of Above & Below can't be "
                                                         "zero.")));
    // The window shows the refusal; the check itself shows nothing.
}

// clang-format off
void TestHydrostaticTable::valuesAreWhatTheDraftMakesOfTheTexts_data() {
    QTest::addColumn<QString>("tpcBelow");
    QTest::addColumn<QString>("mctcPlus50Above");
    QTest::newRow("trailing zeros") << "25.00" << "202.0";
    QTest::newRow("blanks around") << " 25 " << "\t202 ";
    QTest::newRow("signs") << "-0.5" << "+202";
    QTest::newRow("zero") << "0.000" << "0";
}
// clang-format on

// The draft stores each cell as NormalizeValue makes it of the text: the
// values handed over must give it the same, blanks (0 as a whole number)
// and Difference rows included.
void TestHydrostaticTable::valuesAreWhatTheDraftMakesOfTheTexts() {
    QFETCH(QString, tpcBelow);
    QFETCH(QString, mctcPlus50Above);
    DraftEntry e = bracketing();
    e.below.tpc = tpcBelow;
    e.mctcPlus50Above = mctcPlus50Above;
    HydrostaticTexts grids = hydrostaticTexts(e);
    const HydrostaticValues values = fillDifferences(grids);
    const QList<QPair<const QList<QStringList>*, const VariantGrid*>> pairs = {
        {&grids.hdt, &values.hdt},
        {&grids.mctcPlus50, &values.mctcPlus50},
        {&grids.mctcMinus50, &values.mctcMinus50}};
    for (const auto& [texts, cells] : pairs) {
        QCOMPARE(cells->size(), texts->size());
        for (int row = 0; row < texts->size(); ++row) {
            QCOMPARE((*cells)[row].size(), (*texts)[row].size());
            for (int column = 0; column < (*texts)[row].size(); ++column)
                QCOMPARE(NormalizeValue((*cells)[row][column], -1, 0),
                         NormalizeValue(Variant((*texts)[row][column]), -1, 0));
        }
    }
}

// clang-format off
void TestHydrostaticTable::firstBadCellDecidesTheError_data() {
    QTest::addColumn<QString>("belowTpc");
    QTest::addColumn<QString>("aboveTpc");
    QTest::addColumn<QString>("aboveLcf");
    QTest::addColumn<int>("code");
    const QString tooLarge = QStringLiteral("99999999999999999999999999999999");
    QTest::newRow("below read before above") << "12a" << tooLarge << "2.4" << int(ErrorCode::TypeMismatch);
    QTest::newRow("too large below") << tooLarge << "12a" << "2.4" << int(ErrorCode::Overflow);
    QTest::newRow("bad above") << "25" << "x" << "2.4" << int(ErrorCode::TypeMismatch);
    QTest::newRow("earlier column first") << "25" << tooLarge << "x" << int(ErrorCode::Overflow);
}
// clang-format on

void TestHydrostaticTable::firstBadCellDecidesTheError() {
    QFETCH(QString, belowTpc);
    QFETCH(QString, aboveTpc);
    QFETCH(QString, aboveLcf);
    QFETCH(int, code);
    DraftEntry e = bracketing();
    e.below.tpc = belowTpc;
    e.above.tpc = aboveTpc;
    e.above.lcf = aboveLcf;
    HydrostaticTexts grids = hydrostaticTexts(e);
    try {
        fillDifferences(grids);
        QFAIL("no error raised");
    } catch (const ProgramError& error) {
        QCOMPARE(int(error.code()), code);
    }
}

QTEST_APPLESS_MAIN(TestHydrostaticTable)
#include "test_hydrostatic_table.moc"
