#include "survey_print.h"

#include "connection.h"
#include "errors.h"
#include "message_service.h"
#include "report_printer.h"
#include "survey_calculation.h"
#include "survey_report_source.h"

namespace {

bool calculated(const SurveyCalculation& calculation, Stage stage) {
    return calculation.outcome(stage).calculated;
}

bool discardInitialDraft() {
    const MessageAnswer answer = messageService().show(
        {MessageIcon::Exclamation, applicationTitle(),
         twoPartText(QStringLiteral("Incomplete Initial draft...!"),
                     QStringLiteral("Would you like to discard initial draft details and "
                                    "continue ?")),
         MessageButtons::YesNo, MessageAnswer::Yes});
    return answer == MessageAnswer::Yes;
}

void printSurvey(const SurveyDocument& survey, bool preview) {
    if (!survey.shipID) {
        showWarning(QStringLiteral("Please select ship name first."));
        return;
    }
    if (survey.port.trimmed().isEmpty()) {
        showWarning(QStringLiteral("Please select port name first."));
        return;
    }
    if (!gcnnStore)
        throw ProgramError::objectNotSet();
    SurveyCalculation calculation(survey, *survey.shipID);
    // Each stage on its own, not stopping at the first refusal as the
    // command does: the surveyor may leave an incomplete Initial draft out
    // and still print the Final one.
    if (calculation.initialTaken())
        calculation.runStage(Stage::Initial);
    if (calculation.finalTaken())
        calculation.runStage(Stage::Final);
    if (!calculated(calculation, Stage::Initial) && !discardInitialDraft())
        return;
    if (!calculated(calculation, Stage::Initial) && !calculated(calculation, Stage::Final)) {
        showWarning(
            twoPartText(QStringLiteral("Incomplete Final draft...!"),
                        QStringLiteral("Please enter all the values and press Calculate button "
                                       "before printing/preview.")));
        return;
    }
    const ReportSource source =
        surveyReportSource(survey, calculation, registerForReport(Register(*gcnnStore), survey));

    ReportPrinter* printer = reportPrinter();
    if (!printer)
        throw ProgramError(ErrorCode::ObjectNotSet,
                           QStringLiteral("No report printer is installed."));
    if (preview)
        printer->preview(source);
    else
        printer->print(source);
}

} // namespace

void RPrint(const SurveyDocument& survey, bool blnShowPreview) {
    QString failure;
    try {
        printSurvey(survey, blnShowPreview);
        return;
    } catch (const ProgramError& error) {
        failure = error.description();
    } catch (const std::exception& error) {
        failure = QString::fromLocal8Bit(error.what());
    }
    const bool discharging = survey.worksheet == Worksheet::Discharging;
    // What failed, where the user was once asked to quote an error number.
    messageService().show(
        {MessageIcon::Critical,
         discharging ? QStringLiteral("Calvane Lt-10066") : QStringLiteral("Calvane Lt-10067"),
         twoPartText(QStringLiteral("Error while printing the report."), failure),
         MessageButtons::Ok, MessageAnswer::Ok});
}
