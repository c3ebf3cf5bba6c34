#include "connection.h"
#include "rowset.h"
#include "schema.h"
#include "store_fixture.h"
#include "text_list.h"

#include <QTest>
#include <optional>

Q_DECLARE_METATYPE(Variant)

namespace {

RowSet opened(const QString& statement) {
    RowSet rows;
    rows.open(statement, *gcnnStore);
    return rows;
}

// One column of every row, "(null)" for a null.
QString column(RowSet& rows, const char* name) {
    QStringList values;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext()) {
        const Variant value = rows.field(QString::fromLatin1(name));
        values << (value.isNull() ? QStringLiteral("(null)") : value.toText());
    }
    return values.join(u',');
}

// Beside Coral Meridian (LBP 217) of the shipped data: names in both cases,
// a length that sorts wrongly as text, and a ship with neither.
void addShipsToSort() {
    gcnnStore->execute(QStringLiteral("INSERT INTO Ship (ShipName, LBP) VALUES ('bravo', '99.5'), "
                                      "('Alpha', '100'), (NULL, NULL)"));
}

} // namespace

class TestRowSet : public QObject {
    Q_OBJECT

private slots:
    void dateListIsDayFirstTextOrder();
    void scratchDeductionsStayInMemory_data();
    void scratchDeductionsStayInMemory();
    void editableRowSetWritesThrough();
    void namesSurviveBoundValuesAndFind_data();
    void namesSurviveBoundValuesAndFind();
    void numbersStayExactDecimalText();
    void sorts_data();
    void sorts();
    void findsIgnoringCase_data();
    void findsIgnoringCase();
    void requeryKeepsBoundValues();
    void moveToStopsOnePastTheEnd();
    void blanksAreStoredAsNull_data();
    void blanksAreStoredAsNull();
    void damagedColumnRaises_data();
    void damagedColumnRaises();
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

void TestRowSet::scratchDeductionsStayInMemory_data() {
    QTest::addColumn<bool>("detached");
    QTest::newRow("opened on no rows of the table") << false;
    QTest::newRow("detached, without a connection") << true;
}

// A draft adds or changes its items as the deductions grid does, twice
// over, without ever calling update; nothing may reach the table, and a
// requery starts again from no rows.
void TestRowSet::scratchDeductionsStayInMemory() {
    QFETCH(bool, detached);
    std::optional<StoreFixture> store;
    RowSet deductions;
    if (detached) {
        deductions.openDetached(tableColumns(QStringLiteral("DeductionTrans")));
    } else {
        store.emplace();
        gcnnStore->execute(QStringLiteral("INSERT INTO DeductionTrans VALUES (5, 2, '120.5')"));
        deductions = opened(QStringLiteral("SELECT * FROM DeductionTrans WHERE DraftID = -1"));
    }
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
    QVERIFY(deductions.field(QStringLiteral("ItemID")) == Variant(qint64(3)));
    QVERIFY(deductions.field(QStringLiteral("Quantity")) == decimal("42"));
    QVERIFY(deductions.field(QStringLiteral("DraftID")).isNull());
    if (store)
        QCOMPARE(opened(QStringLiteral("SELECT * FROM DeductionTrans")).recordCount(), 1);
    deductions.requery();
    QCOMPARE(deductions.recordCount(), 0);
    QCOMPARE(deductions.columns(), texts({"DraftID", "ItemID", "Quantity"}));
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
    RowSet stored = opened(QStringLiteral("SELECT IMONo, LightShip FROM Ship"));
    QVERIFY(stored.field(QStringLiteral("IMONo")) == decimal("10000000000"));
    QVERIFY(stored.field(QStringLiteral("LightShip")) == decimal("1234567890.123456789"));
    // A server's columns are text by their declared type; SQLite's only by
    // their affinity.
    if (!testsRunOnServer())
        QCOMPARE(opened(QStringLiteral("SELECT typeof(IMONo) || typeof(LightShip) AS StoredAs "
                                       "FROM Ship"))
                     .field(QStringLiteral("StoredAs"))
                     .toText(),
                 QStringLiteral("texttext"));
}

// clang-format off
void TestRowSet::sorts_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("names"); // empty: the order is refused

    QTest::newRow("text ascending, nulls first, case ignored") << "ShipName ASC" << "(null),Alpha,bravo,Coral Meridian";
    QTest::newRow("text descending, nulls last") << "ShipName DESC" << "Coral Meridian,bravo,Alpha,(null)";
    QTest::newRow("numbers by value, not as text") << "LBP" << "(null),bravo,Alpha,Coral Meridian";
    QTest::newRow("numbers descending, blanks and case") << "  lbp   desc " << "Coral Meridian,Alpha,bravo,(null)";
    QTest::newRow("unknown direction") << "LBP DOWN" << "";
    QTest::newRow("unknown column") << "Length ASC" << "";
}
// clang-format on

void TestRowSet::sorts() {
    QFETCH(QString, order);
    QFETCH(QString, names);
    StoreFixture store;
    addShipsToSort();
    RowSet ships = opened(QStringLiteral("SELECT * FROM Ship"));
    ships.moveTo(2);
    if (names.isEmpty()) {
        QCOMPARE(errorOf([&] { ships.sort(order); }), int(ErrorCode::StoreFailure));
        return;
    }
    ships.sort(order);
    QCOMPARE(ships.position(), 0);
    QCOMPARE(column(ships, "ShipName"), names);
}

// clang-format off
void TestRowSet::findsIgnoringCase_data() {
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("found"); // the ship's name; empty: none

    QTest::newRow("other case") << "ShipName = 'coral MERIDIAN'" << "Coral Meridian";
    QTest::newRow("column named in other case") << "shipname = 'BRAVO'" << "bravo";
    QTest::newRow("part of a name is no match") << "ShipName = 'Coral'" << "";
    QTest::newRow("number at another scale") << "LBP = 217.000" << "Coral Meridian";
    QTest::newRow("null never matches") << "LBP = 0" << "";
}
// clang-format on

void TestRowSet::findsIgnoringCase() {
    QFETCH(QString, criterion);
    QFETCH(QString, found);
    StoreFixture store;
    addShipsToSort();
    RowSet ships = opened(QStringLiteral("SELECT * FROM Ship"));
    ships.moveTo(3);
    QCOMPARE(ships.find(criterion), !found.isEmpty());
    if (found.isEmpty())
        QVERIFY(ships.atEnd());
    else
        QCOMPARE(ships.field(QStringLiteral("ShipName")).toText(), found);
}

// The ship list of a port master or ship particulars window, requeried
// after a save, must stay the list it was opened as.
void TestRowSet::requeryKeepsBoundValues() {
    StoreFixture store;
    addShipsToSort();
    RowSet ships;
    ships.open(QStringLiteral("SELECT * FROM Ship WHERE ShipName LIKE ? ORDER BY ShipName"),
               *gcnnStore, {QStringLiteral("C%")});
    QCOMPARE(column(ships, "ShipName"), QStringLiteral("Coral Meridian"));
    gcnnStore->execute(
        QStringLiteral("INSERT INTO Ship (ShipName) VALUES ('Cape Aster'), ('Small One')"));
    ships.requery();
    QCOMPARE(column(ships, "ShipName"), QStringLiteral("Cape Aster,Coral Meridian"));

    // An editable row set still writes through after a requery.
    RowSet ports;
    ports.openEditable(QStringLiteral("SELECT * FROM Port"), *gcnnStore, QStringLiteral("Port"),
                       QStringLiteral("PortID"));
    ports.requery();
    ports.addNew();
    ports.setField(QStringLiteral("PortName"), QStringLiteral("Abbot Point"));
    ports.update();
    QVERIFY(opened(QStringLiteral("SELECT * FROM Port"))
                .find(QStringLiteral("PortName = 'Abbot Point'")));
}

void TestRowSet::moveToStopsOnePastTheEnd() {
    StoreFixture store;
    addShipsToSort();
    RowSet ships = opened(QStringLiteral("SELECT * FROM Ship"));
    const int count = ships.recordCount();
    ships.moveTo(count - 1);
    QVERIFY(!ships.atEnd());
    ships.moveTo(count);
    QVERIFY(ships.atEnd());
    QCOMPARE(errorOf([&] { ships.field(QStringLiteral("ShipName")); }),
             int(ErrorCode::NoCurrentRecord));
    QCOMPARE(errorOf([&] { ships.moveNext(); }), int(ErrorCode::NoCurrentRecord));
    QCOMPARE(errorOf([&] { ships.moveTo(count + 1); }), int(ErrorCode::NoCurrentRecord));
    QCOMPARE(errorOf([&] { ships.moveTo(-1); }), int(ErrorCode::NoCurrentRecord));
    QVERIFY(ships.atEnd());
}

// clang-format off
void TestRowSet::blanksAreStoredAsNull_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<Variant>("value");
    QTest::addColumn<QString>("stored"); // null or text, then the value

    QTest::newRow("nothing in a number column") << "LOA" << Variant() << "null:";
    QTest::newRow("blank text in a number column") << "LOA" << Variant(QStringLiteral("  ")) << "null:";
    QTest::newRow("blank text in a key column") << "PortOfRegistry" << Variant(QString()) << "null:";
    QTest::newRow("nothing in a text column") << "CallSign" << Variant() << "null:";
    QTest::newRow("text kept as given") << "CallSign" << Variant(QStringLiteral(" 9V ")) << "text: 9V ";
    QTest::newRow("number") << "LOA" << Variant(QStringLiteral("225.5")) << "text:225.5";
}
// clang-format on

void TestRowSet::blanksAreStoredAsNull() {
    QFETCH(QString, column);
    QFETCH(Variant, value);
    QFETCH(QString, stored);
    StoreFixture store;
    RowSet ships;
    ships.openEditable(QStringLiteral("SELECT * FROM Ship"), *gcnnStore, QStringLiteral("Ship"),
                       QStringLiteral("ShipID"));
    ships.setField(column, value);
    ships.update();
    RowSet check = opened(QStringLiteral("SELECT CASE WHEN %1 IS NULL THEN 'null' ELSE 'text' END "
                                         "|| ':' || COALESCE(CAST(%1 AS TEXT), '') AS Stored "
                                         "FROM Ship")
                              .arg(column));
    QCOMPARE(check.field(QStringLiteral("Stored")).toText(), stored);
}

// clang-format off
void TestRowSet::damagedColumnRaises_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("damage");

    QTest::newRow("text in a whole-number column") << "DraftDetails" << "DraftType" << "abc";
    QTest::newRow("fraction in a whole-number column") << "DraftDetails" << "RecordID" << "1.5";
    QTest::newRow("exponent in a number column") << "DeductionTrans" << "Quantity" << "1.0e-05";
    QTest::newRow("decimal comma in a number column") << "DeductionTrans" << "Quantity" << "10800,5";
}
// clang-format on

// A damaged value must never read as 0 and pass into a calculation.
void TestRowSet::damagedColumnRaises() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, damage);
    StoreFixture store;
    gcnnStore->execute(
        QStringLiteral("INSERT INTO DraftDetails (RecordID, DraftType) VALUES (7, 2)"));
    gcnnStore->execute(QStringLiteral("INSERT INTO DeductionTrans VALUES (5, 2, '120.5')"));
    const QString update = QStringLiteral("UPDATE %1 SET %2 = ?").arg(table, column);
    // A server's whole-number column refuses the damage itself.
    if (testsRunOnServer() && errorOf([&] { gcnnStore->execute(update, {damage}); }) != 0)
        QSKIP("the column's type refuses the value");
    gcnnStore->execute(update, {damage});
    RowSet rows;
    try {
        rows.open(QStringLiteral("SELECT * FROM ") + table, *gcnnStore);
        QFAIL("the damaged value was read");
    } catch (const ProgramError& error) {
        QCOMPARE(error.code(), ErrorCode::StoreFailure);
        QCOMPARE(error.description(),
                 QStringLiteral("The column %1 holds \"%2\", which does not fit its type.")
                     .arg(column, damage));
    }
    QVERIFY(!rows.isOpen());
}

QTEST_GUILESS_MAIN(TestRowSet)
#include "test_rowset.moc"
