#pragma once

#include "survey_print.h"

#include <optional>

class SurveyWorksheet;

// A loading or discharging worksheet as printing reads it: its controls,
// its drafts, its ship, and the ports of the shared connection.
class WorksheetPrintout : public PrintableWorksheet {
public:
    explicit WorksheetPrintout(SurveyWorksheet& worksheet) : m_worksheet(worksheet) {}

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
    void saveShownTab(Stage stage) override;
    const clsDraft& draft(Stage stage) const override;

private:
    // Opened on first use, so that a worksheet that stops printing early
    // never reads them. Raises ProgramError.
    const QList<PortRecord>& ports();

    SurveyWorksheet& m_worksheet;
    std::optional<QList<PortRecord>> m_ports;
};
