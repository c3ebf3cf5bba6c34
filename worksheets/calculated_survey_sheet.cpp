#include "calculated_survey_sheet.h"

#include "connection.h"
#include "errors.h"
#include "ship.h"
#include "survey_calculation.h"

CalculatedSurveySheet::CalculatedSurveySheet(const SurveyDocument& survey,
                                             const SurveyCalculation& calculation)
    : m_survey(survey), m_calculation(calculation) {
    if (!gcnnStore)
        throw ProgramError::objectNotSet();
    m_ports.open(QStringLiteral("SELECT * FROM Port"), *gcnnStore);
}

Worksheet CalculatedSurveySheet::worksheetKind() const {
    return m_survey.worksheet;
}

QString CalculatedSurveySheet::shipComboText() const {
    return draft(Stage::Final).ship().ShipName();
}

QString CalculatedSurveySheet::portComboText() const {
    return m_survey.port;
}

// A survey file names its port as text, not as a port of the database.
QString CalculatedSurveySheet::chosenPort() {
    return m_survey.port;
}

ReportShip CalculatedSurveySheet::reportShip() {
    return reportShipOf(draft(Stage::Final).ship(), m_ports);
}

ReportTexts CalculatedSurveySheet::reportTexts() const {
    const DraftEntry& shown = m_survey.final;
    const Variant lbp = draft(Stage::Final).ship().LBP();
    return {shown.fwdX, shown.midX,      lbp.isNull() ? QString() : lbp.toText(),
            shown.aftX, m_survey.voyage, m_survey.cargo};
}

QString CalculatedSurveySheet::constantText() const {
    return m_calculation.constantField();
}

QString CalculatedSurveySheet::cargoResultText() const {
    return m_calculation.cargoField();
}

QString CalculatedSurveySheet::finalResultRow9Text() const {
    return m_calculation.outcome(Stage::Final).results.row9.text;
}

QString CalculatedSurveySheet::initialNetDisplacement() const {
    return m_calculation.initialNetField();
}

QString CalculatedSurveySheet::shownTabCaption() const {
    return QStringLiteral("Final");
}

const clsDraft& CalculatedSurveySheet::draft(Stage stage) const {
    return m_calculation.draft(stage);
}
