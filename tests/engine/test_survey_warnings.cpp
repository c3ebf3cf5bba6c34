#include "survey_warnings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A survey with nothing to warn of: upright, trimmed by the stern, no
// twist or deflection, sea water, dated in order, well within its marks.
SurveyDocument cleanSurvey() {
    SurveyDocument survey;
    for (DraftEntry* entry : {&survey.initial, &survey.final}) {
        entry->density = QStringLiteral("1.025");
        entry->fwdPort = entry->fwdStbd = QStringLiteral("9.9");
        entry->midPort = entry->midStbd = QStringLiteral("10");
        entry->aftPort = entry->aftStbd = QStringLiteral("10.1");
        entry->time = QStringLiteral("12:00");
    }
    survey.initial.date = QStringLiteral("01-03-2025");
    survey.final.date = QStringLiteral("02-03-2025");
    return survey;
}

ShipFacts cleanShip() {
    ShipFacts ship;
    ship.lbp = 200;
    ship.breadth = 32;
    ship.lightShip = 10000;
    ship.summerDraft = 12;
    ship.summerDeadweight = 45000;
    return ship;
}

SurveyFigures cleanFigures() {
    SurveyFigures figures;
    for (StageFigures& stage : figures.stages) {
        stage.trueMeanDraft = 10;
        stage.trueDisplacement = 50000;
    }
    figures.constant = 300;
    figures.cargo = 40000;
    return figures;
}

Decimal d(const QString& text) {
    return Decimal::fromText(text);
}

// One case: "key=value" edits to the clean survey, ship and figures.
struct Case {
    SurveyDocument survey = cleanSurvey();
    ShipFacts ship = cleanShip();
    SurveyFigures figures = cleanFigures();
    QList<Decimal> history;

    void edit(const QString& key, const QString& value) {
        DraftEntry& entry =
            key.startsWith(QStringLiteral("final.")) ? survey.final : survey.initial;
        const QString field = key.section(u'.', -1);
        QString* const texts[] = {&entry.fwdPort, &entry.fwdStbd, &entry.midPort,
                                  &entry.midStbd, &entry.aftPort, &entry.aftStbd,
                                  &entry.density, &entry.date,    &entry.time};
        const char* names[] = {"fwdPort", "fwdStbd", "midPort", "midStbd", "aftPort",
                               "aftStbd", "density", "date",    "time"};
        for (int i = 0; i < 9; ++i) {
            if (key.contains(u'.') && field == QLatin1String(names[i])) {
                *texts[i] = value;
                return;
            }
        }
        if (key == QStringLiteral("breadth"))
            ship.breadth = d(value);
        else if (key == QStringLiteral("tmd"))
            figures.stages[1].trueMeanDraft = d(value);
        else if (key == QStringLiteral("displacement"))
            figures.stages[1].trueDisplacement = d(value);
        else if (key == QStringLiteral("constant"))
            figures.constant = d(value);
        else if (key == QStringLiteral("cargo"))
            figures.cargo = d(value);
        else if (key == QStringLiteral("billOfLading"))
            survey.billOfLadingQuantity = value;
        else if (key == QStringLiteral("history"))
            for (const QString& constant : value.split(u','))
                history.append(d(constant));
        else
            QFAIL(qPrintable(QStringLiteral("no such edit: ") + key));
    }
};

} // namespace

class TestSurveyWarnings : public QObject {
    Q_OBJECT
private slots:
    void eachWarningAtItsLimit_data();
    void eachWarningAtItsLimit();
    void listSaysItsSide();
    void constantHistoryNeedsEarlierSurveys();
    void missingFiguresSkipTheirChecks();
    void settingsOverrideTheLimits();
};

void TestSurveyWarnings::eachWarningAtItsLimit_data() {
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("codes");
    const QStringList none;
    const auto codes = [](const char* code) { return QStringList{QLatin1String(code)}; };
    QTest::newRow("clean survey") << QStringList() << none;
    // tan 0.5° x 32 m = 0.279 m
    QTest::newRow("list below") << QStringList{QStringLiteral("initial.midPort=10.135"),
                                               QStringLiteral("initial.midStbd=9.865")}
                                << none;
    QTest::newRow("list above") << QStringList{QStringLiteral("initial.midPort=10.145"),
                                               QStringLiteral("initial.midStbd=9.855")}
                                << codes("list");
    QTest::newRow("trim even keel")
        << QStringList{QStringLiteral("final.fwdPort=10.1"), QStringLiteral("final.fwdStbd=10.1"),
                       QStringLiteral("final.midPort=10.1"), QStringLiteral("final.midStbd=10.1")}
        << none;
    QTest::newRow("trim by the head")
        << QStringList{QStringLiteral("final.fwdPort=10.11"), QStringLiteral("final.fwdStbd=10.11"),
                       QStringLiteral("final.midPort=10.105"),
                       QStringLiteral("final.midStbd=10.105")}
        << codes("trim-by-head");
    QTest::newRow("twist below") << QStringList{QStringLiteral("final.fwdPort=9.92")} << none;
    QTest::newRow("twist at") << QStringList{QStringLiteral("final.fwdPort=9.93")} << none;
    QTest::newRow("twist above") << QStringList{QStringLiteral("final.aftStbd=10.14")}
                                 << codes("hull-twist");
    QTest::newRow("sag at") << QStringList{QStringLiteral("initial.midPort=10.1"),
                                           QStringLiteral("initial.midStbd=10.1")}
                            << none;
    QTest::newRow("sag above") << QStringList{QStringLiteral("initial.midPort=10.11"),
                                              QStringLiteral("initial.midStbd=10.11")}
                               << codes("hull-deflection");
    QTest::newRow("hog above") << QStringList{QStringLiteral("initial.midPort=9.89"),
                                              QStringLiteral("initial.midStbd=9.89")}
                               << codes("hull-deflection");
    QTest::newRow("density lowest") << QStringList{QStringLiteral("initial.density=0.990")} << none;
    QTest::newRow("density too low")
        << QStringList{QStringLiteral("initial.density=0.9899")} << codes("density");
    QTest::newRow("density highest") << QStringList{QStringLiteral("final.density=1.035")} << none;
    QTest::newRow("density too high")
        << QStringList{QStringLiteral("final.density=1.0351")} << codes("density");
    QTest::newRow("summer draft") << QStringList{QStringLiteral("tmd=12")} << none;
    QTest::newRow("over summer draft")
        << QStringList{QStringLiteral("tmd=12.001")} << codes("overload-draft");
    QTest::newRow("summer deadweight") << QStringList{QStringLiteral("displacement=55000")} << none;
    QTest::newRow("over summer deadweight")
        << QStringList{QStringLiteral("displacement=55000.1")} << codes("overload-deadweight");
    QTest::newRow("constant zero") << QStringList{QStringLiteral("constant=0")} << none;
    QTest::newRow("constant negative")
        << QStringList{QStringLiteral("constant=-0.1")} << codes("constant-negative");
    QTest::newRow("constant 10 % up")
        << QStringList{QStringLiteral("history=290,310"), QStringLiteral("constant=330")} << none;
    QTest::newRow("constant over 10 % up")
        << QStringList{QStringLiteral("history=290,310"), QStringLiteral("constant=330.1")}
        << codes("constant-history");
    QTest::newRow("constant over 10 % down")
        << QStringList{QStringLiteral("history=290,310"), QStringLiteral("constant=269.9")}
        << codes("constant-history");
    QTest::newRow("B/L below") << QStringList{QStringLiteral("billOfLading=40000"),
                                              QStringLiteral("cargo=40199")}
                               << none;
    QTest::newRow("B/L at") << QStringList{QStringLiteral("billOfLading=40000"),
                                           QStringLiteral("cargo=39800")}
                            << none;
    QTest::newRow("B/L above") << QStringList{QStringLiteral("billOfLading=40000"),
                                              QStringLiteral("cargo=40200.1")}
                               << codes("bill-of-lading");
    QTest::newRow("drafts at the same minute")
        << QStringList{QStringLiteral("final.date=01-03-2025")} << none;
    QTest::newRow("Final before Initial")
        << QStringList{QStringLiteral("final.date=01-03-2025"), QStringLiteral("final.time=11:59")}
        << codes("draft-order");
}

void TestSurveyWarnings::eachWarningAtItsLimit() {
    QFETCH(QStringList, edits);
    QFETCH(QStringList, codes);
    Case test;
    for (const QString& edit : edits)
        test.edit(edit.section(u'=', 0, 0), edit.section(u'=', 1));
    QStringList found;
    for (const SurveyWarning& warning :
         surveyWarnings(test.survey, test.ship, test.figures, test.history, defaultSurveyLimits()))
        found.append(warning.code);
    QCOMPARE(found, codes);
}

void TestSurveyWarnings::listSaysItsSide() {
    Case test;
    test.edit(QStringLiteral("final.midPort"), QStringLiteral("9.75"));
    test.edit(QStringLiteral("final.midStbd"), QStringLiteral("10.25"));
    const QList<SurveyWarning> warnings =
        surveyWarnings(test.survey, test.ship, test.figures, {}, defaultSurveyLimits());
    QCOMPARE(warnings.size(), 1);
    // atan(0.5 / 32) = 0.895°, shown to 2 places
    QCOMPARE(warningLine(warnings[0]),
             QStringLiteral("Final draft: listed 0.9° to starboard, over 0.5°: a Letter of Protest "
                            "is usual"));
    QCOMPARE(warnings[0].figures.value(0).second, QStringLiteral("0.9"));
}

void TestSurveyWarnings::constantHistoryNeedsEarlierSurveys() {
    Case test;
    test.edit(QStringLiteral("constant"), QStringLiteral("900"));
    QVERIFY(
        surveyWarnings(test.survey, test.ship, test.figures, {}, defaultSurveyLimits()).isEmpty());
    SurveyLimits limits = defaultSurveyLimits();
    QCOMPARE(overrideSurveyLimit(limits, QStringLiteral("constantChange"), QStringLiteral("250")),
             QString());
    test.history = {d(QStringLiteral("300")), d(QStringLiteral("300"))};
    QVERIFY(surveyWarnings(test.survey, test.ship, test.figures, test.history, limits).isEmpty());
    QVERIFY(!overrideSurveyLimit(limits, QStringLiteral("constantChange"), QStringLiteral("-1"))
                 .isEmpty());
    QVERIFY(
        !overrideSurveyLimit(limits, QStringLiteral("noSuchLimit"), QStringLiteral("1")).isEmpty());
}

void TestSurveyWarnings::missingFiguresSkipTheirChecks() {
    Case test;
    test.edit(QStringLiteral("initial.midPort"), QStringLiteral("11"));
    test.edit(QStringLiteral("tmd"), QStringLiteral("13"));
    test.ship = ShipFacts{};
    test.survey.final.date.clear();
    test.edit(QStringLiteral("final.fwdPort"), QStringLiteral(""));
    QVERIFY(
        surveyWarnings(test.survey, test.ship, test.figures, {}, defaultSurveyLimits()).isEmpty());
}

// The user's settings move a limit or an input's uncertainty; a setting
// that is no figure, or names nothing, is said and changes nothing.
void TestSurveyWarnings::settingsOverrideTheLimits() {
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("calvane.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Checks/list"), QStringLiteral("1.5"));
    settings.setValue(QStringLiteral("Checks/uncertainty/reading"), QStringLiteral("0.005"));
    settings.setValue(QStringLiteral("Checks/uncertainty/deductible/5"), QStringLiteral("2"));
    settings.setValue(QStringLiteral("Checks/twist"), QStringLiteral("0,04"));
    settings.setValue(QStringLiteral("Checks/density"), QStringLiteral("1"));
    settings.setValue(QStringLiteral("Report/Surveyor"), QStringLiteral("A. Surveyor"));
    settings.sync();
    QStringList refused;
    const SurveyLimits limits = surveyLimitsFrom(settings, refused);
    QCOMPARE(limits.listDegrees, Decimal::fromText(u"1.5"));
    QCOMPARE(limits.readingMetres, Decimal::fromText(u"0.005"));
    QCOMPARE(limits.deductiblePercentByItem.value(5), Decimal(2));
    QCOMPARE(limits.twistMetres, defaultSurveyLimits().twistMetres);
    QCOMPARE(limits.densityLowest, defaultSurveyLimits().densityLowest);
    QCOMPARE(refused,
             (QStringList{
                 QStringLiteral("Setting Checks/density is not used (density: no such setting)."),
                 QStringLiteral("Setting Checks/twist is not used (twist: 0,04 is not a number "
                                "of 0 or more).")}));
}

QTEST_GUILESS_MAIN(TestSurveyWarnings)
#include "test_survey_warnings.moc"
