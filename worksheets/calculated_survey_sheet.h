#pragma once

#include "rowset.h"
#include "survey_print.h"

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
    QString finalResultRow9Text() const override;
    QString initialNetDisplacement() const override;
    QString shownTabCaption() const override;
    void saveShownTab(Stage) override {}
    const clsDraft& draft(Stage stage) const override;

private:
    const SurveyDocument& m_survey;
    const SurveyCalculation& m_calculation;
    RowSet m_ports;
};
