// A complete two-draft survey through the engine, as the worksheet runs it
// each time Calculate is pressed on both tabs: draft correction,
// hydrostatic differences and checks, hand-over, interpolation,
// displacement corrections, deductions and the stage results.
#include "connection.h"
#include "create_database.h"
#include "survey_calculation.h"
#include "survey_file.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void completeSurvey(benchmark::State& state, const char* sample) {
    QTemporaryDir dir;
    createDatabase(databaseFileIn(dir.path()));
    OpenConnection(dir.path());
    const SurveyFileResult read =
        readSurveyFile(QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(sample));
    if (!read.document) {
        state.SkipWithError("sample unreadable");
        return;
    }
    const SurveyDocument& survey = *read.document;
    gcnnStore->execute(
        QStringLiteral("INSERT INTO Ship (ShipName, LBP, LightShip) VALUES (?, ?, ?)"),
        {Variant(survey.particulars->name), Variant(Decimal::fromText(survey.particulars->lbp)),
         Variant(Decimal::fromText(survey.particulars->lightShip))});
    {
        SurveyCalculation calculation(survey, 2);
        for (auto _ : state) {
            benchmark::DoNotOptimize(calculation.run());
        }
    }
    state.SetItemsProcessed(state.iterations());
    gcnnStore.reset();
}

} // namespace

BENCHMARK_CAPTURE(completeSurvey, loading, "loading-survey.json")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSurvey, discharging, "discharging-survey.json")
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
