#include "jet_dialect.h"

#include <QTest>

class TestJetDialect : public QObject {
    Q_OBJECT

private slots:
    void translates_data();
    void translates();
};

void TestJetDialect::translates_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("Mid$") << "Mid$(DD.DateTime,7,2)"
                          << "substr(DD.DateTime,7,2)";
    QTest::newRow("Left$ gains its start") << "left$(DD.DateTime,4)"
                                           << "substr(DD.DateTime,1,4)";
    QTest::newRow("nested") << "Left$(Mid$(x,2,5),3)"
                            << "substr(substr(x,2,5),1,3)";
    QTest::newRow("comma inside the first argument") << "Left$(f(a,b),2) & g(c,d)"
                                                     << "substr(f(a,b),1,2) || g(c,d)";
    QTest::newRow("joins") << "a & '-' & b"
                           << "a || '-' || b";
    QTest::newRow("literals untouched") << "'R&D' & 'O''Neil & Mid$(' & x"
                                        << "'R&D' || 'O''Neil & Mid$(' || x";
    QTest::newRow("part of a longer name") << "SELECT MyMid$(x)"
                                           << "SELECT MyMid$(x)";
}

void TestJetDialect::translates() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(translateJetStatement(jet), sqlite);
}

QTEST_GUILESS_MAIN(TestJetDialect)
#include "test_jet_dialect.moc"
