#include "survey_checks_panel.h"

#include "decimal_functions.h"
#include "errors.h"
#include "ship_constants.h"
#include "survey_assessment.h"
#include "survey_calculation.h"

#include <QLabel>
#include <QListWidget>

namespace {

// The survey calculated as far as it goes; a ship the register cannot give
// leaves the checks of what was typed alone.
SurveyAssessment assessed(const SurveyDocument& survey, const QString& file,
                          const SurveyLimits& limits) {
    if (survey.shipID) {
        try {
            SurveyCalculation calculation(survey, *survey.shipID);
            calculation.run();
            return assessSurvey(survey, calculation, earlierShipConstants(survey, file), limits);
        } catch (const ProgramError&) {
        }
    }
    return {surveyWarnings(survey, ShipFacts{}, SurveyFigures{}, {}, limits), std::nullopt};
}

} // namespace

SurveyChecksPanel::SurveyChecksPanel(QListWidget& list, QLabel& uncertainty)
    : m_list(list), m_uncertainty(uncertainty) {
    m_pause.setSingleShot(true);
    m_pause.setInterval(250);
    connect(&m_pause, &QTimer::timeout, this, &SurveyChecksPanel::refresh);
}

void SurveyChecksPanel::schedule() {
    m_pause.start();
}

void SurveyChecksPanel::refresh() {
    m_pause.stop();
    QStringList refused;
    const SurveyLimits limits = savedSurveyLimits(refused);
    const SurveyAssessment assessment = assessed(survey(), file(), limits);
    m_list.clear();
    for (const SurveyWarning& warning : assessment.warnings) {
        auto* item = new QListWidgetItem(warningLine(warning), &m_list);
        item->setData(Qt::UserRole, warning.code);
        item->setToolTip(warning.code);
    }
    if (assessment.warnings.isEmpty())
        m_list.addItem(tr("Nothing looks wrong so far."));
    m_list.addItems(refused);
    if (const std::optional<CargoUncertainty>& u = assessment.uncertainty)
        m_uncertainty.setText(
            tr("Cargo %1\nworst case ± %2 t; largest: %3")
                .arg(uncertaintyText(*u), groupedText(u->worstCase, 0), contributorsText(*u)));
    else
        m_uncertainty.clear();
}
