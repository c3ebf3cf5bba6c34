#include "calculated_survey_sheet.h"

#include "connection.h"
#include "errors.h"
#include "message_service.h"
#include "report_printer.h"
#include "ship.h"
#include "survey_calculation.h"
#include "survey_command.h"

CalculatedSurveySheet::CalculatedSurveySheet(const SurveyDocument& survey,
                                             const SurveyCalculation& calculation)
    : m_survey(survey), m_calculation(calculation) {
    if (!gcnnStore)
        throw ProgramError::objectNotSet();
    m_ports = Register(*gcnnStore).ports();
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

bool CalculatedSurveySheet::initialCalculated() const {
    return m_calculation.outcome(Stage::Initial).calculated;
}

QString CalculatedSurveySheet::initialNetDisplacement() const {
    return m_calculation.initialNetField();
}

std::optional<Stage> CalculatedSurveySheet::shownStage() const {
    return Stage::Final;
}

const clsDraft& CalculatedSurveySheet::draft(Stage stage) const {
    return m_calculation.draft(stage);
}

namespace {

// Keeps what it is asked to preview or print.
class CapturingPrinter : public ReportPrinter {
public:
    std::optional<ReportSource> source;
    void preview(const ReportSource& asked) override { source = asked; }
    void print(const ReportSource& asked) override { source = asked; }
};

} // namespace

SurveyFileReport reportOfSurveyFile(const QString& file, const QString& database,
                                    QTextStream& err) {
    SurveyFileReport report;
    report.status =
        runCalculatedSurvey(file, database, err,
                            [&](const SurveyDocument& survey, const SurveyCalculation& calculation,
                                const QStringList&) {
                                ScopedMessageRecorder messages;
                                CapturingPrinter printer;
                                const ScopedReportPrinter installed(&printer);
                                CalculatedSurveySheet sheet(survey, calculation);
                                RPrint(sheet);
                                for (const QString& text : messages.texts())
                                    err << "calvane-survey: " << oneLine(text) << "\n";
                                report.source = printer.source;
                                return report.source ? 0 : 1;
                            });
    return report;
}
