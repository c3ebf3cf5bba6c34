#include "jet_dialect.h"

#include <QTest>

class TestJetDialect : public QObject {
    Q_OBJECT

private slots:
    void translates_data();
    void translates();
};

// clang-format off
void TestJetDialect::translates_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("comma inside the first argument") << "Left$(f(a,b),2) & g(c,d)" << "substr(f(a,b),1,2) || g(c,d)";
    QTest::newRow("literals untouched") << "'R&D' & 'O''Neil & Mid$(' & x" << "'R&D' || 'O''Neil & Mid$(' || x";
    QTest::newRow("part of a longer name") << "SELECT MyMid$(x)" << "SELECT MyMid$(x)";
}
// clang-format on

void TestJetDialect::translates() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(translateJetStatement(jet), sqlite);
}

QTEST_GUILESS_MAIN(TestJetDialect)
#include "test_jet_dialect.moc"
