#pragma once

#include "register.h"
#include "report_source.h"

#include <QList>
#include <optional>

class SurveyCalculation;

// What the register says that a survey's report prints: the record of the
// ship the survey names by its key (none for a ship given inline or one the
// register lacks), the ports and the names of the deductible items.
struct RegisterForReport {
    std::optional<ShipRecord> ship;
    QList<PortRecord> ports;
    QList<DeductionItem> deductionItems;
};

// Reads them for `survey`. Raises ProgramError (store failure).
RegisterForReport registerForReport(const Register& shipRegister, const SurveyDocument& survey);

// The report of a calculated survey, the same whoever prints it: a column
// for each stage the calculation calculated; the mark distances of the
// draft that ends the survey (the Final when it was calculated, else the
// Initial); the ship as the register keeps it, or as the survey gives it
// inline; the port as "PortName, Country" when the register knows it by
// that name, else as written. Raises ProgramError when the ship's port of
// registry is not among the ports. The calculation sheet names the
// deductible items as the register does, or as shipped without one.
ReportSource surveyReportSource(const SurveyDocument& survey, const SurveyCalculation& calculation,
                                const RegisterForReport& known);
