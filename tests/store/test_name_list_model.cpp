#include "name_list_model.h"
#include "sql_dialect.h"
#include "statement.h"
#include "store_fixture.h"

#include <QTest>

namespace {

qint64 insert(const QString& statement, const QList<Variant>& values) {
    QSqlQuery query = runStatement(gcnnStore->database(), statement, values);
    return insertedKey(query).toLongLong();
}

QString firstValue(const QString& statement) {
    QSqlQuery query = runStatement(gcnnStore->database(), statement);
    return query.next() ? query.value(0).toString() : QString();
}

} // namespace

// The name lists read in pages: they must give the same rows as reading the
// whole table at once, across page boundaries, and find names where they
// sort.
class TestNameListModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_db.reset(); }
    void pagesReadLikeTheWholeRegister();
    void oddNamesSortAsTheStoreSortsThem();
    void namesAreFoundWhereTheySort_data();
    void namesAreFoundWhereTheySort();
    void typedStartFindsTheFirstName_data();
    void typedStartFindsTheFirstName();
    void samePortNamesShowTheirCountry();
    void anOlderDatabaseGainsTheNameIndex();

private:
    // Every name twice, after the shipped ship: the pair at rows 255 and
    // 256 spans a page boundary.
    std::unique_ptr<StoreFixture> m_db;
};

void TestNameListModel::initTestCase() {
    m_db = std::make_unique<StoreFixture>();
    QSqlDatabase database = gcnnStore->database();
    database.transaction();
    for (int i = 0; i < 600; ++i)
        insert(
            QStringLiteral("INSERT INTO Ship (ShipName, CallSign) VALUES (?, ?) RETURNING ShipID"),
            {QStringLiteral("Name %1").arg(i / 2, 3, 10, QLatin1Char('0')),
             QStringLiteral("C%1").arg(i)});
    for (const char* country : {"Wales", "USA"})
        insert(QStringLiteral("INSERT INTO Port (PortName, Country) VALUES ('Newport', ?) "
                              "RETURNING PortID"),
               {QString::fromLatin1(country)});
    database.commit();
}

// The model against the whole table read at once, row by row.
void compareWithTheWholeTable() {
    NameListModel model;
    model.load(*gcnnStore, NameList::ships());
    QSqlQuery all =
        runStatement(gcnnStore->database(),
                     QStringLiteral("SELECT ShipID, ShipName FROM Ship ORDER BY ") +
                         gcnnStore->dialect().caselessAscending(QStringLiteral("ShipName")) +
                         QStringLiteral(", ShipID"));
    QList<std::pair<qint64, QString>> expected;
    while (all.next())
        expected.append({all.value(0).toLongLong(), all.value(1).toString()});
    QCOMPARE(model.rowCount(), expected.size());
    for (int row = 0; row < expected.size(); ++row) {
        const auto sameName = [&](int other) {
            return other >= 0 && other < expected.size() &&
                   expected[other].second.compare(expected[row].second, Qt::CaseInsensitive) == 0;
        };
        const QModelIndex index = model.index(row);
        QCOMPARE(model.data(index, Qt::EditRole).toString(), expected[row].second);
        QCOMPARE(model.data(index, Qt::DisplayRole).toString().contains(QLatin1Char('(')),
                 sameName(row - 1) || sameName(row + 1));
        QCOMPARE(model.data(index, Qt::UserRole).toLongLong(), expected[row].first);
        QCOMPARE(model.keyAt(row), expected[row].first);
        QCOMPARE(model.rowOfKey(expected[row].first), row);
    }
    QCOMPARE(model.rowOfKey(999999), -1);
    QCOMPARE(model.keyAt(-1), -1);
    QCOMPARE(model.keyAt(int(expected.size())), -1);
}

void TestNameListModel::pagesReadLikeTheWholeRegister() {
    compareWithTheWholeTable();
}

// Missing names sort first, letter case is folded for ASCII letters only,
// and other letters sort by their bytes after them: the model must place
// every page and position as the store orders them. 80 of each puts a
// page's start among the "\u00e5land" rows, added before the "\u00c5land" that
// sort before them.
void TestNameListModel::oddNamesSortAsTheStoreSortsThem() {
    QSqlDatabase database = gcnnStore->database();
    database.transaction();
    for (const Variant& name :
         {Variant::null(), Variant(QString()), Variant(QStringLiteral("zeta")),
          Variant(QStringLiteral("Zeta")), Variant(QStringLiteral("\u00e5land")),
          Variant(QStringLiteral("\u00c5land")), Variant(QStringLiteral("NAME 150")),
          Variant(QStringLiteral("Name 149\u00e9")), Variant(QStringLiteral("Name_150"))}) {
        for (int copy = 0; copy < 80; ++copy)
            insert(QStringLiteral("INSERT INTO Ship (ShipName) VALUES (?) RETURNING ShipID"),
                   {name});
    }
    compareWithTheWholeTable();
    database.rollback();
}

// clang-format off
void TestNameListModel::namesAreFoundWhereTheySort_data() {
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

void TestNameListModel::namesAreFoundWhereTheySort() {
    QFETCH(QString, wanted);
    QFETCH(int, start);
    QFETCH(int, flags);
    QFETCH(int, row);

    NameListModel model;
    model.load(*gcnnStore, NameList::ships());
    const QModelIndexList found =
        model.match(model.index(start), Qt::EditRole, wanted, 1, Qt::MatchFlags(flags));
    QCOMPARE(found.isEmpty() ? -1 : found.first().row(), row);
}

void TestNameListModel::typedStartFindsTheFirstName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");
    // Row 0 is the shipped ship, which sorts before "Name".
    QTest::newRow("first of a shared name") << QStringLiteral("name 12") << 241;
    QTest::newRow("last name") << QStringLiteral("Name 299") << 599;
    QTest::newRow("nothing after the last") << QStringLiteral("Name 3") << -1;
    QTest::newRow("nothing between") << QStringLiteral("Nam0") << -1;
    QTest::newRow("everything") << QString() << 0;
}

void TestNameListModel::typedStartFindsTheFirstName() {
    QFETCH(QString, typed);
    QFETCH(int, row);
    NameListModel model;
    model.load(*gcnnStore, NameList::ships());
    QCOMPARE(model.findPrefix(typed), row);
}

void TestNameListModel::samePortNamesShowTheirCountry() {
    NameListModel model;
    model.load(*gcnnStore, NameList::ports());
    const int row = model.findPrefix(QStringLiteral("Newport"));
    QVERIFY(row >= 0);
    QCOMPARE(model.data(model.index(row), Qt::DisplayRole).toString(),
             QStringLiteral("Newport  (Wales)"));
    QCOMPARE(model.data(model.index(row + 1), Qt::DisplayRole).toString(),
             QStringLiteral("Newport  (USA)"));
    QCOMPARE(model.data(model.index(row + 1), Qt::EditRole).toString(), QStringLiteral("Newport"));
}

void TestNameListModel::anOlderDatabaseGainsTheNameIndex() {
    const QString index =
        testsRunOnServer()
            ? QStringLiteral("SELECT indexdef FROM pg_indexes WHERE indexname = 'shipbynamewalk'")
            : QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'ShipByName'");
    gcnnStore->execute(testsRunOnServer() ? QStringLiteral("DROP INDEX ShipByNameWalk")
                                          : QStringLiteral("DROP INDEX ShipByName"));
    QCOMPARE(firstValue(index), QString());
    NameListModel model;
    model.load(*gcnnStore, NameList::ships());
    QVERIFY(firstValue(index).contains(
        testsRunOnServer()
            ? QStringLiteral(
                  "lower(shipname) COLLATE \"C\" NULLS FIRST, shipid) INCLUDE (shipname)")
            : QStringLiteral("ShipName COLLATE NOCASE, ShipID")));
}

QTEST_MAIN(TestNameListModel)
#include "test_name_list_model.moc"
