#include "connection.h"
#include "register.h"
#include "statement.h"
#include "store_fixture.h"

#include <QSqlQuery>
#include <QTest>
#include <functional>

Q_DECLARE_METATYPE(ShipRecord)

namespace {

std::optional<Decimal> number(const char* text) {
    return Decimal::fromText(QString::fromLatin1(text));
}

// The particulars a ship window writes, with every optional one given.
ShipRecord fullShip(const QString& name, qint64 port) {
    ShipRecord ship;
    ship.name = name;
    ship.lbp = number("182.50");
    ship.loa = number("190.0");
    ship.breadth = number("32.26");
    ship.lightShip = number("8123.456789012345678901234567");
    ship.callSign = QStringLiteral("9V'AB");
    ship.portOfRegistry = port;
    ship.officialNo = number("394001");
    ship.imoNo = number("9123456");
    ship.flag = QStringLiteral("Singapore");
    ship.grossTonnage = number("25000");
    ship.netTonnage = number("14000.5");
    ship.summerDraft = number("12.035");
    ship.summerDeadweight = number("45000");
    return ship;
}

QString shown(const std::optional<Decimal>& value) {
    return value ? value->toString() : QStringLiteral("<unset>");
}

// Every field, numbers by their exact text, so that a binary rounding or a
// 0 written for an unset particular shows.
QStringList fieldsOf(const ShipRecord& ship) {
    return {QString::number(ship.id),
            ship.name,
            shown(ship.lbp),
            shown(ship.loa),
            shown(ship.breadth),
            shown(ship.lightShip),
            ship.callSign.value_or(QStringLiteral("<unset>")),
            ship.portOfRegistry ? QString::number(*ship.portOfRegistry) : QStringLiteral("<unset>"),
            shown(ship.officialNo),
            shown(ship.imoNo),
            ship.flag.value_or(QStringLiteral("<unset>")),
            shown(ship.grossTonnage),
            shown(ship.netTonnage),
            shown(ship.summerDraft),
            shown(ship.summerDeadweight)};
}

int shipCount(qint64 port) {
    QSqlQuery query =
        runStatement(gcnnStore->database(),
                     QStringLiteral("SELECT COUNT(*) FROM Ship WHERE PortOfRegistry = ?"), {port});
    query.next();
    return query.value(0).toInt();
}

} // namespace

class TestRegister : public QObject {
    Q_OBJECT

private slots:
    void portRoundTrip_data();
    void portRoundTrip();
    void shipRoundTrip_data();
    void shipRoundTrip();
    void saveOverADeletedRecordIsRefused_data();
    void saveOverADeletedRecordIsRefused();
    void saveOverAnotherSurveyorsIsRefused_data();
    void saveOverAnotherSurveyorsIsRefused();
    void anOlderRegisterGainsTheChangeColumns();
    void deletingAPortDeletesItsShipsOnly();
    void shipUpdateKeepsTheDraftMarkDistances();
    void shipsNamedFindsExactNamesInOrder();
    void deductionItemsInKeyOrder();
    void closedConnectionRaisesTheStoreError();
};

// clang-format off
void TestRegister::portRoundTrip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("renamed");
    QTest::newRow("plain") << "Kandla" << "Deendayal";
    QTest::newRow("quote in name") << "Port d'Ehoala" << "Côte d'Ivoire's port";
    QTest::newRow("statement text") << "x'); DELETE FROM Port; --" << "\"quoted\"";
    QTest::newRow("empty city later") << "Paradip" << "";
}
// clang-format on

void TestRegister::portRoundTrip() {
    QFETCH(QString, name);
    QFETCH(QString, renamed);
    StoreFixture store;
    const Register ports(*gcnnStore);
    const int before = int(ports.ports().size());
    const qint64 id =
        ports.insertPort({0, name, QStringLiteral("O'Town"), QStringLiteral("India")});
    std::optional<PortRecord> read = ports.port(id);
    QVERIFY(read);
    QCOMPARE(read->name, name);
    QCOMPARE(read->city, QStringLiteral("O'Town"));
    QCOMPARE(ports.ports().size(), before + 1);

    ports.updatePort({id, renamed, QString(), QStringLiteral("Somewhere")});
    read = ports.port(id);
    QVERIFY(read);
    QCOMPARE(read->name, renamed);
    QCOMPARE(read->city, QString());
    QCOMPARE(read->country, QStringLiteral("Somewhere"));
    QCOMPARE(ports.ports().size(), before + 1);
}

void TestRegister::shipRoundTrip_data() {
    QTest::addColumn<ShipRecord>("ship");
    QTest::newRow("every particular") << fullShip(QStringLiteral("MV O'Neill"), 1);
    ShipRecord bare;
    bare.name = QStringLiteral("Only \"mandatory\"");
    bare.lbp = number("100");
    bare.loa = number("0.1");
    bare.breadth = number("-0");
    bare.lightShip = number("0");
    QTest::newRow("unset particulars stay unset") << bare;
}

void TestRegister::shipRoundTrip() {
    QFETCH(ShipRecord, ship);
    StoreFixture store;
    const Register ships(*gcnnStore);
    ship.id = ships.insertShip(ship);
    std::optional<ShipRecord> read = ships.ship(ship.id);
    QVERIFY(read);
    QCOMPARE(fieldsOf(*read), fieldsOf(ship));

    ship.name += QStringLiteral(" II");
    ship.lbp = number("7.55");
    ship.summerDraft.reset();
    ship.callSign = QStringLiteral("ZZ'9");
    ship.flag.reset();
    ships.updateShip(ship);
    read = ships.ship(ship.id);
    QVERIFY(read);
    QCOMPARE(fieldsOf(*read), fieldsOf(ship));

    ships.deleteShip(ship.id);
    QVERIFY(!ships.ship(ship.id));
}

void TestRegister::saveOverADeletedRecordIsRefused_data() {
    QTest::addColumn<bool>("port");
    QTest::newRow("port") << true;
    QTest::newRow("ship") << false;
}

// Another window deleted the record; the save must neither count as done
// nor bring the record back.
void TestRegister::saveOverADeletedRecordIsRefused() {
    QFETCH(bool, port);
    StoreFixture store;
    const Register records(*gcnnStore);
    const qint64 portId = records.insertPort({0, QStringLiteral("Gone"), {}, {}});
    ShipRecord ship = fullShip(QStringLiteral("Gone too"), portId);
    ship.id = records.insertShip(ship);
    records.deletePortAndItsShips(portId);
    const int portCount = int(records.ports().size());
    if (port)
        QCOMPARE(errorOf([&] {
                     records.updatePort({portId, QStringLiteral("Back"), {}, {}});
                 }),
                 int(ErrorCode::StoreFailure));
    else
        QCOMPARE(errorOf([&] { records.updateShip(ship); }), int(ErrorCode::StoreFailure));
    QVERIFY(!records.port(portId));
    QVERIFY(!records.ship(ship.id));
    QCOMPARE(records.ports().size(), portCount);
}

void TestRegister::saveOverAnotherSurveyorsIsRefused_data() {
    saveOverADeletedRecordIsRefused_data();
}

// Two surveyors open the same record on two connections and both save: the
// second save must neither overwrite the first nor pass for saved, and must
// say who saved meanwhile; read again, it saves.
void TestRegister::saveOverAnotherSurveyorsIsRefused() {
    QFETCH(bool, port);
    StoreFixture store;
    Connection other(QStringLiteral("other surveyor"));
    other.open(store.where);
    const Register mine(*gcnnStore);
    const Register theirs(other);
    const qint64 portId = mine.insertPort({0, QStringLiteral("Kandla"), {}, {}});
    const qint64 shipId = mine.insertShip(fullShip(QStringLiteral("Kandla Star"), portId));
    const auto save = [&](const Register& as, const QString& name) {
        if (port) {
            PortRecord record = *as.port(portId);
            record.name = name;
            return std::function<void()>([&as, record] { as.updatePort(record); });
        }
        ShipRecord record = *as.ship(shipId);
        record.name = name;
        return std::function<void()>([&as, record] { as.updateShip(record); });
    };
    const std::function<void()> mySave = save(mine, QStringLiteral("Mine"));
    const std::function<void()> theirSave = save(theirs, QStringLiteral("Theirs"));
    qputenv("USER", "surveyor-b");
    theirSave();
    qputenv("USER", "surveyor-a");
    try {
        mySave();
        QFAIL("the save over theirs was taken");
    } catch (const ProgramError& error) {
        QVERIFY2(error.description().contains(QStringLiteral(" was changed by surveyor-b at ")),
                 qPrintable(error.description()));
    }
    const QString stored = port ? mine.port(portId)->name : mine.ship(shipId)->name;
    QCOMPARE(stored, QStringLiteral("Theirs"));
    save(mine, QStringLiteral("Mine"))();
    QCOMPARE(port ? theirs.port(portId)->name : theirs.ship(shipId)->name, QStringLiteral("Mine"));
}

// A register made before the change columns gains them when opened, and a
// ship an older program added (without them) saves as version 0.
void TestRegister::anOlderRegisterGainsTheChangeColumns() {
    StoreFixture store;
    for (const char* column : {"RowVersion", "ChangedBy", "ChangedAt"})
        gcnnStore->execute(QStringLiteral("ALTER TABLE Ship DROP COLUMN ") +
                           QString::fromLatin1(column));
    gcnnStore->execute(QStringLiteral("INSERT INTO Ship (ShipName) VALUES ('Older')"));
    gcnnStore->open(store.where);
    const Register records(*gcnnStore);
    ShipRecord ship = records.shipsNamed(QStringLiteral("Older")).constFirst();
    QCOMPARE(ship.change.version, 0);
    ship.name = QStringLiteral("Newer");
    QCOMPARE(records.updateShip(ship), 1);
    QCOMPARE(records.ship(ship.id)->change.version, 1);
}

void TestRegister::deletingAPortDeletesItsShipsOnly() {
    StoreFixture store;
    const Register records(*gcnnStore);
    const qint64 leaving = records.insertPort({0, QStringLiteral("Leaving"), {}, {}});
    const qint64 staying = records.insertPort({0, QStringLiteral("Staying"), {}, {}});
    for (const qint64 port : {leaving, leaving, staying})
        records.insertShip(fullShip(QStringLiteral("Same name"), port));
    records.deletePortAndItsShips(leaving);
    QVERIFY(!records.port(leaving));
    QCOMPARE(shipCount(leaving), 0);
    QCOMPARE(shipCount(staying), 1);
    QCOMPARE(records.shipsNamed(QStringLiteral("Same name")).size(), 1);
}

// The ship window has no fields for them; its save must not clear them.
void TestRegister::shipUpdateKeepsTheDraftMarkDistances() {
    StoreFixture store;
    const Register ships(*gcnnStore);
    ShipRecord ship = fullShip(QStringLiteral("Marks"), 1);
    ship.id = ships.insertShip(ship);
    gcnnStore->execute(
        QStringLiteral("UPDATE Ship SET FwdX = '2.5', AftX = '-1.25' WHERE ShipID = ?"), {ship.id});
    ship.lbp = number("183");
    ships.updateShip(ship);
    QSqlQuery query =
        runStatement(gcnnStore->database(),
                     QStringLiteral("SELECT FwdX, AftX FROM Ship WHERE ShipID = ?"), {ship.id});
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("2.5"));
    QCOMPARE(query.value(1).toString(), QStringLiteral("-1.25"));
}

void TestRegister::shipsNamedFindsExactNamesInOrder() {
    StoreFixture store;
    const Register ships(*gcnnStore);
    ShipRecord first = fullShip(QStringLiteral("Ocean's Pride"), 1);
    ShipRecord other = fullShip(QStringLiteral("ocean's pride"), 1);
    ShipRecord second = fullShip(QStringLiteral("Ocean's Pride"), 1);
    second.lbp = number("99.9");
    first.id = ships.insertShip(first);
    other.id = ships.insertShip(other);
    second.id = ships.insertShip(second);
    const QList<ShipRecord> found = ships.shipsNamed(QStringLiteral("Ocean's Pride"));
    QCOMPARE(found.size(), 2);
    QCOMPARE(fieldsOf(found[0]), fieldsOf(first));
    QCOMPARE(fieldsOf(found[1]), fieldsOf(second));
}

// The worksheet's deduction grid rows follow the item keys, whatever order
// the items were added in.
void TestRegister::deductionItemsInKeyOrder() {
    StoreFixture store;
    gcnnStore->execute(QStringLiteral("DELETE FROM DeductionMaster"));
    for (const int id : {30, 10, 20})
        gcnnStore->execute(
            QStringLiteral("INSERT INTO DeductionMaster (ItemID, ItemName) VALUES (?, ?)"),
            {id, QStringLiteral("Item %1").arg(id)});
    QStringList listed;
    for (const DeductionItem& item : Register(*gcnnStore).deductionItems())
        listed.append(QString::number(item.id) + QLatin1Char('=') + item.name);
    QCOMPARE(listed, QStringList({QStringLiteral("10=Item 10"), QStringLiteral("20=Item 20"),
                                  QStringLiteral("30=Item 30")}));
}

void TestRegister::closedConnectionRaisesTheStoreError() {
    StoreFixture store;
    CloseConnection();
    const Register records(*gcnnStore);
    QVERIFY(errorOf([&] { records.ports(); }) != 0);
    QVERIFY(errorOf([&] { records.insertShip(fullShip(QStringLiteral("x"), 1)); }) != 0);
    QVERIFY(errorOf([&] { records.tips(); }) != 0);
}

QTEST_GUILESS_MAIN(TestRegister)
#include "test_register.moc"
