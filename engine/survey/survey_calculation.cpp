#include "survey_calculation.h"

#include "connection.h"
#include "draft_handover.h"
#include "errors.h"
#include "message_service.h"
#include "register.h"
#include "ship.h"
#include "shipped_data.h"
#include "survey_file_layout.h"

#include <QHash>

namespace {

QList<int> itemIDs(const QList<DeductionItem>& items) {
    QList<int> ids;
    for (const DeductionItem& item : items)
        ids.append(item.id);
    return ids;
}

// The register's deductible items in the order the worksheet lists them.
QList<int> registerItems() {
    if (!gcnnStore)
        throw ProgramError::objectNotSet();
    return itemIDs(Register(*gcnnStore).deductionItems());
}

// A survey that brings its own ship needs no register for its items.
QList<int> itemsWithOrWithoutRegister() {
    return gcnnStore ? registerItems() : itemIDs(shippedDeductionItems());
}

const ShipParticulars& particularsOf(const SurveyDocument& survey) {
    if (!survey.particulars)
        throw ProgramError::objectNotSet();
    return *survey.particulars;
}

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

// What a calculation error means for the surveyor: an overflow names the
// value that is out of all proportion, when one is.
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

// Where the input a stage misses stands in the survey file (the survey's
// own fields at the top, a draft's under its stage) and what is missing.
QString missingInputPath(const SurveyDocument& survey, const DraftEntry& entry,
                         const QString& stage) {
    static const QHash<QString, QString> paths = {
        {QStringLiteral("dcbShip"), QStringLiteral("ship")},
        {QStringLiteral("txtVoyageID"), QStringLiteral("voyage")},
        {QStringLiteral("dcbPort"), QStringLiteral("port")},
        {QStringLiteral("txtCargo"), QStringLiteral("cargo")},
        {QStringLiteral("txtDensity"), QStringLiteral("%1.density")},
        {QStringLiteral("txtFwdPort"), QStringLiteral("%1.readings.fwdPort")},
        {QStringLiteral("txtFwdStbd"), QStringLiteral("%1.readings.fwdStbd")},
        {QStringLiteral("txtMidShipPort"), QStringLiteral("%1.readings.midPort")},
        {QStringLiteral("txtMidshipStbd"), QStringLiteral("%1.readings.midStbd")},
        {QStringLiteral("txtAftPort"), QStringLiteral("%1.readings.aftPort")},
        {QStringLiteral("txtAftStbd"), QStringLiteral("%1.readings.aftStbd")},
        {QStringLiteral("txtFwdX"), QStringLiteral("%1.markDistances.fwd")},
        {QStringLiteral("txtMidX"), QStringLiteral("%1.markDistances.mid")},
        {QStringLiteral("txtAftX"), QStringLiteral("%1.markDistances.aft")},
    };
    if (const std::optional<MissingInput> missing = firstMissingField(survey, entry)) {
        const QString path = paths.value(missing->field, stage);
        return (path.contains(u'%') ? path.arg(stage) : path) + QStringLiteral(": ") +
               oneLine(missing->message.text);
    }
    if (const std::optional<MissingCell> missing = firstBlankCell(entry)) {
        const BlankCell* cell = &missing->cell;
        const QString reason = QStringLiteral(": ") + oneLine(missing->message.text);
        const QString line = cell->row == 1 ? QStringLiteral("below") : QStringLiteral("above");
        if (cell->editor == QStringLiteral("txtMPGridTextbox"))
            return QStringLiteral("%1.mctc.plus50.%2").arg(stage, line) + reason;
        if (cell->editor == QStringLiteral("txtMMGridTextbox"))
            return QStringLiteral("%1.mctc.minus50.%2").arg(stage, line) + reason;
        const char* values[] = {"draft", "displacement", "tpc", "lcf"};
        return QStringLiteral("%1.hydrostatics.%2.%3")
                   .arg(stage, line, QLatin1String(values[cell->column - 1])) +
               reason;
    }
    return QString();
}

} // namespace

QString oneLine(const QString& messageText) {
    return messageText.simplified();
}

SurveyCalculation::SurveyCalculation(const SurveyDocument& survey, int shipID)
    : SurveyCalculation(survey, registerItems()) {
    m_drafts[int(Stage::Initial)]->setShipID(shipID);
    m_drafts[int(Stage::Final)]->shareShip(*m_drafts[int(Stage::Initial)]);
}

SurveyCalculation::SurveyCalculation(const SurveyDocument& survey)
    : SurveyCalculation(survey, itemsWithOrWithoutRegister()) {
    const ShipParticulars& ship = particularsOf(survey);
    const Decimal lbp = Decimal::fromText(ship.lbp);
    const Decimal lightShip = Decimal::fromText(ship.lightShip);
    for (const auto& draft : m_drafts)
        draft->setShipParticulars(ship.name, lbp, lightShip);
}

SurveyCalculation::SurveyCalculation(const SurveyDocument& survey, const QList<int>& deductionItems)
    : m_survey(survey), m_deductionItems(deductionItems) {
    for (int stage = 0; stage < 2; ++stage) {
        m_drafts[stage] = std::make_unique<clsDraft>();
        m_drafts[stage]->setDraftType(short(stage));
    }
    m_initialNetField = survey.typedInitialNetDisplacement;
    m_billOfLading = survey.billOfLadingQuantity;
}

QString SurveyCalculation::run() {
    if (const QString reason = checkEntryRules(); !reason.isEmpty())
        return reason;
    for (Stage stage : {Stage::Initial, Stage::Final}) {
        if (stage == Stage::Final && !finalTaken())
            break;
        // A Final draft with the arrival's net displacement typed stands
        // alone, as on the worksheet.
        if (stage == Stage::Initial && !initialTaken() && finalTaken())
            continue;
        if (const QString reason = runStage(stage); !reason.isEmpty())
            return reason;
    }
    return QString();
}

QStringList SurveyCalculation::warnings() const {
    QStringList lines;
    for (const Message& warning : m_warnings)
        lines.append(oneLine(warning.text));
    return lines;
}

bool SurveyCalculation::finalTaken() const {
    return !(m_survey.final == DraftEntry{});
}

bool SurveyCalculation::initialTaken() const {
    return !(m_survey.initial == DraftEntry{});
}

QString SurveyCalculation::checkEntryRules() {
    const EntryVerdict initialNet = checkInitialNetDisplacement(m_initialNetField);
    if (!initialNet.accepted)
        return oneLine(initialNet.refusal.text);
    m_initialNetField = initialNet.text;
    if (m_survey.worksheet == Worksheet::Discharging) {
        const EntryVerdict quantity = checkBillOfLading(m_billOfLading);
        if (!quantity.accepted)
            return oneLine(quantity.refusal.text);
        m_billOfLading = quantity.text;
    }
    return QString();
}

QString SurveyCalculation::runStage(Stage stage) {
    const DraftEntry& entry = stage == Stage::Initial ? m_survey.initial : m_survey.final;
    clsDraft& draft = *m_drafts[int(stage)];
    StageOutcome& outcome = m_outcomes[int(stage)];
    const QString stageName =
        stage == Stage::Initial ? QStringLiteral("initial: ") : QStringLiteral("final: ");
    try {
        if (const QString missing = missingInputPath(
                m_survey, entry,
                stage == Stage::Initial ? QStringLiteral("initial") : QStringLiteral("final"));
            !missing.isEmpty())
            return missing;
        for (auto it = entry.deductions.cbegin(); it != entry.deductions.cend(); ++it) {
            if (!m_deductionItems.contains(it.key()))
                return stageName +
                       QStringLiteral("deductible item %1 is not in the database").arg(it.key());
        }
        outcome.corrected = CorrectDrafts(readingTexts(entry), draft.ship().LBP());
        outcome.grids = hydrostaticTexts(entry);
        fillDifferences(outcome.grids);
        if (const std::optional<Message> refusal = unusableDifferences(outcome.grids))
            return stageName + oneLine(refusal->text);

        const QString totalDeductibles =
            outcome.calculated ? draft.FinalResult()[TotalDeductibles].toText() : QString();
        saveDraftEntry(draft, entry, outcome.corrected, totalDeductibles);
        saveDeductions(draft.Deductions(), m_deductionItems, entry.deductions);
        draft.setHDT(toVariantGrid(outcome.grids.hdt));
        draft.setMCTCP50(toVariantGrid(outcome.grids.mctcPlus50));
        draft.setMCTCM50(toVariantGrid(outcome.grids.mctcMinus50));
        draft.Calculate(0);
        if (draft.lastFailure())
            return stageName + failureReason(entry, *draft.lastFailure());
        outcome.calculated = true;
        outcome.deflection = hullDeflection(outcome.corrected);

        StageInputs inputs;
        inputs.worksheet = m_survey.worksheet;
        inputs.stage = stage;
        inputs.net = draft.NetDisplacement();
        inputs.lightShip = draft.ship().LightShip();
        inputs.initialNet = m_drafts[int(Stage::Initial)]->NetDisplacement();
        inputs.initialNetField = m_initialNetField;
        inputs.billOfLading = m_billOfLading;
        outcome.results = deriveStage(inputs);
        if (outcome.results.warning)
            m_warnings.append(*outcome.results.warning);
        if (outcome.results.initialNetField)
            m_initialNetField = outcome.results.initialNetField->text;
        if (outcome.results.constant)
            m_constantField = outcome.results.constant->text;
        if (outcome.results.cargo)
            m_cargoField = outcome.results.cargo->text;

        CalculatedStage calculated;
        calculated.worksheet = m_survey.worksheet;
        calculated.stage = stage;
        calculated.net = draft.NetDisplacement();
        calculated.row11 = outcome.results.row11.text;
        calculated.cargoField = m_cargoField;
        calculated.constantField = m_constantField;
        m_warnings.append(checkCalculatedStage(calculated).warnings);
    } catch (const ProgramError& error) {
        return stageName + failureReason(entry, error);
    }
    return QString();
}
