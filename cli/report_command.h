#pragma once

#include <QStringList>
#include <QTextStream>

// calvane-survey report: calculates a survey file as `compute` does and
// writes its report, the one the worksheet prints for that survey, to a PDF
// file. Exit status as `compute`'s; 1 also when the
// report could not be made or written.
int runReportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
