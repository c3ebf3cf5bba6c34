#include "survey_calculation.h"

#include "connection.h"
#include "draft_handover.h"
#include "errors.h"
#include "register.h"
#include "ship.h"
#include "shipped_data.h"

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

QList<DeductionItem> itemsOfRegisterOrShipped() {
    return gcnnStore ? Register(*gcnnStore).deductionItems() : shippedDeductionItems();
}

// A survey that brings its own ship needs no register for its items.
QList<int> itemsWithOrWithoutRegister() {
    return itemIDs(itemsOfRegisterOrShipped());
}

const ShipParticulars& particularsOf(const SurveyDocument& survey) {
    if (!survey.particulars)
        throw ProgramError::objectNotSet();
    return *survey.particulars;
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

SurveyCalculation::SurveyCalculation(const SurveyCalculation& base, const SurveyDocument& survey)
    : SurveyCalculation(survey, base.m_deductionItems) {
    for (int stage = 0; stage < 2; ++stage)
        m_drafts[stage]->shareShip(*base.m_drafts[stage]);
}

QHash<int, QString> deductionItemNames() {
    QHash<int, QString> names;
    for (const DeductionItem& item : itemsOfRegisterOrShipped())
        names.insert(item.id, item.name);
    return names;
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

void SurveyCalculation::restart(const SurveyDocument& survey) {
    m_survey = survey;
    m_initialNetField = survey.typedInitialNetDisplacement;
    m_billOfLading = survey.billOfLadingQuantity;
    m_constantField.clear();
    m_cargoField.clear();
    m_warnings.clear();
    for (StageOutcome& outcome : m_outcomes)
        outcome = StageOutcome{};
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
        clsDraft& draft = *m_drafts[int(stage)];
        StageOutcome& outcome = m_outcomes[int(stage)];
        StageRequest request;
        request.worksheet = m_survey.worksheet;
        request.stage = stage;
        request.entry = entry;
        request.deductionItems = m_deductionItems;
        request.initialNet = m_drafts[int(Stage::Initial)]->NetDisplacement();
        request.initialNetField = m_initialNetField;
        request.billOfLading = m_billOfLading;
        request.constantField = m_constantField;
        request.cargoField = m_cargoField;
        request.totalDeductibles =
            outcome.calculated ? draft.FinalResult()[TotalDeductibles].toText() : QString();
        outcome = calculateStage(draft, request);
        // The draft's messages are the worksheet's to show.
        draft.takeMessages();
        if (outcome.refusal)
            return stageName + outcome.refusal->reason;
        if (outcome.results.warning)
            m_warnings.append(*outcome.results.warning);
        if (outcome.results.initialNetField)
            m_initialNetField = outcome.results.initialNetField->text;
        m_constantField = outcome.constantField;
        m_cargoField = outcome.cargoField;
        m_warnings.append(outcome.warnings);
    } catch (const ProgramError& error) {
        return stageName + failureReason(entry, error);
    }
    return QString();
}
