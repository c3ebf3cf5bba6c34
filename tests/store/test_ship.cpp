#include "connection.h"
#include "ship.h"
#include "store_errors.h"
#include "store_fixture.h"

#include <QTest>

class TestShip : public QObject {
    Q_OBJECT

private slots:
    void distanceBetweenMarks_data();
    void distanceBetweenMarks();
    void shipWithoutARowRaisesTheErrors();
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

QTEST_GUILESS_MAIN(TestShip)
#include "test_ship.moc"
