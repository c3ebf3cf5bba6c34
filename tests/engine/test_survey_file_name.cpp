#include "survey_file_name.h"

#include <QTest>

// The name a survey's PDF and survey file are first proposed under.
class TestSurveyFileName : public QObject {
    Q_OBJECT

private slots:
    void nameOfTheParts_data();
    void nameOfTheParts();
};

void TestSurveyFileName::nameOfTheParts_data() {
    QTest::addColumn<QString>("ship");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("worksheet");
    QTest::addColumn<QString>("name");
    QTest::newRow("report") << "CORAL MERIDIAN"
                            << "Port Hedland" << QString()
                            << "CORAL MERIDIAN - Port Hedland - 2024-07-13.pdf";
    QTest::newRow("survey") << "CORAL MERIDIAN"
                            << "Port Hedland"
                            << "Loading"
                            << "CORAL MERIDIAN - Port Hedland - Loading - 2024-07-13.pdf";
    QTest::newRow("port with its city and country")
        << "TASMAN"
        << "Qingdao, Qingdao, China" << QString() << "TASMAN - Qingdao - 2024-07-13.pdf";
    QTest::newRow("no port chosen") << "TASMAN" << QString() << "Loading"
                                    << "TASMAN - Loading - 2024-07-13.pdf";
    QTest::newRow("characters no desktop takes")
        << "M/V A:B*C?"
        << " Port\t\"X\" " << QString() << "M-V A-B-C- - Port--X- - 2024-07-13.pdf";
}

void TestSurveyFileName::nameOfTheParts() {
    QFETCH(QString, ship);
    QFETCH(QString, port);
    QFETCH(QString, worksheet);
    QFETCH(QString, name);
    QCOMPARE(surveyFileName(ship, port, worksheet, QDate(2024, 7, 13), QStringLiteral("pdf")),
             name);
}

QTEST_MAIN(TestSurveyFileName)
#include "test_survey_file_name.moc"
