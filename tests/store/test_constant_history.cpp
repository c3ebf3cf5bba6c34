// A ship's constants of saved surveys: kept exactly, one per survey file,
// gone with their ship, and added to a register made before they existed.
#include "constant_history.h"
#include "register.h"
#include "statement.h"
#include "store_fixture.h"

#include <QSqlDatabase>
#include <QTest>

namespace {

qint64 newShip() {
    ShipRecord ship;
    ship.name = QStringLiteral("Coral Meridian");
    return Register(*gcnnStore).insertShip(ship);
}

ConstantRecord record(qint64 ship, const char* date, const char* constant, const char* file) {
    return {ship, QDate::fromString(QLatin1String(date), Qt::ISODate),
            QStringLiteral("Port Hedland"), Decimal::fromText(QString::fromLatin1(constant)),
            QString::fromLatin1(file)};
}

QStringList constants(const QList<ConstantRecord>& records) {
    QStringList texts;
    for (const ConstantRecord& each : records)
        texts.append(each.constant.toString());
    return texts;
}

} // namespace

class TestConstantHistory : public QObject {
    Q_OBJECT
private slots:
    void keepsOnePerSurveyByDate() {
        StoreFixture store;
        const ConstantHistory history(*gcnnStore);
        const qint64 ship = newShip();
        const qint64 other = newShip();
        history.keep(record(ship, "2024-07-12", "262.5047", "/s/b.json"));
        history.keep(record(ship, "2024-03-02", "250.10", "/s/a.json"));
        history.keep(record(other, "2024-05-01", "999", "/s/c.json"));
        // Saved again with another constant: the survey counts once.
        history.keep(record(ship, "2024-07-12", "270", "/s/b.json"));
        const QList<ConstantRecord> kept = history.ofShip(ship);
        QCOMPARE(constants(kept), (QStringList{QStringLiteral("250.1"), QStringLiteral("270")}));
        QCOMPARE(kept.first(), record(ship, "2024-03-02", "250.1", "/s/a.json"));
        QCOMPARE(constants(history.ofShip(ship, QStringLiteral("/s/b.json"))),
                 QStringList{QStringLiteral("250.1")});

        Register(*gcnnStore).deleteShip(ship);
        QVERIFY(history.ofShip(ship).isEmpty());
        QCOMPARE(history.ofShip(other).size(), 1);
    }

    void olderRegisterGainsIt() {
        QTemporaryDir folder;
        const QString file = databaseFileIn(folder.path());
        makeOlderRegister(file, {QStringLiteral("DROP TABLE ConstantHistory")});
        QVERIFY(OpenConnection(folder.path()));
        const qint64 ship = newShip();
        ConstantHistory(*gcnnStore).keep(record(ship, "2024-07-12", "262.5", "/s/b.json"));
        QCOMPARE(ConstantHistory(*gcnnStore).ofShip(ship).size(), 1);
        gcnnStore.reset();
    }
};

QTEST_GUILESS_MAIN(TestConstantHistory)
#include "test_constant_history.moc"
