#include "cargo_uncertainty.h"
#include "decimal_functions.h"
#include "draft.h"
#include "survey_assessment.h"
#include "survey_calculation.h"
#include "survey_file.h"
#include "survey_file_layout.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

SurveyDocument sample(const char* name) {
    const SurveyFileResult read =
        readSurveyFile(QStringLiteral(SAMPLES_DIR "/") + QLatin1String(name));
    return *read.document;
}

std::optional<Decimal> cargoOf(const SurveyDocument& survey) {
    SurveyCalculation calculation(survey);
    if (!calculation.run().isEmpty())
        return std::nullopt;
    return Decimal::tryParse(calculation.cargoField());
}

Decimal d(const char* text) {
    return Decimal::fromText(QString::fromLatin1(text));
}

const CargoSensitivity* sensitivity(const CargoUncertainty& uncertainty, const QString& input) {
    for (const CargoSensitivity& each : uncertainty.sensitivities) {
        if (each.input == input)
            return &each;
    }
    return nullptr;
}

} // namespace

class TestCargoUncertainty : public QObject {
    Q_OBJECT
private slots:
    void decimalFunctions_data();
    void decimalFunctions();
    void sensitivityAgreesWithTheDerivative_data();
    void sensitivityAgreesWithTheDerivative();
    void agreesWithRandomPerturbations();
    void calculatingAgainGivesWhatANewCalculationGives_data();
    void calculatingAgainGivesWhatANewCalculationGives();
    void combinesAndNamesTheLargest();
    void noCargoNoUncertainty();
};

void TestCargoUncertainty::decimalFunctions_data() {
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected"); // to 12 places
    QTest::newRow("root of 2") << "sqrt"
                               << "2"
                               << "1.414213562373";
    QTest::newRow("root of a square") << "sqrt"
                                      << "8836"
                                      << "94";
    QTest::newRow("root below 1") << "sqrt"
                                  << "0.0004"
                                  << "0.02";
    QTest::newRow("root of 0") << "sqrt"
                               << "0"
                               << "0";
    QTest::newRow("atan 1") << "atan"
                            << "1"
                            << "45";
    QTest::newRow("atan small") << "atan"
                                << "0.0087268677907587"
                                << "0.5";
    QTest::newRow("atan steep") << "atan"
                                << "-57.289961630759"
                                << "-89";
}

void TestCargoUncertainty::decimalFunctions() {
    QFETCH(QString, function);
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    const Decimal value = Decimal::fromText(argument);
    const Decimal result =
        function == QStringLiteral("sqrt") ? squareRoot(value) : arcTangentDegrees(value);
    QCOMPARE(result.rounded(12).toString(), expected);
}

// The cargo is the Final net displacement less the Initial one; each net
// displacement is the even-keel displacement times density / 1.025 less
// the deductibles, so these derivatives are known exactly.
void TestCargoUncertainty::sensitivityAgreesWithTheDerivative_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("sign");
    QTest::addColumn<QString>("perUnit"); // "displacement" or the deductible
    QTest::newRow("final density") << "final.density" << 1 << "final";
    QTest::newRow("initial density") << "initial.density" << -1 << "initial";
    QTest::newRow("initial ballast") << "initial.deductions.26" << 1 << "20350.8";
    QTest::newRow("final fuel") << "final.deductions.2" << -1 << "";
}

void TestCargoUncertainty::sensitivityAgreesWithTheDerivative() {
    QFETCH(QString, input);
    QFETCH(int, sign);
    QFETCH(QString, perUnit);
    const SurveyDocument survey = sample("loading-survey.json");
    SurveyCalculation calculation(survey);
    QCOMPARE(calculation.run(), QString());
    const SurveyLimits limits = defaultSurveyLimits();
    const std::optional<CargoUncertainty> uncertainty =
        cargoUncertainty(survey, cargoOf, limits, {});
    QVERIFY(uncertainty);
    const CargoSensitivity* found = sensitivity(*uncertainty, input);
    QVERIFY(found);

    Decimal expected;
    if (perUnit == QStringLiteral("initial") || perUnit == QStringLiteral("final")) {
        const Stage stage = perUnit == QStringLiteral("final") ? Stage::Final : Stage::Initial;
        const Decimal evenKeel =
            calculation.draft(stage).FinalResult()[DisplacementAtEvenKeel].toDecimal();
        expected = evenKeel * limits.densityUncertainty / d("1.025");
    } else {
        const Decimal quantity = perUnit.isEmpty()
                                     ? Decimal::fromText(survey.final.deductions.value(2))
                                     : Decimal::fromText(perUnit);
        expected = quantity * limits.deductiblePercent / Decimal(100);
    }
    expected = expected * Decimal(sign);
    // The net displacements are kept to 5 places.
    QVERIFY2((found->change - expected).abs() < d("0.0001"),
             qPrintable(found->change.toString() + QStringLiteral(" vs ") + expected.toString()));
}

// Off by plus or minus its uncertainty at random, each input varies the
// cargo by the sum of sensitivity x sign, whose variance is the sum of the
// squared sensitivities: the standard uncertainty squared.
void TestCargoUncertainty::agreesWithRandomPerturbations() {
    const SurveyDocument survey = sample("loading-survey.json");
    const SurveyLimits limits = defaultSurveyLimits();
    const std::optional<CargoUncertainty> uncertainty =
        cargoUncertainty(survey, cargoOf, limits, {});
    QVERIFY(uncertainty);

    QRandomGenerator random(18);
    const auto sign = [&random]() { return random.bounded(2) ? Decimal(1) : Decimal(-1); };
    const auto shifted = [](const QString& text, const Decimal& by) {
        return (Decimal::fromText(text) + by).toString();
    };
    const int runs = 400;
    Decimal sum, squares;
    for (int run = 0; run < runs; ++run) {
        SurveyDocument changed = survey;
        for (DraftEntry* entry : {&changed.initial, &changed.final}) {
            for (const auto& field : SurveyFileLayout::readings)
                entry->*field.member = shifted(entry->*field.member, sign() * limits.readingMetres);
            entry->density = shifted(entry->density, sign() * limits.densityUncertainty);
            for (QString& quantity : entry->deductions)
                quantity = shifted(quantity, sign() * Decimal::fromText(quantity) *
                                                 limits.deductiblePercent / Decimal(100));
        }
        const Decimal change = *cargoOf(changed) - uncertainty->cargo;
        sum = sum + change;
        squares = squares + change * change;
    }
    const Decimal mean = sum / Decimal(runs);
    const Decimal variance = (squares - Decimal(runs) * mean * mean) / Decimal(runs - 1);
    const Decimal standard = uncertainty->expanded / Decimal(2);
    const Decimal ratio = variance / (standard * standard);
    QVERIFY2(ratio > d("0.9") && ratio < d("1.1"), qPrintable(ratio.toString()));
}

// The worksheet and the command assess a survey with one calculation run
// again for each input: it must give what a new calculation each time gives.
void TestCargoUncertainty::calculatingAgainGivesWhatANewCalculationGives_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("loading") << "loading-survey.json";
    QTest::newRow("discharging") << "discharging-survey.json";
}

void TestCargoUncertainty::calculatingAgainGivesWhatANewCalculationGives() {
    QFETCH(QString, file);
    const SurveyDocument survey = sample(qPrintable(file));
    SurveyCalculation calculation(survey);
    QCOMPARE(calculation.run(), QString());
    const SurveyLimits limits = defaultSurveyLimits();
    const std::optional<CargoUncertainty> fresh = cargoUncertainty(survey, cargoOf, limits, {});
    const std::optional<CargoUncertainty> again =
        assessSurvey(survey, calculation, {}, limits).uncertainty;
    QVERIFY(fresh && again);
    QCOMPARE(again->sensitivities.size(), fresh->sensitivities.size());
    for (qsizetype i = 0; i < fresh->sensitivities.size(); ++i)
        QCOMPARE(again->sensitivities[i].change, fresh->sensitivities[i].change);
}

void TestCargoUncertainty::combinesAndNamesTheLargest() {
    // A cargo linear in three readings and one deductible.
    SurveyDocument survey;
    survey.initial.fwdPort = QStringLiteral("5");
    survey.final.fwdPort = QStringLiteral("10");
    survey.final.aftPort = QStringLiteral("10");
    survey.final.deductions[26] = QStringLiteral("2000");
    const CargoOf linear = [](const SurveyDocument& document) -> std::optional<Decimal> {
        return d("88759.7") + Decimal(3000) * (Decimal::fromText(document.final.fwdPort) - 10) +
               Decimal(4000) * (Decimal::fromText(document.final.aftPort) - 10) -
               Decimal(1000) * (Decimal::fromText(document.initial.fwdPort) - 5) -
               (Decimal::fromText(document.final.deductions[26]) - 2000);
    };
    SurveyLimits limits = defaultSurveyLimits();
    limits.deductiblePercentByItem[26] = 1; // 20 t
    const std::optional<CargoUncertainty> uncertainty =
        cargoUncertainty(survey, linear, limits, {{26, QStringLiteral("Ballast")}});
    QVERIFY(uncertainty);
    // Changes 30, 40, -10, -20: 2 x sqrt(900 + 1600 + 100 + 400)
    QCOMPARE(uncertainty->expanded.rounded(6), d("109.544512"));
    QCOMPARE(uncertainty->worstCase, Decimal(100));
    QCOMPARE(uncertaintyText(*uncertainty), QStringLiteral("88,759.7 t ± 110 t (±0.12 %, 95 %)"));
    QCOMPARE(contributorsText(*uncertainty),
             QStringLiteral("final draft readings 100 t, final ballast 40 t, initial draft "
                            "readings 20 t"));
}

void TestCargoUncertainty::noCargoNoUncertainty() {
    SurveyDocument survey = sample("loading-survey.json");
    survey.final = DraftEntry{};
    SurveyCalculation calculation(survey);
    QCOMPARE(calculation.run(), QString());
    const SurveyAssessment assessment =
        assessSurvey(survey, calculation, {}, defaultSurveyLimits());
    QVERIFY(!assessment.uncertainty);
}

QTEST_GUILESS_MAIN(TestCargoUncertainty)
#include "test_cargo_uncertainty.moc"
