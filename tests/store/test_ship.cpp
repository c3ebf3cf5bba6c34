#include "connection.h"
#include "message_service.h"
#include "ship.h"
#include "store_errors.h"
#include "store_fixture.h"

#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Variant)

class TestShip : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void distanceBetweenMarks_data();
    void distanceBetweenMarks();
    void readsTheShippedShip();
    void unknownShipIsLoadedButEmpty();
    void neverSetRaisesObjectNotSet();
    void nullNameRaisesInvalidUseOfNull();
    void closedConnectionShowsTheErrorOnce_data();
    void closedConnectionShowsTheErrorOnce();

private:
    int insertShip(const QList<Variant>& values);
    std::unique_ptr<StoreFixture> m_store;
};

void TestShip::init() {
    m_store = std::make_unique<StoreFixture>();
}

void TestShip::cleanup() {
    m_store.reset();
}

int TestShip::insertShip(const QList<Variant>& values) {
    m_store->execute(
        QStringLiteral("INSERT INTO Ship (ShipName, LBP, FwdX, AftX) VALUES (?, ?, ?, ?)"), values);
    return int(m_store->lastKey(QStringLiteral("Ship"), QStringLiteral("ShipID")));
}

void TestShip::distanceBetweenMarks_data() {
    QTest::addColumn<Variant>("lbp");
    QTest::addColumn<Variant>("fwdX");
    QTest::addColumn<Variant>("aftX");
    QTest::addColumn<Variant>("expected");
    const Variant none = Variant::null();
    QTest::newRow("marks outside") << decimal("100") << decimal("2") << decimal("3")
                                   << decimal("101");
    QTest::newRow("marks inside") << decimal("100") << decimal("-2") << decimal("-3")
                                  << decimal("99");
    QTest::newRow("exact decimals") << decimal("217.35") << decimal("2.515") << decimal("4.2")
                                    << decimal("219.035");
    QTest::newRow("no forward mark distance") << decimal("100") << none << decimal("3") << none;
    QTest::newRow("no aft mark distance") << decimal("100") << decimal("2") << none << none;
}

void TestShip::distanceBetweenMarks() {
    QFETCH(Variant, lbp);
    QFETCH(Variant, fwdX);
    QFETCH(Variant, aftX);
    QFETCH(Variant, expected);
    clsShip ship;
    QCOMPARE(ship.SetShip(insertShip({QStringLiteral("Test Ship"), lbp, fwdX, aftX})), 1);
    QVERIFY(ship.GetDistBetDraftMarks() == expected);
    QVERIFY(ship.MidX().isNull());
}

void TestShip::readsTheShippedShip() {
    clsShip ship;
    QCOMPARE(ship.SetShip(1), 1);
    QCOMPARE(ship.ShipID(), 1);
    QCOMPARE(ship.ShipName(), QStringLiteral("Coral Meridian"));
    QCOMPARE(ship.Flag(), QStringLiteral("Australia"));
    QVERIFY(ship.Breadth() == decimal("32.26"));
    QVERIFY(ship.PortOfRegistry() == Variant(qint64(1)));
    QVERIFY(ship.GetDistBetDraftMarks() == decimal("218.7"));
}

void TestShip::unknownShipIsLoadedButEmpty() {
    clsShip ship;
    QCOMPARE(ship.SetShip(-1), 1);
    QVERIFY(ship.GetDistBetDraftMarks() == Variant(0));
    QCOMPARE(errorOf([&] { ship.LBP(); }), int(ErrorCode::NoCurrentRecord));
    QCOMPARE(errorOf([&] { ship.ShipName(); }), int(ErrorCode::NoCurrentRecord));
}

void TestShip::neverSetRaisesObjectNotSet() {
    const clsShip ship;
    QCOMPARE(errorOf([&] { ship.GetDistBetDraftMarks(); }), int(ErrorCode::ObjectNotSet));
    QCOMPARE(errorOf([&] { ship.LightShip(); }), int(ErrorCode::ObjectNotSet));
}

void TestShip::nullNameRaisesInvalidUseOfNull() {
    const int id = insertShip({Variant::null(), decimal("100"), decimal("2"), decimal("3")});
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
