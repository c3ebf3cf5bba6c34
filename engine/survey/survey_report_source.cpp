#include "survey_report_source.h"

#include "draft.h"
#include "errors.h"
#include "shipped_data.h"
#include "survey_assessment.h"
#include "survey_calculation.h"

namespace {

QString shown(const std::optional<Decimal>& value) {
    return value ? value->toString() : QString();
}

// A particular given inline, written as the register would write it.
QString shown(const QString& typed) {
    const std::optional<Decimal> number = Decimal::tryParse(typed);
    return number ? number->toString() : typed.trimmed();
}

QString nameAndCountry(const PortRecord& port) {
    return port.country.isEmpty() ? port.name : port.name + QStringLiteral(", ") + port.country;
}

// The register finds ports by name whatever their case. Same-named ports
// that print differently leave the name as written: the survey cannot say
// which one it means.
QString portLine(const QString& written, const QList<PortRecord>& ports) {
    std::optional<QString> line;
    for (const PortRecord& port : ports) {
        if (port.name.trimmed().compare(written.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        if (line && *line != nameAndCountry(port))
            return written.trimmed();
        line = nameAndCountry(port);
    }
    return line.value_or(written.trimmed());
}

QString portOfRegistry(const ShipRecord& ship, const QList<PortRecord>& ports) {
    if (!ship.portOfRegistry)
        return QString();
    for (const PortRecord& port : ports) {
        if (port.id == *ship.portOfRegistry)
            return nameAndCountry(port);
    }
    throw ProgramError(ErrorCode::NoCurrentRecord,
                       QStringLiteral("The port of registry (port %1) is not among the ports.")
                           .arg(*ship.portOfRegistry));
}

ReportShip registeredShip(const ShipRecord& ship, const QList<PortRecord>& ports) {
    ReportShip block;
    block.name = ship.name;
    block.callSign = ship.callSign.value_or(QString());
    block.flag = ship.flag.value_or(QString());
    block.grossTonnage = shown(ship.grossTonnage);
    block.netTonnage = shown(ship.netTonnage);
    block.officialNo = shown(ship.officialNo);
    block.portOfRegistry = portOfRegistry(ship, ports);
    block.summerDraft = shown(ship.summerDraft);
    block.summerDeadweight = shown(ship.summerDeadweight);
    block.loa = shown(ship.loa);
    block.breadth = shown(ship.breadth);
    block.lightShip = shown(ship.lightShip);
    return block;
}

// The survey ends with the Final draft once it is calculated; its mark
// distances head the report.
const DraftEntry& headingEntry(const SurveyDocument& survey, const SurveyCalculation& calculation) {
    return calculation.outcome(Stage::Final).calculated ? survey.final : survey.initial;
}

// "the ship's table, T&S booklet p. 12 (density 1.000)".
QString hydrostaticsSource(const std::optional<TableUse>& table) {
    if (!table)
        return QString();
    QString text = QStringLiteral("the ship's table");
    if (!table->source.isEmpty())
        text += QStringLiteral(", ") + table->source;
    if (Decimal::fromText(table->density) != clsDraft::saltWater())
        text += QStringLiteral(" (density %1)").arg(table->density);
    return text;
}

std::optional<ReportColumn> column(const SurveyCalculation& calculation, Stage stage,
                                   const DraftEntry& entry) {
    if (!calculation.outcome(stage).calculated)
        return std::nullopt;
    ReportColumn column = ReportColumn::from(calculation.draft(stage));
    column.hydrostaticsSource = hydrostaticsSource(entry.table);
    return column;
}

} // namespace

RegisterForReport registerForReport(const Register& shipRegister, const SurveyDocument& survey) {
    RegisterForReport known;
    if (survey.shipID)
        known.ship = shipRegister.ship(*survey.shipID);
    known.ports = shipRegister.ports();
    known.deductionItems = shipRegister.deductionItems();
    return known;
}

ReportSource surveyReportSource(const SurveyDocument& survey, const SurveyCalculation& calculation,
                                const RegisterForReport& known) {
    ReportSource source;
    source.worksheet = survey.worksheet;
    QString lbp;
    if (known.ship) {
        source.ship = registeredShip(*known.ship, known.ports);
        lbp = shown(known.ship->lbp);
    } else if (survey.particulars) {
        source.ship.name = survey.particulars->name;
        source.ship.lightShip = shown(survey.particulars->lightShip);
        lbp = shown(survey.particulars->lbp);
    }
    source.port = portLine(survey.port, known.ports);
    const DraftEntry& heading = headingEntry(survey, calculation);
    source.texts = {heading.fwdX, heading.midX, lbp, heading.aftX, survey.voyage, survey.cargo};
    source.initial = column(calculation, Stage::Initial, survey.initial);
    source.final = column(calculation, Stage::Final, survey.final);
    source.initialNetDisplacement = calculation.initialNetField();
    // A setting not used is said by the worksheet and by compute.
    QStringList refused;
    const SurveyAssessment assessment =
        assessSurvey(survey, calculation, {}, savedSurveyLimits(refused));
    if (assessment.uncertainty)
        source.cargoUncertainty = uncertaintyMargin(*assessment.uncertainty);
    QMap<int, QString> deductionNames;
    for (const DeductionItem& item :
         known.deductionItems.isEmpty() ? shippedDeductionItems() : known.deductionItems)
        deductionNames.insert(item.id, item.name);
    source.sheet =
        calculationSheet(survey, calculation, calculation.warnings(), assessment, deductionNames);
    return source;
}
