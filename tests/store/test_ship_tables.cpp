// A ship's hydrostatic tables in the register: kept exactly, gone with
// their ship, and added to a register made before they existed.
#include "connection.h"
#include "register.h"
#include "statement.h"
#include "store_fixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

std::optional<Decimal> number(const char* text) {
    return Decimal::fromText(QString::fromLatin1(text));
}

TableRow row(const char* draft, const char* displacement, const char* km = nullptr) {
    TableRow row;
    row[TableColumn::Draft] = number(draft);
    row[TableColumn::Displacement] = number(displacement);
    row[TableColumn::TPC] = number("25.013");
    row[TableColumn::LCF] = number("-2.4005");
    row[TableColumn::MCTC] = number("190.1");
    if (km)
        row[TableColumn::KM] = number(km);
    return row;
}

qint64 countOf(const QString& table) {
    QSqlQuery query =
        runStatement(gcnnStore->database(), QStringLiteral("SELECT COUNT(*) FROM ") + table);
    query.next();
    return query.value(0).toLongLong();
}

qint64 newShip() {
    ShipRecord ship;
    ship.name = QStringLiteral("Coral Meridian");
    ship.lbp = number("217");
    return Register(*gcnnStore).insertShip(ship);
}

} // namespace

class TestShipTables : public QObject {
    Q_OBJECT

private slots:
    void keptExactly() {
        StoreFixture store;
        const Register records(*gcnnStore);
        ShipTable table;
        table.shipID = int(newShip());
        table.declaration.density = *number("1.000");
        table.declaration.lcfOrigin = LcfOrigin::AftPerpendicular;
        table.declaration.lcfPositive = LcfPositive::Forward;
        table.declaration.source = QStringLiteral("Trim & stability booklet, p. 12");
        table.declaration.trim = number("0.5");
        // Stored as given; read back by rising draft.
        table.rows = {row("7.60", "15250.123456789012345678901"), row("7.50", "15000", "12.1"),
                      row("10.00", "21000.5")};
        const qint64 id = records.insertShipTable(table);
        const std::optional<ShipTable> read = records.shipTable(id);
        QVERIFY(read);
        QCOMPARE(read->id, id);
        QCOMPARE(read->shipID, table.shipID);
        QVERIFY(read->declaration == table.declaration);
        QCOMPARE(read->rows.size(), 3);
        QVERIFY(read->rows[0] == table.rows[1]);
        QVERIFY(read->rows[1] == table.rows[0]);
        QVERIFY(read->rows[2] == table.rows[2]);
        // A column not given stays unset, never 0.
        QVERIFY(!read->rows[0][TableColumn::LCB]);

        ShipTable evenKeel;
        evenKeel.shipID = table.shipID;
        evenKeel.rows = {row("1", "100"), row("2", "200")};
        const qint64 second = records.insertShipTable(evenKeel);
        const QList<ShipTable> listed = records.shipTables(table.shipID);
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0].id, id);
        QCOMPARE(listed[1].id, second);
        QVERIFY(listed[1].declaration == TableDeclaration{});
        QVERIFY(listed[1].rows.isEmpty());
        QVERIFY(!records.shipTable(second + 1));
    }

    void readAPageAtATimeAndReplaced() {
        StoreFixture store;
        const Register records(*gcnnStore);
        ShipTable table;
        table.shipID = int(newShip());
        for (int n = 0; n < 10; ++n)
            table.rows.append(row(qPrintable(QStringLiteral("7.%1").arg(n)),
                                  qPrintable(QString::number(15000 + 25 * n))));
        const qint64 id = records.insertShipTable(table);
        const qint64 other = records.insertShipTable(table);
        QCOMPARE(records.tableRowCount(id), 10);
        QCOMPARE(records.tableRows(id, 4, 3), table.rows.mid(4, 3));
        QCOMPARE(records.tableRows(id, 8, 5), table.rows.mid(8));
        QCOMPARE(records.tableRows(id, 0, -1), table.rows);

        QList<TableRow> edited = table.rows.mid(0, 9);
        edited[3][TableColumn::TPC] = number("25.5");
        records.replaceTableRows(id, edited);
        QCOMPARE(records.shipTable(id)->rows, edited);
        QCOMPARE(records.tableRowCount(id), 9);
        QCOMPARE(records.shipTable(other)->rows, table.rows);
        // A figure mended in place moves its row on disk, not in the table.
        gcnnStore->execute(QStringLiteral("UPDATE HydrostaticRow SET RowKM = '9.1' WHERE "
                                          "RowTableID = ? AND RowDraft = ?"),
                           {other, *table.rows[0][TableColumn::Draft]});
        table.rows[0][TableColumn::KM] = number("9.1");
        QCOMPARE(records.tableRows(other, 0, 2), table.rows.mid(0, 2));
    }

    void goneWithTheirShip() {
        StoreFixture store;
        const Register records(*gcnnStore);
        ShipTable table;
        table.shipID = int(newShip());
        table.rows = {row("7.5", "15000"), row("7.6", "15250")};
        const qint64 deleted = records.insertShipTable(table);
        const qint64 kept = records.insertShipTable(table);
        records.deleteShipTable(deleted);
        QVERIFY(!records.shipTable(deleted));
        QCOMPARE(countOf(QStringLiteral("HydrostaticRow")), 2);
        records.deleteShip(table.shipID);
        QVERIFY(!records.shipTable(kept));
        QCOMPARE(countOf(QStringLiteral("HydrostaticRow")), 0);
    }

    void olderRegisterGainsThem() {
        QTemporaryDir folder;
        const QString file = databaseFileIn(folder.path());
        makeOlderRegister(file, {QStringLiteral("DROP TABLE HydrostaticRow"),
                                 QStringLiteral("DROP TABLE HydrostaticTable")});
        QVERIFY(OpenConnection(folder.path()));
        ShipTable table;
        table.shipID = int(newShip());
        table.rows = {row("7.5", "15000"), row("7.6", "15250")};
        const qint64 id = Register(*gcnnStore).insertShipTable(table);
        QCOMPARE(Register(*gcnnStore).shipTable(id)->rows.size(), 2);
        gcnnStore.reset();
    }
};

QTEST_GUILESS_MAIN(TestShipTables)
#include "test_ship_tables.moc"
