#include "connection.h"
#include "rowset.h"
#include "store_fixture.h"

#include <QTest>

namespace {

const char* const DateList =
    "SELECT DISTINCT (Mid$(DD.DateTime,7,2) & '-' & Mid$(DD.DateTime,5,2) & '-' & "
    "Left$(DD.DateTime,4)) AS DSDate FROM DraftDetails AS DD WHERE DD.RecordID = %1 AND "
    "DD.DraftType = 2 ORDER BY (Mid$(DD.DateTime,7,2) & '-' & Mid$(DD.DateTime,5,2) & '-' & "
    "Left$(DD.DateTime,4)) ASC";

QStringList columnTexts(RowSet& rows, const QString& column) {
    QStringList texts;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
        texts.append(rows.field(column).toText());
    return texts;
}

RowSet opened(const QString& statement) {
    RowSet rows;
    rows.open(statement, *gcnnStore);
    return rows;
}

} // namespace

class TestRowSet : public QObject {
    Q_OBJECT

private slots:
    void dateListIsDayFirstTextOrder_data();
    void dateListIsDayFirstTextOrder();
    void scratchDeductionsStayInMemory();
    void editableRowSetWritesThrough();
    void namesSurviveBoundValuesAndFind_data();
    void namesSurviveBoundValuesAndFind();
    void numbersStayExactDecimalText_data();
    void numbersStayExactDecimalText();
    void misuseRaisesTheStoreErrors();
};

void TestRowSet::dateListIsDayFirstTextOrder_data() {
    QTest::addColumn<int>("recordId");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("day first, duplicates once") << 7 << textList({"01-12-2004", "02-01-2004"});
    QTest::newRow("other survey") << 8 << textList({"05-05-2004"});
    QTest::newRow("no type 2 draft") << 9 << QStringList();
}

void TestRowSet::dateListIsDayFirstTextOrder() {
    QFETCH(int, recordId);
    QFETCH(QStringList, dates);
    StoreFixture store;
    const QString insert =
        QStringLiteral("INSERT INTO DraftDetails (RecordID, DraftType, DateTime) VALUES (?, ?, ?)");
    store.execute(insert, {7, 2, QStringLiteral("20040102083000")});
    store.execute(insert, {7, 2, QStringLiteral("20041201093000")});
    store.execute(insert, {7, 2, QStringLiteral("20041201161500")});
    store.execute(insert, {7, 1, QStringLiteral("20040315120000")});
    store.execute(insert, {8, 2, QStringLiteral("20040505120000")});
    store.execute(insert, {9, 1, QStringLiteral("20040606120000")});

    RowSet rows = opened(QString::fromLatin1(DateList).arg(recordId));
    QCOMPARE(rows.columns(), QStringList{QStringLiteral("DSDate")});
    QCOMPARE(columnTexts(rows, QStringLiteral("DSDate")), dates);
}

// A draft adds its items and finds them again without ever calling update,
// as the deductions grid does; nothing may reach the table.
void TestRowSet::scratchDeductionsStayInMemory() {
    StoreFixture store;
    store.execute(QStringLiteral("INSERT INTO DeductionTrans VALUES (?, ?, ?)"),
                  {5, 2, decimal("120.5")});
    RowSet deductions = opened(QStringLiteral("SELECT * FROM DeductionTrans WHERE DraftID = -1"));
    QCOMPARE(deductions.columns(), textList({"DraftID", "ItemID", "Quantity"}));
    QCOMPARE(deductions.recordCount(), 0);
    QVERIFY(deductions.atEnd());

    const QList<std::pair<int, const char*>> grid = {{2, "310.25"}, {3, "42"}, {24, "7.5"}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& [item, quantity] : grid) {
            if (deductions.recordCount() > 0)
                deductions.moveFirst();
            if (!deductions.find(QStringLiteral("ItemID = ") + QString::number(item))) {
                deductions.addNew();
                deductions.setField(QStringLiteral("ItemID"), item);
            }
            deductions.setField(QStringLiteral("Quantity"), QString::fromLatin1(quantity));
        }
    }
    QCOMPARE(deductions.recordCount(), 3);
    Decimal total;
    for (deductions.moveFirst(); !deductions.atEnd(); deductions.moveNext())
        total += deductions.field(QStringLiteral("Quantity")).toDecimal();
    QCOMPARE(total.toString(), QStringLiteral("359.75"));
    QVERIFY(deductions.find(QStringLiteral("ItemID = 3")));
    QVERIFY(deductions.field(QStringLiteral("Quantity")) == decimal("42"));

    QCOMPARE(opened(QStringLiteral("SELECT * FROM DeductionTrans")).recordCount(), 1);
}

// The port master's path, including the ships that go with their port.
void TestRowSet::editableRowSetWritesThrough() {
    StoreFixture store;
    RowSet ports;
    ports.openEditable(QStringLiteral("SELECT * FROM Port ORDER BY PortName"), *gcnnStore,
                       QStringLiteral("Port"), QStringLiteral("PortID"));
    ports.addNew();
    ports.setField(QStringLiteral("PortName"), QStringLiteral("Abbot Point"));
    ports.setField(QStringLiteral("City"), QStringLiteral("Bowen"));
    ports.setField(QStringLiteral("Country"), QStringLiteral("Australia"));
    ports.update();
    const Variant key = ports.field(QStringLiteral("PortID"));
    QCOMPARE(int(key.kind()), int(Variant::Kind::Whole));
    QCOMPARE(key.toWhole(), store.lastKey(QStringLiteral("Port"), QStringLiteral("PortID")));

    ports.requery();
    ports.sort(QStringLiteral("PortName ASC"));
    QCOMPARE(columnTexts(ports, QStringLiteral("PortName")),
             textList({"Abbot Point", "Port Hedland"}));

    QVERIFY(ports.find(QStringLiteral("PortID = ") + key.toText()));
    ports.setField(QStringLiteral("City"), QStringLiteral("Collinsville"));
    ports.update();
    RowSet check = opened(QStringLiteral("SELECT * FROM Port"));
    QVERIFY(check.find(QStringLiteral("PortID = ") + key.toText()));
    QCOMPARE(check.field(QStringLiteral("City")).toText(), QStringLiteral("Collinsville"));

    store.execute(QStringLiteral("INSERT INTO Ship (ShipName, PortOfRegistry) VALUES (?, ?)"),
                  {QStringLiteral("Cape Aster"), key});
    QVERIFY(ports.find(QStringLiteral("PortID = ") + key.toText()));
    ports.deleteCurrent();
    check.requery();
    QVERIFY(!check.find(QStringLiteral("PortID = ") + key.toText()));
    QCOMPARE(check.recordCount(), 1);
    RowSet ships = opened(QStringLiteral("SELECT * FROM Ship"));
    QCOMPARE(columnTexts(ships, QStringLiteral("ShipName")), textList({"Coral Meridian"}));
}

void TestRowSet::namesSurviveBoundValuesAndFind_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("quotes") << QStringLiteral("O'Brien's Pride");
    QTest::newRow("doubled quote") << QStringLiteral("Lady O''Hara");
    QTest::newRow("statement text") << QStringLiteral("X'); DELETE FROM Ship; --");
    QTest::newRow("ampersand") << QStringLiteral("Smith & Sons");
    QTest::newRow("not Latin") << QStringLiteral("Ocean \u00c5lesund \u4e38");
}

void TestRowSet::namesSurviveBoundValuesAndFind() {
    QFETCH(QString, name);
    StoreFixture store;
    store.execute(QStringLiteral("INSERT INTO Ship (ShipName) VALUES (?)"), {name});
    RowSet ships = opened(QStringLiteral("SELECT * FROM Ship ORDER BY ShipName"));
    QCOMPARE(ships.recordCount(), 2);
    QVERIFY(ships.find(QStringLiteral("ShipName = '") + name + QStringLiteral("'")));
    QCOMPARE(ships.field(QStringLiteral("ShipName")).toText(), name);
}

void TestRowSet::numbersStayExactDecimalText_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<Variant>("value");
    QTest::newRow("trailing zero") << QStringLiteral("LBP") << decimal("7.50");
    QTest::newRow("beyond 32 bits") << QStringLiteral("IMONo") << decimal("10000000000");
    QTest::newRow("beyond binary precision")
        << QStringLiteral("LightShip") << decimal("1234567890.123456789");
    QTest::newRow("typed as text") << QStringLiteral("FwdX") << Variant(QStringLiteral("0.1"));
}

void TestRowSet::numbersStayExactDecimalText() {
    QFETCH(QString, column);
    QFETCH(Variant, value);
    StoreFixture store;
    RowSet ships;
    ships.openEditable(QStringLiteral("SELECT * FROM Ship"), *gcnnStore, QStringLiteral("Ship"),
                       QStringLiteral("ShipID"));
    ships.setField(column, value);
    ships.update();

    RowSet stored = opened(QStringLiteral("SELECT ") + column + QStringLiteral(", typeof(") +
                           column + QStringLiteral(") AS StoredAs FROM Ship"));
    QVERIFY(stored.field(column) == Variant(value.toDecimal()));
    QCOMPARE(stored.field(QStringLiteral("StoredAs")).toText(), QStringLiteral("text"));
}

void TestRowSet::misuseRaisesTheStoreErrors() {
    StoreFixture store;
    RowSet ports = opened(QStringLiteral("SELECT * FROM Port"));
    const int storeFailure = int(ErrorCode::StoreFailure);
    QCOMPARE(errorOf([&] { ports.field(QStringLiteral("Harbour")); }), storeFailure);
    QCOMPARE(errorOf([&] { ports.find(QStringLiteral("PortName 'Santos'")); }), storeFailure);
    QVERIFY(!ports.find(QStringLiteral("PortName = 'Santos'")));
    QCOMPARE(errorOf([&] { ports.field(QStringLiteral("PortName")); }),
             int(ErrorCode::NoCurrentRecord));

    RowSet broken;
    QCOMPARE(errorOf([&] { broken.open(QStringLiteral("SELECT * FROM Harbour"), *gcnnStore); }),
             storeFailure);
    QVERIFY(!broken.isOpen());
}

QTEST_GUILESS_MAIN(TestRowSet)
#include "test_rowset.moc"
