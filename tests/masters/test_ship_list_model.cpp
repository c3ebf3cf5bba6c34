#include "masters_fixture.h"
#include "ship_list_model.h"

// The ship list read in pages: it must give the same rows as reading the
// whole register at once, across page boundaries.
class TestShipListModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_db.reset(); }
    void pagesReadLikeTheWholeRegister();
    void namesAreFoundWhereTheySort_data();
    void namesAreFoundWhereTheySort();

private:
    // Every name twice, after the shipped ship: the pair at rows 255 and
    // 256 spans a page boundary.
    std::unique_ptr<MastersFixture> m_db;
};

void TestShipListModel::initTestCase() {
    m_db = std::make_unique<MastersFixture>();
    QSqlDatabase database = gcnnStore->database();
    database.transaction();
    const qint64 port = MastersFixture::addPort(QStringLiteral("Kobe"));
    for (int i = 0; i < 600; ++i)
        MastersFixture::addShip(QStringLiteral("Name %1").arg(i / 2, 3, 10, QLatin1Char('0')), port,
                                QStringLiteral("C%1").arg(i));
    database.commit();
}

void TestShipListModel::pagesReadLikeTheWholeRegister() {
    ShipListModel model;
    model.reload(*gcnnStore);
    QSqlQuery all =
        runStatement(gcnnStore->database(), QStringLiteral("SELECT ShipID, ShipName FROM Ship "
                                                           "ORDER BY ShipName COLLATE NOCASE"));
    QList<std::pair<qint64, QString>> expected;
    while (all.next())
        expected.append({all.value(0).toLongLong(), all.value(1).toString()});
    QCOMPARE(model.rowCount(), expected.size());
    for (int row = 0; row < expected.size(); ++row) {
        const bool shared =
            (row > 0 && expected[row - 1].second == expected[row].second) ||
            (row + 1 < expected.size() && expected[row + 1].second == expected[row].second);
        const QModelIndex index = model.index(row);
        QCOMPARE(model.data(index, Qt::EditRole).toString(), expected[row].second);
        QCOMPARE(model.data(index, Qt::DisplayRole).toString().contains(QLatin1Char('(')), shared);
        QCOMPARE(model.shipIdAt(row), expected[row].first);
        QCOMPARE(model.rowOfShip(expected[row].first), row);
    }
    QCOMPARE(model.rowOfShip(999999), -1);
}

// clang-format off
void TestShipListModel::namesAreFoundWhereTheySort_data() {
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("row");

    QTest::newRow("exact") << QStringLiteral("Name 150") << 0 << int(Qt::MatchExactly | Qt::MatchCaseSensitive) << 301;
    QTest::newRow("exact, other case") << QStringLiteral("name 150") << 0 << int(Qt::MatchExactly | Qt::MatchCaseSensitive) << -1;
    QTest::newRow("fixed string ignores case") << QStringLiteral("name 150") << 0 << int(Qt::MatchFixedString) << 301;
    QTest::newRow("no such name") << QStringLiteral("Name 1500") << 0 << int(Qt::MatchFixedString) << -1;
    QTest::newRow("typed start, after the current row") << QStringLiteral("name 2") << 420 << int(Qt::MatchStartsWith | Qt::MatchWrap) << 420;
    QTest::newRow("typed start, wrapping") << QStringLiteral("name 1") << 420 << int(Qt::MatchStartsWith | Qt::MatchWrap) << 201;
    QTest::newRow("typed start, no wrap") << QStringLiteral("name 1") << 420 << int(Qt::MatchStartsWith) << -1;
}
// clang-format on

void TestShipListModel::namesAreFoundWhereTheySort() {
    QFETCH(QString, wanted);
    QFETCH(int, start);
    QFETCH(int, flags);
    QFETCH(int, row);

    ShipListModel model;
    model.reload(*gcnnStore);
    const QModelIndexList found =
        model.match(model.index(start), Qt::EditRole, wanted, 1, Qt::MatchFlags(flags));
    QCOMPARE(found.isEmpty() ? -1 : found.first().row(), row);
}

QTEST_MAIN(TestShipListModel)
#include "test_ship_list_model.moc"
