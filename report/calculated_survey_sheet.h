#pragma once

#include "survey_print.h"

#include <QTextStream>
#include <optional>

class SurveyCalculation;
struct SurveyDocument;

// A survey calculated from its file, seen as the worksheet that calculated
// both drafts and shows the Final tab, so that it prints exactly as that
// worksheet would. Needs the shared connection open.
class CalculatedSurveySheet : public PrintableWorksheet {
public:
    CalculatedSurveySheet(const SurveyDocument& survey, const SurveyCalculation& calculation);

    Worksheet worksheetKind() const override;
    QString shipComboText() const override;
    QString portComboText() const override;
    QString chosenPort() override;
    ReportShip reportShip() override;
    ReportTexts reportTexts() const override;
    QString constantText() const override;
    QString cargoResultText() const override;
    bool initialCalculated() const override;
    QString initialNetDisplacement() const override;
    std::optional<Stage> shownStage() const override;
    void saveShownTab(Stage) override {}
    const clsDraft& draft(Stage stage) const override;

private:
    const SurveyDocument& m_survey;
    const SurveyCalculation& m_calculation;
    QList<PortRecord> m_ports;
};

// What printing a survey file hands to the report printer, or why there is
// none: the exit status and reason on `err` as calvane-survey compute's, or
// 1 with the message printing stopped with.
struct SurveyFileReport {
    int status = 0;
    std::optional<ReportSource> source;
};

// Calculates the survey file as calvane-survey compute does (`database`
// as its --database) and prints it as the worksheet showing both
// calculated drafts would.
SurveyFileReport reportOfSurveyFile(const QString& file, const QString& database, QTextStream& err);
