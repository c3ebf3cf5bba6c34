#include "connection.h"
#include "particular_rules.h"
#include "statement.h"

#include <QProcess>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

namespace {

int makeRegister(const QStringList& arguments) {
    return QProcess::execute(QString::fromLocal8Bit(CALVANE_MAKEREGISTER), arguments);
}

// Every row of the register as text, in key order.
QStringList dump(const QString& file) {
    Connection connection(QStringLiteral("dump"));
    connection.open(file);
    QStringList rows;
    for (const char* table :
         {"SELECT * FROM Port ORDER BY PortID", "SELECT * FROM Ship ORDER BY ShipID"}) {
        QSqlQuery query = runStatement(connection.database(), QString::fromLatin1(table));
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values.append(query.value(i).toString());
            rows.append(values.join(QLatin1Char('|')));
        }
    }
    return rows;
}

} // namespace

// The generated register the benchmarks and the manual trials work on.
class TestMakeRegister : public QObject {
    Q_OBJECT

private slots:
    void theSameSeedGivesTheSameRegister();
    void everyShipPassesTheParticularsRules();

private:
    QTemporaryDir m_folder;
    QString file(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }
    const QStringList m_small{QStringLiteral("--ships"), QStringLiteral("400"),
                              QStringLiteral("--ports"), QStringLiteral("30")};
};

void TestMakeRegister::theSameSeedGivesTheSameRegister() {
    QCOMPARE(makeRegister(QStringList(m_small) << file("a.dat")), 0);
    QCOMPARE(makeRegister(QStringList(m_small) << file("b.dat")), 0);
    QCOMPARE(makeRegister(QStringList(m_small)
                          << QStringLiteral("--seed") << QStringLiteral("2") << file("c.dat")),
             0);
    const QStringList a = dump(file("a.dat"));
    // The shipped port and ship come first.
    QCOMPARE(a.size(), 31 + 401);
    QCOMPARE(dump(file("b.dat")), a);
    QVERIFY(dump(file("c.dat")) != a);
}

// The register must open in the ship particulars window without a refusal.
void TestMakeRegister::everyShipPassesTheParticularsRules() {
    const QString register_ = file("rules.dat");
    QCOMPARE(makeRegister(QStringList{QStringLiteral("--ships"), QStringLiteral("3000"),
                                      QStringLiteral("--ports"), QStringLiteral("50"), register_}),
             0);
    Connection connection(QStringLiteral("rules"));
    connection.open(register_);
    bool quoted = false;
    QSqlQuery ships = runStatement(connection.database(), QStringLiteral("SELECT * FROM Ship"));
    while (ships.next()) {
        quoted = quoted ||
                 ships.value(QStringLiteral("ShipName")).toString().contains(QLatin1Char('\''));
        for (const ParticularRule& rule : particularRules()) {
            const QString stored = ships.value(rule.field.mid(3)).toString();
            const ParticularCheck check = checkParticular(rule, stored);
            QVERIFY2(check.accepted && check.text == stored,
                     qPrintable(rule.field + QLatin1Char(' ') + stored));
        }
    }
    QVERIFY(quoted);
}

QTEST_GUILESS_MAIN(TestMakeRegister)
#include "test_makeregister.moc"
