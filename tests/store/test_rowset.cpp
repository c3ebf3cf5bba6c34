#include "connection.h"
#include "rowset.h"
#include "store_fixture.h"
#include "text_list.h"

#include <QTest>

namespace {

RowSet opened(const QString& statement) {
    RowSet rows;
    rows.open(statement, *gcnnStore);
    return rows;
}

} // namespace

class TestRowSet : public QObject {
    Q_OBJECT

private slots:
    void dateListIsDayFirstTextOrder();
    void scratchDeductionsStayInMemory();
    void editableRowSetWritesThrough();
    void namesSurviveBoundValuesAndFind_data();
    void namesSurviveBoundValuesAndFind();
    void numbersStayExactDecimalText();
};

// The survey's date list, in the Jet dialect the worksheet sends.
void TestRowSet::dateListIsDayFirstTextOrder() {
    StoreFixture store;
    gcnnStore->execute(QStringLiteral(
        "INSERT INTO DraftDetails (RecordID, DraftType, DateTime) VALUES (7, 2, '20040102083000'), "
        "(7, 2, '20041201093000'), (7, 2, '20041201161500'), (7, 1, '20040315120000'), "
        "(8, 2, '20040505120000')"));
    RowSet rows = opened(QStringLiteral(
        "SELECT DISTINCT (Mid$(DD.DateTime,7,2) & '-' & Mid$(DD.DateTime,5,2) & '-' & "
        "Left$(DD.DateTime,4)) AS DSDate FROM DraftDetails AS DD WHERE DD.RecordID = 7 AND "
        "DD.DraftType = 2 ORDER BY (Mid$(DD.DateTime,7,2) & '-' & Mid$(DD.DateTime,5,2) & '-' & "
        "Left$(DD.DateTime,4)) ASC"));
    QStringList dates;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
        dates.append(rows.field(QStringLiteral("DSDate")).toText());
    QCOMPARE(dates, texts({"01-12-2004", "02-01-2004"}));
}

// A draft adds or changes its items as the deductions grid does, twice
// over, without ever calling update; nothing may reach the table.
void TestRowSet::scratchDeductionsStayInMemory() {
    StoreFixture store;
    gcnnStore->execute(QStringLiteral("INSERT INTO DeductionTrans VALUES (5, 2, '120.5')"));
    RowSet deductions = opened(QStringLiteral("SELECT * FROM DeductionTrans WHERE DraftID = -1"));
    QCOMPARE(deductions.columns(), texts({"DraftID", "ItemID", "Quantity"}));
    QCOMPARE(deductions.recordCount(), 0);
    for (const char* quantity : {"7.5", "42"}) {
        for (int item : {2, 3, 24}) {
            if (!deductions.find(QStringLiteral("ItemID = ") + QString::number(item))) {
                deductions.addNew();
                deductions.setField(QStringLiteral("ItemID"), item);
            }
            deductions.setField(QStringLiteral("Quantity"), QString::fromLatin1(quantity));
        }
    }
    QCOMPARE(deductions.recordCount(), 3);
    QVERIFY(deductions.find(QStringLiteral("ItemID = 3")));
    QVERIFY(deductions.field(QStringLiteral("Quantity")) == decimal("42"));
    QCOMPARE(opened(QStringLiteral("SELECT * FROM DeductionTrans")).recordCount(), 1);
}

// The port master's path, including the ships that go with their port.
void TestRowSet::editableRowSetWritesThrough() {
    StoreFixture store;
    RowSet ports;
    ports.openEditable(QStringLiteral("SELECT * FROM Port"), *gcnnStore, QStringLiteral("Port"),
                       QStringLiteral("PortID"));
    ports.addNew();
    ports.setField(QStringLiteral("PortName"), QStringLiteral("Abbot Point"));
    ports.update();
    const Variant key = ports.field(QStringLiteral("PortID"));
    const QString byKey = QStringLiteral("PortID = ") + key.toText();
    RowSet check = opened(QStringLiteral("SELECT * FROM Port"));
    QVERIFY(check.find(byKey));
    QCOMPARE(check.field(QStringLiteral("PortName")).toText(), QStringLiteral("Abbot Point"));

    ports.setField(QStringLiteral("City"), QStringLiteral("Bowen"));
    ports.update();
    check.requery();
    QVERIFY(check.find(byKey));
    QCOMPARE(check.field(QStringLiteral("City")).toText(), QStringLiteral("Bowen"));

    gcnnStore->execute(QStringLiteral("INSERT INTO Ship (ShipName, PortOfRegistry) VALUES (?, ?)"),
                       {QStringLiteral("Cape Aster"), key});
    ports.deleteCurrent();
    check.requery();
    QVERIFY(!check.find(byKey));
    // Cape Aster went with its port; Coral Meridian stays with the other.
    QCOMPARE(opened(QStringLiteral("SELECT * FROM Ship")).recordCount(), 1);
}

// clang-format off
void TestRowSet::namesSurviveBoundValuesAndFind_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("quotes") << QStringLiteral("O'Brien's Pride");
    QTest::newRow("statement text") << QStringLiteral("X'); DELETE FROM Ship; --");
}
// clang-format on

void TestRowSet::namesSurviveBoundValuesAndFind() {
    QFETCH(QString, name);
    StoreFixture store;
    gcnnStore->execute(QStringLiteral("INSERT INTO Ship (ShipName) VALUES (?)"), {name});
    RowSet ships = opened(QStringLiteral("SELECT * FROM Ship"));
    QCOMPARE(ships.recordCount(), 2);
    QVERIFY(ships.find(QStringLiteral("ShipName = '") + name + QStringLiteral("'")));
    QCOMPARE(ships.field(QStringLiteral("ShipName")).toText(), name);
}

// Beyond 32 bits and beyond binary precision: only decimal text keeps them.
void TestRowSet::numbersStayExactDecimalText() {
    StoreFixture store;
    RowSet ships;
    ships.openEditable(QStringLiteral("SELECT * FROM Ship"), *gcnnStore, QStringLiteral("Ship"),
                       QStringLiteral("ShipID"));
    ships.setField(QStringLiteral("IMONo"), decimal("10000000000"));
    ships.setField(QStringLiteral("LightShip"), decimal("1234567890.123456789"));
    ships.update();
    RowSet stored = opened(QStringLiteral(
        "SELECT IMONo, LightShip, typeof(IMONo) || typeof(LightShip) AS StoredAs FROM Ship"));
    QVERIFY(stored.field(QStringLiteral("IMONo")) == decimal("10000000000"));
    QVERIFY(stored.field(QStringLiteral("LightShip")) == decimal("1234567890.123456789"));
    QCOMPARE(stored.field(QStringLiteral("StoredAs")).toText(), QStringLiteral("texttext"));
}

QTEST_GUILESS_MAIN(TestRowSet)
#include "test_rowset.moc"
