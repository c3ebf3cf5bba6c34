#include "clock.h"
#include "connection.h"
#include "create_database.h"
#include "draft.h"
#include "draft_handover.h"
#include "errors.h"
#include "rowset.h"
#include "ship.h"
#include "text_list.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

Variant text(const char* value) {
    return Variant(QString::fromLatin1(value));
}

VariantGrid rows(std::initializer_list<std::initializer_list<const char*>> values) {
    VariantGrid grid;
    for (const auto& row : values) {
        QList<Variant> cells;
        for (const char* cell : row)
            cells.append(text(cell));
        grid.append(cells);
    }
    return grid;
}

QString at(const VariantGrid& grid, int row, int column) {
    return grid[row][column].toText();
}

} // namespace

class TestDraft : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void calculates_data();
    void calculates();
    void blankTrueMeanDraftLeavesResults();
    void zeroLbpStopsAfterTheDisplacement();
    void toSaveOnlyForRealChanges();
    void readingChangesAreValueChanges_data();
    void readingChangesAreValueChanges();
    void deductionsHoldTheLastQuantities_data();
    void deductionsHoldTheLastQuantities();
    void blankCellIsNamedWhereItStands_data();
    void blankCellIsNamedWhereItStands();
    void newDraftResetsButKeepsTheShipAndDistances();
    void sharedShipNeedsNoSecondRead();
    void tooLargeTableRaisesTheSubscriptError();

private:
    void calculatesWith(bool givenShip, const QString& tmd, const QString& trueTrim,
                        const QString& density, const QStringList& deductions,
                        const QStringList& expected);
    void prepare(clsDraft& draft, const char* tmd, const char* trueTrim, const char* density);

    QTemporaryDir m_dir;
    int m_shipID = 0;
};

void TestDraft::initTestCase() {
    QVERIFY(m_dir.isValid());
    createDatabase(databaseFileIn(m_dir.path()));
    QVERIFY(OpenConnection(m_dir.path()));
    gcnnStore->execute(
        QStringLiteral("INSERT INTO Ship (ShipName, LBP, LightShip) VALUES (?, ?, ?)"),
        {text("Test Trader"), Variant(Decimal(180)), Variant(Decimal(5800))});
    RowSet ships;
    ships.open(QStringLiteral("SELECT ShipID FROM Ship WHERE ShipName = ?"), *gcnnStore,
               {text("Test Trader")});
    m_shipID = int(ships.field(QStringLiteral("ShipID")).toWhole());
}

void TestDraft::cleanupTestCase() {
    gcnnStore.reset();
}

void TestDraft::prepare(clsDraft& draft, const char* tmd, const char* trueTrim,
                        const char* density) {
    if (gcnnStore)
        draft.setShipID(m_shipID);
    draft.setHDT(rows({{"7.50", "15000", "25.00", "2.500"}, {"7.60", "15250", "25.10", "2.400"}}));
    draft.setMCTCP50(rows({{"8.0", "200.0"}, {"8.1", "202.0"}}));
    draft.setMCTCM50(rows({{"7.0", "190.0"}, {"7.1", "191.0"}}));
    draft.set(DraftProperty::TrueMeanDraft, text(tmd));
    draft.set(DraftProperty::TrueTrim, text(trueTrim));
    draft.set(DraftProperty::SpecificGravity, text(density));
}

// clang-format off
void TestDraft::calculates_data() {
    QTest::addColumn<QString>("tmd");
    QTest::addColumn<QString>("trueTrim");
    QTest::addColumn<QString>("density");
    QTest::addColumn<QStringList>("deductions");
    QTest::addColumn<QStringList>("expected"); // "name=value"

    QTest::newRow("interpolation at 7.5732") << "7.5732" << "0" << "1.025" << QStringList() << texts({"IpFactor=0.732", "Ip(0,0)=183", "Ip(1,0)=15183", "Ip(1,1)=25.073",
                  "Ip(0,2)=-0.073", "Ip(1,2)=2.427", "FR(1)=0", "FR(2)=0", "FR(5)=15183", "FR(6)=0",
                  "FR(9)=15183", "FR(10)=5800"});
    QTest::newRow("MCTC half a metre up and down") << "7.55" << "0" << "1.025" << QStringList() << texts({"MCTCPlus50IpFactor=0.5", "Ip(1,3)=201", "MCTCMinus50IpFactor=0.5",
                  "Ip(1,4)=190.5"});
    QTest::newRow("factor 0 gives the Below line") << "7.50" << "0" << "1.025" << QStringList() << texts({"IpFactor=0", "Ip(1,0)=15000", "Ip(1,1)=25", "Ip(1,2)=2.5"});
    QTest::newRow("factor 1 gives the Above line") << "7.60" << "0" << "1.025" << QStringList() << texts({"IpFactor=1", "Ip(1,0)=15250", "Ip(1,1)=25.1", "Ip(1,2)=2.4"});
    // Fractions of the table's steps, and ties at the third place going to even.
    QTest::newRow("interpolation at 7.5125") << "7.5125" << "0" << "1.025" << QStringList() << texts({"IpFactor=0.125", "Ip(0,0)=31.25", "Ip(1,0)=15031.25", "Ip(0,1)=0.012",
                  "Ip(1,1)=25.012", "Ip(0,2)=-0.012", "Ip(1,2)=2.488", "Ip(1,3)=200.25", "Ip(1,4)=190.125"});
    QTest::newRow("one deduction") << "7.5732" << "0" << "1.025" << texts({"120.5"}) << texts({"FR(8)=120.5", "TotDeductibles=120.5", "FR(9)=15062.5"});
    QTest::newRow("fresh water") << "7.50" << "0" << "1.000" << QStringList() << texts({"FR(5)=15000", "FR(7)=14634.146341463414634146341463",
                                           "FR(6)=-365.853658536585365853658537",
                                           "FR(9)=14634.14634"});
    QTest::newRow("trim, density and deductions") << "7.5732" << "1.2" << "1.010" << texts({"120.5", "30.25"}) << texts({"FR(0)=15183", "FR(1)=40.565094506666666666666666667", "FR(2)=4.2928",
                  "FR(3)=44.857894506666666666666666667", "FR(4)=0",
                  "FR(5)=15227.857894506666666666666667", "FR(6)=-222.846700895219512195121951",
                  "FR(7)=15005.011193611447154471544716", "FR(8)=150.75", "TotDeductibles=150.75",
                  "FR(9)=14854.26119"});
}
// clang-format on

// Each case twice: with the ship read from the register, and with the same
// ship given by its particulars while no connection is open.
void TestDraft::calculates() {
    QFETCH(QString, tmd);
    QFETCH(QString, trueTrim);
    QFETCH(QString, density);
    QFETCH(QStringList, deductions);
    QFETCH(QStringList, expected);
    for (const bool given : {false, true}) {
        std::unique_ptr<Connection> setAside;
        if (given)
            setAside = std::move(gcnnStore);
        calculatesWith(given, tmd, trueTrim, density, deductions, expected);
        if (given)
            gcnnStore = std::move(setAside);
        if (QTest::currentTestFailed())
            QFAIL(given ? "ship given by its particulars" : "ship of the register");
    }
}

void TestDraft::calculatesWith(bool givenShip, const QString& tmd, const QString& trueTrim,
                               const QString& density, const QStringList& deductions,
                               const QStringList& expected) {
    clsDraft draft;
    prepare(draft, tmd.toLatin1().constData(), trueTrim.toLatin1().constData(),
            density.toLatin1().constData());
    if (givenShip)
        draft.setShipParticulars(QStringLiteral("Test Trader"), Decimal(180), Decimal(5800));
    int itemID = 2;
    for (const QString& quantity : deductions) {
        draft.Deductions().addNew();
        draft.Deductions().setField(QStringLiteral("ItemID"), Variant(itemID++));
        draft.Deductions().setField(QStringLiteral("Quantity"),
                                    Variant(Decimal::fromText(quantity)));
        draft.Deductions().update();
    }
    QCOMPARE(draft.Calculate(), 0L);
    QCOMPARE(draft.takeMessages(), QList<Message>());
    for (const QString& item : expected) {
        const QString name = item.section(u'=', 0, 0);
        const QString value = item.section(u'=', 1);
        const QMap<QString, DraftProperty> properties{
            {QStringLiteral("IpFactor"), DraftProperty::IpFactor},
            {QStringLiteral("MCTCPlus50IpFactor"), DraftProperty::MCTCPlus50IpFactor},
            {QStringLiteral("MCTCMinus50IpFactor"), DraftProperty::MCTCMinus50IpFactor},
            {QStringLiteral("TotDeductibles"), DraftProperty::TotDeductibles}};
        QString actual;
        if (name.startsWith(QStringLiteral("Ip(")))
            actual = at(draft.IpResult(), name.mid(3, 1).toInt(), name.mid(5, 1).toInt());
        else if (name.startsWith(QStringLiteral("FR(")))
            actual = draft.FinalResult()[name.mid(3).chopped(1).toInt()].toText();
        else
            actual = draft.get(properties.value(name)).toText();
        QVERIFY2(actual == value, qPrintable(name + QStringLiteral(": ") + actual));
    }
}

void TestDraft::blankTrueMeanDraftLeavesResults() {
    clsDraft draft;
    prepare(draft, "7.5732", "0", "1.025");
    draft.Calculate();
    draft.set(DraftProperty::TrueMeanDraft, text(" "));
    draft.setHDT(rows({{"9", "1", "1", "1"}, {"9.1", "2", "2", "2"}}));
    QCOMPARE(draft.Calculate(), 0L);
    QCOMPARE(draft.NetDisplacement().toText(), QStringLiteral("15183"));
}

void TestDraft::zeroLbpStopsAfterTheDisplacement() {
    gcnnStore->execute(
        QStringLiteral("INSERT INTO Ship (ShipName, LBP) VALUES ('No Length', '0')"));
    RowSet ships;
    ships.open(QStringLiteral("SELECT ShipID FROM Ship WHERE ShipName = 'No Length'"), *gcnnStore);
    clsDraft draft;
    prepare(draft, "7.5732", "1.2", "1.025");
    draft.setShipID(ships.field(QStringLiteral("ShipID")));
    QCOMPARE(draft.Calculate(), 0L);
    // The failure is the window's to show, once.
    QVERIFY(draft.lastFailure());
    QCOMPARE(draft.takeMessages(),
             QList<Message>{bareMessage(QStringLiteral("clsDraft::Calculate"))});
    QCOMPARE(draft.takeMessages(), QList<Message>());
    QCOMPARE(draft.FinalResult()[DisplacementAtTMD].toText(), QStringLiteral("15183"));
    QCOMPARE(draft.FinalResult()[FirstTrimCorrection].toText(), QString());
}

void TestDraft::toSaveOnlyForRealChanges() {
    clsDraft draft;
    QVERIFY(!draft.ToSave());
    draft.set(DraftProperty::FwdPort, text(""));
    draft.set(DraftProperty::DSDate, draft.get(DraftProperty::DSDate));
    draft.set(DraftProperty::TrueMeanDraft, text("7.6"));
    QVERIFY2(!draft.ToSave(), "nothing really changed");

    draft.set(DraftProperty::FwdPort, text("7.2"));
    QVERIFY(draft.ToSave());
    QCOMPARE(draft.get(DraftProperty::FwdPort), Variant(Decimal::fromText(u"7.2")));

    draft.setToSave(false);
    draft.set(DraftProperty::FwdPort, text("7.20"));
    QVERIFY2(!draft.ToSave(), "7.20 is the value already held");
    QVERIFY_THROWS_EXCEPTION(ProgramError, draft.set(DraftProperty::AftPort, text("seven")));
    QVERIFY(!draft.ToSave());
    draft.set(DraftProperty::Comments, text("heavy swell"));
    QVERIFY(draft.ToSave());
}

// clang-format off
void TestDraft::readingChangesAreValueChanges_data() {
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("changed");
    QTest::newRow("same text") << "7.2" << "7.2" << false;
    QTest::newRow("trailing zero") << "7.2" << "7.20" << false;
    QTest::newRow("blanks and sign") << "7.2" << " +7.2 " << false;
    QTest::newRow("negative zero") << "0" << "-0.000" << false;
    QTest::newRow("another value") << "7.2" << "7.21" << true;
    QTest::newRow("sign") << "0.5" << "-0.5" << true;
    QTest::newRow("emptied") << "7.2" << "" << true;
    QTest::newRow("blank to blank") << "" << " " << true;
    QTest::newRow("blank to number") << "" << "0" << true;
}
// clang-format on

void TestDraft::readingChangesAreValueChanges() {
    QFETCH(QString, held);
    QFETCH(QString, typed);
    QFETCH(bool, changed);
    clsDraft draft;
    draft.set(DraftProperty::MidStbd, Variant(held));
    draft.setToSave(false);
    draft.set(DraftProperty::MidStbd, Variant(typed));
    QCOMPARE(draft.ToSave(), changed);
    QCOMPARE(draft.get(DraftProperty::MidStbd), changed ? NormalizeValue(Variant(typed), -1, 0)
                                                        : NormalizeValue(Variant(held), -1, 0));
}

// clang-format off
void TestDraft::deductionsHoldTheLastQuantities_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("unchanged") << "12.5" << "12.5";
    QTest::newRow("same value") << "12.5" << "12.50";
    QTest::newRow("changed") << "12.5" << "13";
    QTest::newRow("emptied") << "12.5" << "";
    QTest::newRow("filled") << "" << "4";
    QTest::newRow("sign") << "1" << "-1";
}
// clang-format on

// Calculate hands the deductions over each time it runs.
void TestDraft::deductionsHoldTheLastQuantities() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    clsDraft draft;
    RowSet& deductions = draft.Deductions();
    const QList<int> items{7, 3};
    saveDeductions(deductions, items, {{7, first}, {3, QStringLiteral("2")}});
    saveDeductions(deductions, items, {{7, second}, {3, QStringLiteral("2")}});
    QVERIFY(!deductions.editPending());
    QCOMPARE(deductions.recordCount(), 2);
    const QString quantity = QStringLiteral("Quantity");
    deductions.moveFirst();
    QCOMPARE(deductions.field(QStringLiteral("ItemID")), Variant(7));
    QCOMPARE(deductions.field(quantity),
             Variant(NormalizeValue(Variant(second), -1, 0).toDecimal()));
    deductions.moveNext();
    QCOMPARE(deductions.field(quantity), Variant(Decimal(2)));
}

namespace {

// The hydrostatic cells in the order they are checked.
using CellOf = QString& (*)(DraftEntry&);
const CellOf hydrostaticCells[] = {
    [](DraftEntry& e) -> QString& { return e.below.draft; },
    [](DraftEntry& e) -> QString& { return e.below.displacement; },
    [](DraftEntry& e) -> QString& { return e.below.tpc; },
    [](DraftEntry& e) -> QString& { return e.below.lcf; },
    [](DraftEntry& e) -> QString& { return e.above.draft; },
    [](DraftEntry& e) -> QString& { return e.above.displacement; },
    [](DraftEntry& e) -> QString& { return e.above.tpc; },
    [](DraftEntry& e) -> QString& { return e.above.lcf; },
    [](DraftEntry& e) -> QString& { return e.mctcPlus50Below; },
    [](DraftEntry& e) -> QString& { return e.mctcPlus50Above; },
    [](DraftEntry& e) -> QString& { return e.mctcMinus50Below; },
    [](DraftEntry& e) -> QString& { return e.mctcMinus50Above; },
};

} // namespace

// clang-format off
void TestDraft::blankCellIsNamedWhereItStands_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("message");
    const QString hdt = QStringLiteral("txtHDTGridTextbox");
    QTest::newRow("draft below") << 0 << hdt << 1 << 1 << "Value of Hyd. Draft can't be left blank.";
    QTest::newRow("displacement below") << 1 << hdt << 1 << 2 << "Value of Displacement can't be left blank.";
    QTest::newRow("TPC below") << 2 << hdt << 1 << 3 << "Value of TPC can't be left blank.";
    QTest::newRow("LCF below") << 3 << hdt << 1 << 4 << "Value of LCF can't be left blank.";
    QTest::newRow("draft above") << 4 << hdt << 2 << 1 << "Value of Hyd. Draft can't be left blank.";
    QTest::newRow("displacement above") << 5 << hdt << 2 << 2 << "Value of Displacement can't be left blank.";
    QTest::newRow("TPC above") << 6 << hdt << 2 << 3 << "Value of TPC can't be left blank.";
    QTest::newRow("LCF above") << 7 << hdt << 2 << 4 << "Value of LCF can't be left blank.";
    QTest::newRow("MCTC+50 below") << 8 << "txtMPGridTextbox" << 1 << 2 << "Value of MCTC+50 can't be left blank.";
    QTest::newRow("MCTC+50 above") << 9 << "txtMPGridTextbox" << 2 << 2 << "Value of MCTC+50 can't be left blank.";
    QTest::newRow("MCTC-50 below") << 10 << "txtMMGridTextbox" << 1 << 2 << "Value of MCTC-50 can't be left blank.";
    QTest::newRow("MCTC-50 above") << 11 << "txtMMGridTextbox" << 2 << 2 << "Value of MCTC-50 can't be left blank.";
}
// clang-format on

// Each cell blanked alone, and with every later one blank too: the first
// blank is the one named.
void TestDraft::blankCellIsNamedWhereItStands() {
    QFETCH(int, cell);
    QFETCH(QString, editor);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, message);
    for (const bool laterBlank : {false, true}) {
        DraftEntry entry;
        for (const CellOf cellOf : hydrostaticCells)
            cellOf(entry) = QStringLiteral("7.5");
        QVERIFY(!firstBlankCell(entry));
        hydrostaticCells[cell](entry) = QStringLiteral(" ");
        for (int later = cell + 1; laterBlank && later < int(std::size(hydrostaticCells)); ++later)
            hydrostaticCells[later](entry) = QString();
        const std::optional<MissingCell> missing = firstBlankCell(entry);
        QVERIFY(missing);
        QCOMPARE(missing->cell.editor, editor);
        QCOMPARE(missing->cell.row, row);
        QCOMPARE(missing->cell.column, column);
        QCOMPARE(missing->message.text, message);
    }
}

void TestDraft::newDraftResetsButKeepsTheShipAndDistances() {
    FixedClock clock(QDateTime(QDate(2026, 12, 5), QTime(6, 45)));
    clsDraft draft;
    draft.setShipID(m_shipID);
    draft.setDraftType(1);
    draft.set(DraftProperty::FwdX, text("2.5"));
    draft.set(DraftProperty::FwdPort, text("7.2"));
    draft.setMCTCP50(rows({{"8.0", "200"}}));
    draft.NewDraft();
    QCOMPARE(draft.get(DraftProperty::DSDate).toText(), QStringLiteral("05-12-2026"));
    QCOMPARE(draft.get(DraftProperty::DSTime).toText(), QStringLiteral("06:45"));
    QCOMPARE(draft.get(DraftProperty::FwdPort).toText(), QString());
    QCOMPARE(draft.get(DraftProperty::FwdX).toText(), QStringLiteral("2.5"));
    QCOMPARE(at(draft.MCTCP50(), 0, 1), QStringLiteral("200"));
    QCOMPARE(draft.DraftType(), short(1));
    QCOMPARE(draft.ship().LBP().toText(), QStringLiteral("180"));
    QVERIFY(!draft.ToSave());
}

// The Final draft takes the Initial draft's ship while the register is
// closed, and keeps it when the Initial draft goes.
void TestDraft::sharedShipNeedsNoSecondRead() {
    clsDraft final;
    {
        clsDraft initial;
        initial.setShipID(m_shipID);
        std::unique_ptr<Connection> setAside = std::move(gcnnStore);
        final.shareShip(initial);
        gcnnStore = std::move(setAside);
    }
    QCOMPARE(final.ShipID(), m_shipID);
    QCOMPARE(final.ship().ShipName(), QStringLiteral("Test Trader"));
    QCOMPARE(final.ship().LightShip().toText(), QStringLiteral("5800"));
    QCOMPARE(final.takeMessages(), QList<Message>());
}

void TestDraft::tooLargeTableRaisesTheSubscriptError() {
    clsDraft draft;
    try {
        draft.setMCTCM50(rows({{"7.0", "190"}, {"7.1", "191"}, {"", ""}, {"9", "9"}}));
        QFAIL("no error");
    } catch (const ProgramError& e) {
        QCOMPARE(e.code(), ErrorCode::SubscriptOutOfRange);
    }
    QCOMPARE(at(draft.MCTCM50(), 1, 1), QStringLiteral("191"));
    QCOMPARE(at(draft.MCTCM50(), 2, 0), QStringLiteral("0"));
}

QTEST_MAIN(TestDraft)
#include "test_draft.moc"
