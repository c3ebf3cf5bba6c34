#include "connection.h"
#include "ship.h"
#include "store_errors.h"
#include "store_fixture.h"

#include <QTest>
#include <functional>

class TestShip : public QObject {
    Q_OBJECT

private slots:
    void distanceBetweenMarks_data();
    void distanceBetweenMarks();
    void shipWithoutARowRaisesTheErrors();
    void particularsReadAsAStoredShip_data();
    void particularsReadAsAStoredShip();
};

// clang-format off
void TestShip::distanceBetweenMarks_data() {
    QTest::addColumn<Variant>("fwdX");
    QTest::addColumn<Variant>("aftX");
    QTest::addColumn<Variant>("expected");
    QTest::newRow("marks outside") << decimal("2") << decimal("3") << decimal("101");
    QTest::newRow("marks inside") << decimal("-2") << decimal("-3") << decimal("99");
    QTest::newRow("no forward mark distance") << Variant::null() << decimal("3") << Variant::null();
}
// clang-format on

void TestShip::distanceBetweenMarks() {
    QFETCH(Variant, fwdX);
    QFETCH(Variant, aftX);
    QFETCH(Variant, expected);
    StoreFixture store;
    gcnnStore->execute(
        QStringLiteral("INSERT INTO Ship (ShipID, LBP, FwdX, AftX) VALUES (50, '100', ?, ?)"),
        {fwdX, aftX});
    clsShip ship;
    QCOMPARE(ship.SetShip(50), 1);
    QVERIFY(ship.GetDistBetDraftMarks() == expected);
}

// Never set, set to a key no ship has, and set on a closed connection.
void TestShip::shipWithoutARowRaisesTheErrors() {
    StoreFixture store;
    clsShip ship;
    QCOMPARE(errorOf([&] { ship.GetDistBetDraftMarks(); }), int(ErrorCode::ObjectNotSet));
    QCOMPARE(errorOf([&] { ship.LightShip(); }), int(ErrorCode::ObjectNotSet));
    QCOMPARE(ship.SetShip(-1), 1);
    QVERIFY(ship.GetDistBetDraftMarks() == Variant(0));
    QCOMPARE(errorOf([&] { ship.LBP(); }), int(ErrorCode::NoCurrentRecord));

    CloseConnection();
    QCOMPARE(ship.SetShip(1), 0);
    const Message expected{MessageIcon::None, QStringLiteral("Calvane Lt"),
                           objectClosedError().description(), MessageButtons::Ok,
                           MessageAnswer::Ok};
    QVERIFY(ship.lastError() == expected);
    // The caller shows it.
}

using ShipRead = std::function<Variant(const clsShip&)>;
Q_DECLARE_METATYPE(ShipRead)

namespace {

template <typename T> ShipRead read(T (clsShip::*property)() const) {
    return [property](const clsShip& ship) { return Variant((ship.*property)()); };
}

// What a read gives, or the error it raises.
QString outcome(const ShipRead& property, const clsShip& ship) {
    try {
        const Variant value = property(ship);
        return value.isNull() ? QStringLiteral("null") : value.toText();
    } catch (const ProgramError& error) {
        return QStringLiteral("error %1").arg(int(error.code()));
    }
}

} // namespace

// clang-format off
void TestShip::particularsReadAsAStoredShip_data() {
    QTest::addColumn<ShipRead>("property");
    QTest::addColumn<QString>("expected");
    const QString nullUse = QStringLiteral("error %1").arg(int(ErrorCode::InvalidUseOfNull));
    QTest::newRow("name") << read(&clsShip::ShipName) << "Kestrel Bay";
    QTest::newRow("LBP") << read(&clsShip::LBP) << "182.5";
    QTest::newRow("light ship") << read(&clsShip::LightShip) << "7431.2";
    QTest::newRow("no call sign") << read(&clsShip::CallSign) << nullUse;
    QTest::newRow("no LOA") << read(&clsShip::LOA) << "null";
    QTest::newRow("no summer draft") << read(&clsShip::SummerDraft) << "null";
    QTest::newRow("no port of registry") << read(&clsShip::PortOfRegistry) << "null";
    QTest::newRow("no mark distances") << ShipRead([](const clsShip& ship) { return ship.GetDistBetDraftMarks(); }) << "null";
}
// clang-format on

// Each read of a ship given by its particulars, with no connection open,
// gives what the same ship stored in a register gives.
void TestShip::particularsReadAsAStoredShip() {
    QFETCH(ShipRead, property);
    QFETCH(QString, expected);
    const QString name = QStringLiteral("Kestrel Bay");
    {
        StoreFixture store;
        gcnnStore->execute(
            QStringLiteral(
                "INSERT INTO Ship (ShipID, ShipName, LBP, LightShip) VALUES (9, ?, ?, ?)"),
            {name, decimal("182.50"), decimal("7431.2")});
        clsShip stored;
        QCOMPARE(stored.SetShip(9), 1);
        QCOMPARE(outcome(property, stored), expected);
    }
    QVERIFY(!gcnnStore);
    clsShip given;
    given.setParticulars(name, Decimal::fromText(u"182.50"), Decimal::fromText(u"7431.2"));
    QCOMPARE(outcome(property, given), expected);
    // A ship in no register has no key.
    QCOMPARE(errorOf([&] { given.ShipID(); }), int(ErrorCode::InvalidUseOfNull));
}

QTEST_GUILESS_MAIN(TestShip)
#include "test_ship.moc"
