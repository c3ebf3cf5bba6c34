// A complete two-draft survey through the engine, as the worksheet runs it
// each time Calculate is pressed on both tabs: draft correction,
// hydrostatic differences and checks, hand-over, interpolation,
// displacement corrections, deductions and the stage results. Once with
// the ship stored in a register and read through the shared connection,
// once with the ship given by its particulars and no connection at all.
#include "connection.h"
#include "create_database.h"
#include "register.h"
#include "survey_assessment.h"
#include "survey_calculation.h"
#include "survey_file.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <optional>

namespace {

enum class ShipSource { Register, Inline };

// The register holding the survey's ship, open as the shared connection
// while it lives.
class StoredShip {
public:
    explicit StoredShip(const ShipParticulars& particulars) {
        createDatabase(databaseFileIn(m_dir.path()));
        OpenConnection(m_dir.path());
        ShipRecord ship;
        ship.name = particulars.name;
        ship.lbp = Decimal::fromText(particulars.lbp);
        ship.lightShip = Decimal::fromText(particulars.lightShip);
        m_shipID = int(Register(*gcnnStore).insertShip(ship));
    }
    ~StoredShip() { gcnnStore.reset(); }
    int shipID() const { return m_shipID; }

private:
    QTemporaryDir m_dir;
    int m_shipID = 0;
};

std::unique_ptr<SurveyCalculation> calculationOf(const SurveyDocument& survey, ShipSource source,
                                                 const StoredShip* stored) {
    if (source == ShipSource::Register)
        return std::make_unique<SurveyCalculation>(survey, stored->shipID());
    return std::make_unique<SurveyCalculation>(survey);
}

// A sample survey; nothing, and the benchmark skipped, when unreadable.
std::optional<SurveyDocument> readSample(benchmark::State& state, const char* sample) {
    const SurveyFileResult read =
        readSurveyFile(QStringLiteral(SAMPLES_DIR "/") + QString::fromLatin1(sample));
    if (!read.document)
        state.SkipWithError("sample unreadable");
    return read.document;
}

// The survey's ship stored in a register, when the benchmark reads it there.
std::unique_ptr<StoredShip> storedShip(const SurveyDocument& survey, ShipSource source) {
    return source == ShipSource::Register ? std::make_unique<StoredShip>(*survey.particulars)
                                          : nullptr;
}

// `fresh`: a new calculation each time (the ship and the items read anew),
// as the command line makes one; otherwise one calculation run again and
// again, as the worksheet's Calculate.
void completeSurvey(benchmark::State& state, const char* sample, ShipSource source, bool fresh) {
    const std::optional<SurveyDocument> read = readSample(state, sample);
    if (!read)
        return;
    const SurveyDocument& survey = *read;
    const std::unique_ptr<StoredShip> stored = storedShip(survey, source);
    std::unique_ptr<SurveyCalculation> calculation = calculationOf(survey, source, stored.get());
    for (auto _ : state) {
        if (fresh)
            calculation = calculationOf(survey, source, stored.get());
        if (!calculation->run().isEmpty()) {
            state.SkipWithError("survey refused");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

// What the checks and the cargo's uncertainty add to a calculated survey:
// the warnings and one calculation again for each input.
void assessedSurvey(benchmark::State& state, const char* sample, ShipSource source) {
    const std::optional<SurveyDocument> read = readSample(state, sample);
    if (!read)
        return;
    const SurveyDocument& survey = *read;
    const std::unique_ptr<StoredShip> stored = storedShip(survey, source);
    const std::unique_ptr<SurveyCalculation> calculation =
        calculationOf(survey, source, stored.get());
    if (!calculation->run().isEmpty()) {
        state.SkipWithError("survey refused");
        return;
    }
    const SurveyLimits limits = defaultSurveyLimits();
    for (auto _ : state) {
        const SurveyAssessment assessment = assessSurvey(survey, *calculation, {}, limits);
        if (!assessment.uncertainty) {
            state.SkipWithError("no uncertainty");
            break;
        }
        benchmark::DoNotOptimize(assessment.uncertainty->expanded);
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(assessedSurvey, loading_register, "loading-survey.json", ShipSource::Register)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(assessedSurvey, discharging_inline, "discharging-survey.json", ShipSource::Inline)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSurvey, loading_register, "loading-survey.json", ShipSource::Register,
                  false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSurvey, loading_inline, "loading-survey.json", ShipSource::Inline, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSurvey, discharging_register, "discharging-survey.json",
                  ShipSource::Register, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSurvey, discharging_inline, "discharging-survey.json", ShipSource::Inline,
                  false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSurvey, loading_register_fresh, "loading-survey.json",
                  ShipSource::Register, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSurvey, loading_inline_fresh, "loading-survey.json", ShipSource::Inline,
                  true)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
