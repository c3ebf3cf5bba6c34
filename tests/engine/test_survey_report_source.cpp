#include "store_fixture.h"
#include "survey_calculation.h"
#include "survey_file.h"
#include "survey_report_source.h"
#include "text_list.h"

#include <QtTest>

namespace {

// A sample survey on the shipped database's ship (key 1).
SurveyDocument sample(const char* name) {
    const SurveyFileResult read =
        readSurveyFile(QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(name));
    if (!read.document)
        qFatal("%s", qPrintable(read.error));
    SurveyDocument survey = *read.document;
    survey.particulars.reset();
    survey.shipID = 1;
    return survey;
}

// "Name/Country" texts as ports of the register.
QList<PortRecord> ports(const QStringList& names) {
    QList<PortRecord> list;
    for (const QString& name : names)
        list.append(
            {list.size() + 1, name.section(u'/', 0, 0), QString(), name.section(u'/', 1, 1)});
    return list;
}

QString columns(const ReportSource& source) {
    return QString(source.initial ? QStringLiteral("I") : QString()) +
           (source.final ? QStringLiteral("F") : QString());
}

} // namespace

class TestSurveyReportSource : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_store = std::make_unique<StoreFixture>(); }
    void cleanupTestCase() { m_store.reset(); }

    // A column prints for each stage the calculation calculated, and the
    // mark distances are those of the last one calculated. The Initial
    // forward marks are typed as -2.4, the Final ones as -2.6.
    void columnsFollowTheCalculation_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("fwdX");
        // clang-format off
        QTest::newRow("loading, both") << "loading-survey-stored-ship.json" << "" << "IF" << "-2.6";
        QTest::newRow("discharging, both") << "discharging-survey.json" << "" << "IF" << "-2.6";
        QTest::newRow("loading, Final not taken") << "loading-survey-stored-ship.json" << "no final" << "I" << "-2.4";
        QTest::newRow("loading, Final incomplete") << "loading-survey-stored-ship.json" << "final density blank" << "I" << "-2.4";
        QTest::newRow("discharging, Final on the arrival net") << "discharging-survey.json" << "no initial" << "F" << "-2.6";
        // clang-format on
    }
    void columnsFollowTheCalculation() {
        QFETCH(QString, file);
        QFETCH(QString, change);
        QFETCH(QString, columns);
        QFETCH(QString, fwdX);
        SurveyDocument survey = sample(file.toLatin1().constData());
        survey.initial.fwdX = QStringLiteral("-2.4");
        survey.final.fwdX = QStringLiteral("-2.6");
        if (change == QStringLiteral("no final"))
            survey.final = DraftEntry{};
        if (change == QStringLiteral("final density blank"))
            survey.final.density.clear();
        if (change == QStringLiteral("no initial")) {
            survey.initial = DraftEntry{};
            survey.typedInitialNetDisplacement = QStringLiteral("90000");
        }
        SurveyCalculation calculation(survey, 1);
        calculation.run();

        const ReportSource source = surveyReportSource(survey, calculation, {});
        QCOMPARE(::columns(source), columns);
        QCOMPARE(source.texts.fwdX, fwdX);
        QCOMPARE(source.texts.voyage, survey.voyage);
        QCOMPARE(source.texts.cargo, survey.cargo);
        QCOMPARE(source.initialNetDisplacement, calculation.initialNetField());
        if (change == QStringLiteral("no initial"))
            QCOMPARE(source.initialNetDisplacement, QStringLiteral("90000"));
        if (source.final)
            QCOMPARE(source.final->value(DraftProperty::Comments).toText(), survey.final.comments);
    }

    // The port as the register names it, or as written when the register
    // does not know it or cannot tell which of its ports is meant.
    void portLine_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QStringList>("registerPorts");
        QTest::addColumn<QString>("printed");
        // clang-format off
        QTest::newRow("known") << "Newcastle" << texts({"Port Hedland/Australia", "Newcastle/Australia"}) << "Newcastle, Australia";
        QTest::newRow("other case and blanks") << " newcastle " << texts({"Newcastle/Australia"}) << "Newcastle, Australia";
        QTest::newRow("unknown") << "Newcastle" << texts({"Port Hedland/Australia"}) << "Newcastle";
        QTest::newRow("no register") << "Newcastle" << QStringList() << "Newcastle";
        QTest::newRow("no country") << "Qingdao" << texts({"Qingdao/"}) << "Qingdao";
        QTest::newRow("same name, two countries") << "Newcastle" << texts({"Newcastle/Australia", "Newcastle/United Kingdom"}) << "Newcastle";
        QTest::newRow("same name, one country") << "Newcastle" << texts({"Newcastle/Australia", "Newcastle/Australia"}) << "Newcastle, Australia";
        // clang-format on
    }
    void portLine() {
        QFETCH(QString, written);
        QFETCH(QStringList, registerPorts);
        QFETCH(QString, printed);
        SurveyDocument survey = sample("loading-survey-stored-ship.json");
        survey.port = written;
        const SurveyCalculation calculation(survey, 1);
        RegisterForReport known;
        known.ports = ports(registerPorts);
        QCOMPARE(surveyReportSource(survey, calculation, known).port, printed);
    }

    // The ship block: the register's record of a ship named by its key,
    // the particulars of one given inline.
    void shipBlock_data() {
        QTest::addColumn<bool>("givenInline");
        QTest::addColumn<QStringList>("printed"); // name, call sign, registry, LBP, light ship
        // clang-format off
        QTest::newRow("registered") << false << texts({"Coral Meridian", "VNCM", "Port Hedland, Australia", "217", "10815"});
        QTest::newRow("inline") << true << texts({"Inline Star", "", "", "217.5", "10800"});
        // clang-format on
    }
    void shipBlock() {
        QFETCH(bool, givenInline);
        QFETCH(QStringList, printed);
        SurveyDocument survey = sample("loading-survey-stored-ship.json");
        if (givenInline) {
            survey.shipID.reset();
            survey.particulars = ShipParticulars{
                QStringLiteral("Inline Star"), QStringLiteral("217.50"), QStringLiteral("10800.0")};
        }
        const SurveyCalculation calculation(survey, 1);
        const ReportSource source = surveyReportSource(
            survey, calculation, registerForReport(Register(*gcnnStore), survey));
        QCOMPARE(QStringList({source.ship.name, source.ship.callSign, source.ship.portOfRegistry,
                              source.texts.lbp, source.ship.lightShip}),
                 printed);
    }

    void registryPortMissingIsAnError() {
        SurveyDocument survey = sample("loading-survey-stored-ship.json");
        const SurveyCalculation calculation(survey, 1);
        RegisterForReport known = registerForReport(Register(*gcnnStore), survey);
        known.ports.clear();
        QVERIFY(errorOf([&] { surveyReportSource(survey, calculation, known); }) != 0);
    }

private:
    std::unique_ptr<StoreFixture> m_store;
};

QTEST_GUILESS_MAIN(TestSurveyReportSource)
#include "test_survey_report_source.moc"
