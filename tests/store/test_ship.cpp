#include "connection.h"
#include "message_service.h"
#include "ship.h"
#include "store_errors.h"
#include "store_fixture.h"

#include <QTest>

Q_DECLARE_METATYPE(Variant)

namespace {

int insertShip(StoreFixture& store, const QList<Variant>& values) {
    store.execute(
        QStringLiteral("INSERT INTO Ship (ShipName, LBP, FwdX, AftX) VALUES (?, ?, ?, ?)"), values);
    return int(store.lastKey(QStringLiteral("Ship"), QStringLiteral("ShipID")));
}

} // namespace

class TestShip : public QObject {
    Q_OBJECT

private slots:
    void distanceBetweenMarks_data();
    void distanceBetweenMarks();
    void emptyStatesRaiseTheirErrors();
    void nullNameRaisesInvalidUseOfNull();
    void closedConnectionShowsTheErrorOnce_data();
    void closedConnectionShowsTheErrorOnce();
};

void TestShip::distanceBetweenMarks_data() {
    QTest::addColumn<Variant>("lbp");
    QTest::addColumn<Variant>("fwdX");
    QTest::addColumn<Variant>("aftX");
    QTest::addColumn<Variant>("expected");
    const Variant none = Variant::null();
    QTest::newRow("marks outside")
        << decimal("100") << decimal("2") << decimal("3") << decimal("101");
    QTest::newRow("marks inside") << decimal("100") << decimal("-2") << decimal("-3")
                                  << decimal("99");
    QTest::newRow("exact decimals")
        << decimal("217.35") << decimal("2.515") << decimal("4.2") << decimal("219.035");
    QTest::newRow("no forward mark distance") << decimal("100") << none << decimal("3") << none;
    QTest::newRow("no aft mark distance") << decimal("100") << decimal("2") << none << none;
}

void TestShip::distanceBetweenMarks() {
    QFETCH(Variant, lbp);
    QFETCH(Variant, fwdX);
    QFETCH(Variant, aftX);
    QFETCH(Variant, expected);
    StoreFixture store;
    clsShip ship;
    QCOMPARE(ship.SetShip(insertShip(store, {QStringLiteral("Test Ship"), lbp, fwdX, aftX})), 1);
    QVERIFY(ship.GetDistBetDraftMarks() == expected);
    QVERIFY(ship.MidX().isNull());
}

void TestShip::emptyStatesRaiseTheirErrors() {
    StoreFixture store;
    clsShip ship;
    QCOMPARE(errorOf([&] { ship.GetDistBetDraftMarks(); }), int(ErrorCode::ObjectNotSet));
    QCOMPARE(errorOf([&] { ship.LightShip(); }), int(ErrorCode::ObjectNotSet));
    QCOMPARE(ship.SetShip(-1), 1);
    QVERIFY(ship.GetDistBetDraftMarks() == Variant(0));
    QCOMPARE(errorOf([&] { ship.LBP(); }), int(ErrorCode::NoCurrentRecord));
    QCOMPARE(errorOf([&] { ship.ShipName(); }), int(ErrorCode::NoCurrentRecord));
}

void TestShip::nullNameRaisesInvalidUseOfNull() {
    StoreFixture store;
    const int id = insertShip(store, {Variant::null(), decimal("100"), decimal("2"), decimal("3")});
    clsShip ship;
    QCOMPARE(ship.SetShip(id), 1);
    QCOMPARE(errorOf([&] { ship.ShipName(); }), int(ErrorCode::InvalidUseOfNull));
    QCOMPARE(errorOf([&] { ship.CallSign(); }), int(ErrorCode::InvalidUseOfNull));
    QCOMPARE(ship.ShipID(), id);
}

void TestShip::closedConnectionShowsTheErrorOnce_data() {
    QTest::addColumn<bool>("released");
    QTest::addColumn<QString>("description");
    QTest::newRow("closed") << false << objectClosedError().description();
    QTest::newRow("released") << true << ProgramError::objectNotSet().description();
}

void TestShip::closedConnectionShowsTheErrorOnce() {
    QFETCH(bool, released);
    QFETCH(QString, description);
    StoreFixture store;
    clsShip ship;
    QCOMPARE(ship.SetShip(1), 1);
    CloseConnection();
    if (released)
        gcnnStore.reset();

    ScopedMessageRecorder recorder;
    QCOMPARE(ship.SetShip(1), 0);
    QCOMPARE(recorder.shown().size(), 1);
    QVERIFY(recorder.shown().constFirst() ==
            (Message{MessageIcon::None, QStringLiteral("Calvane Lt"), description,
                     MessageButtons::Ok, MessageAnswer::Ok}));
    // The row set of the failed load replaced the ship loaded before.
    QVERIFY(ship.GetDistBetDraftMarks() == Variant(0));
    QCOMPARE(errorOf([&] { ship.ShipName(); }), int(ErrorCode::StoreFailure));
}

QTEST_GUILESS_MAIN(TestShip)
#include "test_ship.moc"
