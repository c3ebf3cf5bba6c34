#include "stage_calculation.h"

#include "draft.h"
#include "draft_handover.h"
#include "errors.h"
#include "ship.h"
#include "survey_file_layout.h"

namespace {

// A stage's measured values, named by their place in the survey file.
QList<QPair<QString, QString>> measuredValues(const DraftEntry& entry) {
    using namespace SurveyFileLayout;
    QList<QPair<QString, QString>> values{{QStringLiteral("density"), entry.density}};
    const auto add = [&values](const QString& prefix, const auto& fields, const auto& target) {
        for (const auto& field : fields)
            values.append({prefix + QLatin1String(field.key), target.*field.member});
    };
    add(QStringLiteral("readings."), readings, entry);
    add(QStringLiteral("markDistances."), markDistances, entry);
    for (const auto& line : hydrostaticLines)
        add(QStringLiteral("hydrostatics.%1.").arg(QLatin1String(line.key)), hydrostaticValues,
            entry.*line.member);
    add(QStringLiteral("mctc.plus50."), mctcPlus50, entry);
    add(QStringLiteral("mctc.minus50."), mctcMinus50, entry);
    for (auto it = entry.deductions.cbegin(); it != entry.deductions.cend(); ++it)
        values.append({QStringLiteral("deductions.%1").arg(it.key()), it.value()});
    return values;
}

} // namespace

QString failureReason(const DraftEntry& entry, const ProgramError& error) {
    if (error.code() != ErrorCode::Overflow)
        return oneLine(error.description());
    const Decimal suspicious = Decimal::fromWhole(1000000000000);
    QString name;
    QString text;
    Decimal largest;
    for (const auto& [field, value] : measuredValues(entry)) {
        const std::optional<Decimal> number = Decimal::tryParse(value);
        if (number && number->abs() >= suspicious && number->abs() > largest) {
            name = field;
            text = value;
            largest = number->abs();
        }
    }
    if (name.isEmpty())
        return QStringLiteral("the figures are too large to calculate with");
    return QStringLiteral("%1 %2 is too large to calculate with").arg(name, text);
}

QString oneLine(const QString& messageText) {
    return messageText.simplified();
}

StageOutcome calculateStage(clsDraft& draft, const StageRequest& request) {
    const DraftEntry& entry = request.entry;
    StageOutcome outcome;
    outcome.constantField = request.constantField;
    outcome.cargoField = request.cargoField;
    const auto refuse = [&outcome](std::optional<Message> message, const QString& reason) {
        outcome.refusal = StageRefusal{std::move(message), reason};
        return outcome;
    };
    std::optional<ProgramError> uncorrected;
    try {
        outcome.corrected = CorrectDrafts(readingTexts(entry), draft.ship().LBP());
    } catch (const ProgramError& error) {
        uncorrected = error;
    }
    outcome.grids = hydrostaticTexts(entry);
    const HydrostaticValues grids = fillDifferences(outcome.grids);
    if (const std::optional<Message> refusal = unusableDifferences(grids))
        return refuse(refusal, oneLine(refusal->text));
    if (uncorrected) {
        // Text that is no number is refused by its own field's check.
        std::optional<Message> message;
        if (uncorrected->code() != ErrorCode::TypeMismatch)
            message = warningMessage(uncorrected->description());
        return refuse(message, failureReason(entry, *uncorrected));
    }

    saveDraftEntry(draft, entry, outcome.corrected, request.totalDeductibles);
    saveDeductions(draft.Deductions(), request.deductionItems, entry.deductions);
    draft.setHDT(grids.hdt);
    draft.setMCTCP50(grids.mctcPlus50);
    draft.setMCTCM50(grids.mctcMinus50);
    draft.Calculate(0);
    // The draft's own messages say what went wrong.
    if (draft.lastFailure())
        return refuse(std::nullopt, failureReason(entry, *draft.lastFailure()));
    outcome.calculated = true;
    outcome.deflection = hullDeflection(outcome.corrected);

    StageInputs inputs;
    inputs.worksheet = request.worksheet;
    inputs.stage = request.stage;
    inputs.net = draft.NetDisplacement();
    inputs.lightShip = draft.ship().LightShip();
    inputs.initialNet = request.initialNet;
    inputs.initialNetField = request.initialNetField;
    inputs.billOfLading = request.billOfLading;
    outcome.results = deriveStage(inputs);
    if (outcome.results.constant)
        outcome.constantField = outcome.results.constant->text;
    if (outcome.results.cargo)
        outcome.cargoField = outcome.results.cargo->text;

    CalculatedStage calculated;
    calculated.worksheet = request.worksheet;
    calculated.stage = request.stage;
    calculated.net = draft.NetDisplacement();
    calculated.outcome = outcome.results.outcome.text;
    calculated.cargoField = outcome.cargoField;
    calculated.constantField = outcome.constantField;
    outcome.warnings = checkCalculatedStage(calculated).warnings;
    return outcome;
}
