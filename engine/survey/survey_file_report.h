#pragma once

#include "report_source.h"

#include <QString>
#include <QTextStream>
#include <optional>

// What a survey file's report is filled from, or why there is none: the
// exit status and reason on `err` as calvane-survey compute's.
struct SurveyFileReport {
    int status = 0;
    std::optional<ReportSource> source;
};

// Calculates the survey file as calvane-survey compute does (`database` as
// its --database) and makes its report from the register there, or from
// the default register when none is given. Without a register to open, the
// port prints as written.
SurveyFileReport reportOfSurveyFile(const QString& file, const QString& database, QTextStream& err);
